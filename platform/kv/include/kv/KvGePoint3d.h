#pragma once
#include "kv/KvGeVector3d.h"

class KvGeMatrix3d;

class KvGePoint3d {
public:
    double x = 0.0, y = 0.0, z = 0.0;

    constexpr KvGePoint3d() = default;
    constexpr KvGePoint3d(double ax, double ay, double az) : x(ax), y(ay), z(az) {}

    KvGeVector3d operator-(const KvGePoint3d& o) const { return {x - o.x, y - o.y, z - o.z}; }
    KvGePoint3d operator+(const KvGeVector3d& v) const { return {x + v.x, y + v.y, z + v.z}; }
    KvGePoint3d operator-(const KvGeVector3d& v) const { return {x - v.x, y - v.y, z - v.z}; }
    bool operator==(const KvGePoint3d& o) const = default;

    double distanceTo(const KvGePoint3d& o) const { return (*this - o).length(); }
    KvGePoint3d& transformBy(const KvGeMatrix3d& m);

    static const KvGePoint3d kOrigin;
};

class KvGePoint2d {
public:
    double x = 0.0, y = 0.0;
    constexpr KvGePoint2d() = default;
    constexpr KvGePoint2d(double ax, double ay) : x(ax), y(ay) {}
    bool operator==(const KvGePoint2d& o) const = default;
};
