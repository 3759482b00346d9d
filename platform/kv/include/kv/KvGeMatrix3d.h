#pragma once
#include "kv/KvGePoint3d.h"
#include "kv/KvGeVector3d.h"

// Affine 4x4 transformation, row-major, acting on column vectors.
class KvGeMatrix3d {
public:
    double entry[4][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};

    KvGeMatrix3d() = default;

    // Maps the coordinate system (origin, x, y, z) to world coordinates.
    KvGeMatrix3d& setCoordSystem(const KvGePoint3d& origin, const KvGeVector3d& xAxis, const KvGeVector3d& yAxis,
                                 const KvGeVector3d& zAxis);
    KvGeMatrix3d& setToIdentity();
    KvGePoint3d apply(const KvGePoint3d& p) const;
    KvGeMatrix3d operator*(const KvGeMatrix3d& o) const;

    static const KvGeMatrix3d kIdentity;
};
