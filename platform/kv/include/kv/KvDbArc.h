#pragma once
#include "kv/KvDbCurve.h"

// Arc from startAngle to endAngle (radians, counter-clockwise about the normal).
class KvDbArc : public KvDbCurve {
public:
    KvDbArc() = default;
    KvDbArc(const KvGePoint3d& center, double radius, double startAngle, double endAngle)
        : m_center(center), m_radius(radius), m_startAngle(startAngle), m_endAngle(endAngle)
    {
    }
    const char* isA() const override { return "KvDbArc"; }
    KV_DB_KIND(KvDbArc, kArc, kArc)
    std::u16string dxfName() const override { return u"ARC"; }

    KvGePoint3d center() const { return m_center; }
    Kvmo::ErrorStatus setCenter(const KvGePoint3d& c);
    double radius() const { return m_radius; }
    Kvmo::ErrorStatus setRadius(double r);
    double startAngle() const { return m_startAngle; }
    Kvmo::ErrorStatus setStartAngle(double a);
    double endAngle() const { return m_endAngle; }
    Kvmo::ErrorStatus setEndAngle(double a);
    // Swept angle in radians, in (0, 2*pi].
    double totalAngle() const;
    double thickness() const { return planarThickness(); }
    Kvmo::ErrorStatus setThickness(double t);
    KvGeVector3d normal() const { return planarNormal(); }
    Kvmo::ErrorStatus setNormal(const KvGeVector3d& n);

    Kvmo::ErrorStatus getStartParam(double& param) const override;
    Kvmo::ErrorStatus getEndParam(double& param) const override;
    Kvmo::ErrorStatus getStartPoint(KvGePoint3d& point) const override;
    Kvmo::ErrorStatus getEndPoint(KvGePoint3d& point) const override;
    Kvmo::ErrorStatus getDistAtParam(double param, double& dist) const override;
    Kvmo::ErrorStatus getDistAtPoint(const KvGePoint3d& point, double& dist) const override;
    Kvmo::ErrorStatus getArea(double& area) const override;

    KvDbArc* clone() const override;
    Kvmo::ErrorStatus moveBy(const KvGeVector3d& offset) override;

protected:
    KvDbArc(const KvDbArc&) = default;

private:
    KvGePoint3d m_center;
    double m_radius = 0.0;
    double m_startAngle = 0.0;
    double m_endAngle = 0.0;
};
