#pragma once
#include "kv/KvDbEntity.h"
#include "kv/KvGePoint3d.h"

// Curves measure themselves along a parameter running from start to end.
class KvDbCurve : public KvDbEntity {
public:
    const char* isA() const override { return "KvDbCurve"; }
    KV_DB_KIND(KvDbCurve, kCurve, kPolyline)

    virtual Kvmo::ErrorStatus getStartParam(double& param) const = 0;
    virtual Kvmo::ErrorStatus getEndParam(double& param) const = 0;
    virtual Kvmo::ErrorStatus getStartPoint(KvGePoint3d& point) const = 0;
    virtual Kvmo::ErrorStatus getEndPoint(KvGePoint3d& point) const = 0;
    virtual Kvmo::ErrorStatus getDistAtParam(double param, double& dist) const = 0;
    // Distance along the curve to a point on it (eInvalidInput when the point is not on it).
    virtual Kvmo::ErrorStatus getDistAtPoint(const KvGePoint3d& point, double& dist) const = 0;
    // Area enclosed by the curve closed with a straight segment from end to start.
    virtual Kvmo::ErrorStatus getArea(double& area) const = 0;
};
