#pragma once
#include "kv/KvDbEntity.h"
#include "kv/KvGePoint3d.h"

// 2D solid: a filled triangle or quadrilateral.
class KvDbSolid : public KvDbEntity {
public:
    KvDbSolid() = default;
    const char* isA() const override { return "KvDbSolid"; }
    KV_DB_KIND(KvDbSolid, kSolid, kSolid)
    std::u16string dxfName() const override { return u"SOLID"; }

    Kvmo::ErrorStatus getPointAt(unsigned int index, KvGePoint3d& point) const;  // index 0..3
    Kvmo::ErrorStatus setPointAt(unsigned int index, const KvGePoint3d& point);
    double thickness() const { return planarThickness(); }
    Kvmo::ErrorStatus setThickness(double t);
    KvGeVector3d normal() const { return planarNormal(); }
    Kvmo::ErrorStatus setNormal(const KvGeVector3d& n);

    KvDbSolid* clone() const override;
    Kvmo::ErrorStatus moveBy(const KvGeVector3d& offset) override;

protected:
    KvDbSolid(const KvDbSolid&) = default;

private:
    KvGePoint3d m_points[4];
};
