#include "kv/KvGeMatrix3d.h"
#include "kv/KvGePoint3d.h"
#include "kv/KvGeVector3d.h"

const KvGePoint3d KvGePoint3d::kOrigin(0, 0, 0);
const KvGeVector3d KvGeVector3d::kXAxis(1, 0, 0);
const KvGeVector3d KvGeVector3d::kYAxis(0, 1, 0);
const KvGeVector3d KvGeVector3d::kZAxis(0, 0, 1);
const KvGeMatrix3d KvGeMatrix3d::kIdentity;

KvGePoint3d& KvGePoint3d::transformBy(const KvGeMatrix3d& m)
{
    *this = m.apply(*this);
    return *this;
}

KvGeMatrix3d& KvGeMatrix3d::setCoordSystem(const KvGePoint3d& origin, const KvGeVector3d& xAxis,
                                           const KvGeVector3d& yAxis, const KvGeVector3d& zAxis)
{
    // Columns are the axes, the last column the origin.
    const double columns[4][3] = {{xAxis.x, xAxis.y, xAxis.z},
                                  {yAxis.x, yAxis.y, yAxis.z},
                                  {zAxis.x, zAxis.y, zAxis.z},
                                  {origin.x, origin.y, origin.z}};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 4; ++c) entry[r][c] = columns[c][r];
    entry[3][0] = entry[3][1] = entry[3][2] = 0.0;
    entry[3][3] = 1.0;
    return *this;
}

KvGeMatrix3d& KvGeMatrix3d::setToIdentity()
{
    *this = KvGeMatrix3d();
    return *this;
}

KvGePoint3d KvGeMatrix3d::apply(const KvGePoint3d& p) const
{
    const double v[4] = {p.x, p.y, p.z, 1.0};
    double out[4] = {0, 0, 0, 0};
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) out[r] += entry[r][c] * v[c];
    if (out[3] != 0.0 && out[3] != 1.0) return {out[0] / out[3], out[1] / out[3], out[2] / out[3]};
    return {out[0], out[1], out[2]};
}

KvGeMatrix3d KvGeMatrix3d::operator*(const KvGeMatrix3d& o) const
{
    KvGeMatrix3d m;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) {
            double sum = 0.0;
            for (int k = 0; k < 4; ++k) sum += entry[r][k] * o.entry[k][c];
            m.entry[r][c] = sum;
        }
    return m;
}
