#pragma once
#include <cmath>

class KvGeVector3d {
public:
    double x = 0.0, y = 0.0, z = 0.0;

    constexpr KvGeVector3d() = default;
    constexpr KvGeVector3d(double ax, double ay, double az) : x(ax), y(ay), z(az) {}

    KvGeVector3d operator+(const KvGeVector3d& o) const { return {x + o.x, y + o.y, z + o.z}; }
    KvGeVector3d operator-(const KvGeVector3d& o) const { return {x - o.x, y - o.y, z - o.z}; }
    KvGeVector3d operator*(double s) const { return {x * s, y * s, z * s}; }
    bool operator==(const KvGeVector3d& o) const = default;

    double length() const { return std::sqrt(x * x + y * y + z * z); }
    double dotProduct(const KvGeVector3d& o) const { return x * o.x + y * o.y + z * o.z; }
    KvGeVector3d crossProduct(const KvGeVector3d& o) const
    {
        return {y * o.z - z * o.y, z * o.x - x * o.z, x * o.y - y * o.x};
    }
    KvGeVector3d& normalize()
    {
        const double len = length();
        if (len > 0.0) {
            x /= len;
            y /= len;
            z /= len;
        }
        return *this;
    }
    KvGeVector3d normal() const
    {
        KvGeVector3d v = *this;
        return v.normalize();
    }

    static const KvGeVector3d kXAxis;
    static const KvGeVector3d kYAxis;
    static const KvGeVector3d kZAxis;
};
