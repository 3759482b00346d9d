#pragma once
#include <string>
#include <vector>

#include "kv/KvDbEntity.h"

// 3D solid; its modeler data is kept opaque, line by line.
class KvDb3dSolid : public KvDbEntity {
public:
    const char* isA() const override { return "KvDb3dSolid"; }
    KV_DB_KIND(KvDb3dSolid, k3dSolid, k3dSolid)
    std::u16string dxfName() const override { return u"3DSOLID"; }

    const std::vector<std::string>& modelerData() const { return m_modelerData; }
    void setModelerData(std::vector<std::string> data) { m_modelerData = std::move(data); }

private:
    std::vector<std::string> m_modelerData;
};
