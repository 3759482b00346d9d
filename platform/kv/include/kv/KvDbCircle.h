#pragma once
#include "kv/KvDbCurve.h"

class KvDbCircle : public KvDbCurve {
public:
    KvDbCircle() = default;
    KvDbCircle(const KvGePoint3d& center, double radius) : m_center(center), m_radius(radius) {}
    const char* isA() const override { return "KvDbCircle"; }
    KV_DB_KIND(KvDbCircle, kCircle, kCircle)
    std::u16string dxfName() const override { return u"CIRCLE"; }

    KvGePoint3d center() const { return m_center; }
    Kvmo::ErrorStatus setCenter(const KvGePoint3d& c);
    double radius() const { return m_radius; }
    Kvmo::ErrorStatus setRadius(double r);
    double thickness() const { return planarThickness(); }
    Kvmo::ErrorStatus setThickness(double t);
    KvGeVector3d normal() const { return planarNormal(); }
    Kvmo::ErrorStatus setNormal(const KvGeVector3d& n);
    double circumference() const;

    Kvmo::ErrorStatus getStartParam(double& param) const override;
    Kvmo::ErrorStatus getEndParam(double& param) const override;
    Kvmo::ErrorStatus getStartPoint(KvGePoint3d& point) const override;
    Kvmo::ErrorStatus getEndPoint(KvGePoint3d& point) const override;
    Kvmo::ErrorStatus getDistAtParam(double param, double& dist) const override;
    Kvmo::ErrorStatus getDistAtPoint(const KvGePoint3d& point, double& dist) const override;
    Kvmo::ErrorStatus getArea(double& area) const override;

    KvDbCircle* clone() const override;
    Kvmo::ErrorStatus moveBy(const KvGeVector3d& offset) override;

protected:
    KvDbCircle(const KvDbCircle&) = default;

private:
    KvGePoint3d m_center;
    double m_radius = 0.0;
};
