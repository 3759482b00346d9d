#pragma once
#include "kv/KvDbCurve.h"

class KvDbLine : public KvDbCurve {
public:
    KvDbLine() = default;
    KvDbLine(const KvGePoint3d& start, const KvGePoint3d& end) : m_start(start), m_end(end) {}
    const char* isA() const override { return "KvDbLine"; }
    KV_DB_KIND(KvDbLine, kLine, kLine)
    std::u16string dxfName() const override { return u"LINE"; }

    KvGePoint3d startPoint() const { return m_start; }
    Kvmo::ErrorStatus setStartPoint(const KvGePoint3d& p);
    KvGePoint3d endPoint() const { return m_end; }
    Kvmo::ErrorStatus setEndPoint(const KvGePoint3d& p);
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

    KvDbLine* clone() const override;
    Kvmo::ErrorStatus moveBy(const KvGeVector3d& offset) override;

protected:
    KvDbLine(const KvDbLine&) = default;

private:
    KvGePoint3d m_start, m_end;
};
