#pragma once
#include "kv/KvDbEntity.h"
#include "kv/KvGePoint3d.h"

class KvDbPoint : public KvDbEntity {
public:
    KvDbPoint() = default;
    explicit KvDbPoint(const KvGePoint3d& position) : m_position(position) {}
    const char* isA() const override { return "KvDbPoint"; }
    KV_DB_KIND(KvDbPoint, kPoint, kPoint)
    std::u16string dxfName() const override { return u"POINT"; }

    KvGePoint3d position() const { return m_position; }
    Kvmo::ErrorStatus setPosition(const KvGePoint3d& p);
    double thickness() const { return planarThickness(); }
    Kvmo::ErrorStatus setThickness(double t);
    KvGeVector3d normal() const { return planarNormal(); }
    Kvmo::ErrorStatus setNormal(const KvGeVector3d& n);
    double ecsRotation() const { return m_ecsRotation; }
    Kvmo::ErrorStatus setEcsRotation(double r);

    KvDbPoint* clone() const override;
    Kvmo::ErrorStatus moveBy(const KvGeVector3d& offset) override;

protected:
    KvDbPoint(const KvDbPoint&) = default;

private:
    KvGePoint3d m_position;
    double m_ecsRotation = 0.0;
};
