#pragma once
#include <vector>

#include "kv/KvDbCurve.h"

// Lightweight polyline: 2D vertices with bulges and widths in its own plane.
class KvDbPolyline : public KvDbCurve {
public:
    KvDbPolyline() = default;
    struct Vertex {
        KvGePoint2d point;
        double bulge = 0.0;
        double startWidth = 0.0;
        double endWidth = 0.0;
        bool operator==(const Vertex&) const = default;
    };

    const char* isA() const override { return "KvDbPolyline"; }
    KV_DB_KIND(KvDbPolyline, kPolyline, kPolyline)
    std::u16string dxfName() const override { return u"LWPOLYLINE"; }

    unsigned int numVerts() const { return static_cast<unsigned int>(m_vertices.size()); }
    const std::vector<Vertex>& vertices() const { return m_vertices; }
    Kvmo::ErrorStatus addVertexAt(unsigned int index, const KvGePoint2d& pt, double bulge = 0.0,
                                  double startWidth = -1.0, double endWidth = -1.0);
    Kvmo::ErrorStatus getPointAt(unsigned int index, KvGePoint3d& pt) const;

    bool isClosed() const { return m_closed; }
    Kvmo::ErrorStatus setClosed(bool closed);
    // eOk with the width when every segment has the same constant width; otherwise
    // eInvalidInput and width 0.
    Kvmo::ErrorStatus getConstantWidth(double& width) const;
    Kvmo::ErrorStatus setConstantWidth(double width);
    bool hasPlinegen() const { return m_plinegen; }
    Kvmo::ErrorStatus setPlinegen(bool on);
    double elevation() const { return m_elevation; }
    Kvmo::ErrorStatus setElevation(double e);
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

    KvDbPolyline* clone() const override;
    Kvmo::ErrorStatus moveBy(const KvGeVector3d& offset) override;

protected:
    KvDbPolyline(const KvDbPolyline&) = default;

private:
    std::vector<Vertex> m_vertices;
    bool m_closed = false;
    bool m_plinegen = false;
    double m_elevation = 0.0;
};
