#include "drawing/NewObjectClassification.h"

#include "kv/KvDb3dSolid.h"
#include "kv/KvDbArc.h"
#include "kv/KvDbBlockReference.h"
#include "kv/KvDbCircle.h"
#include "kv/KvDbLine.h"
#include "kv/KvDbPoint.h"
#include "kv/KvDbPolyline.h"
#include "kv/KvDbSolid.h"
#include "kv/KvDbTable.h"
#include "kv/KvEdFunctions.h"

namespace {

// Entry of the kind-name list, or -1 for an object of no extracted kind.
int KindNameIndex(const KvDbEntity& entity)
{
    if (kvCast<KvDbTable>(&entity) != nullptr) return -1;
    if (kvCast<KvDbBlockReference>(&entity) != nullptr) return 0;
    if (kvCast<KvDbPolyline>(&entity) != nullptr) return 2;
    if (kvCast<KvDbLine>(&entity) != nullptr) return 1;
    if (kvCast<KvDbCircle>(&entity) != nullptr) return 4;
    if (kvCast<KvDbArc>(&entity) != nullptr) return 3;
    if (kvCast<KvDb3dSolid>(&entity) != nullptr) return 6;
    if (kvCast<KvDbSolid>(&entity) != nullptr) return 5;
    if (kvCast<KvDbPoint>(&entity) != nullptr) return 7;
    return -1;
}

}  // namespace

NewObjects ClassifyNewObjects(const kv_name ss, std::int32_t nCount, const std::vector<std::u16string>& lsObjNames)
{
    NewObjects result;
    for (std::int32_t i = 0; i < nCount; ++i) {
        kv_name enObject = {0, 0};
        KvDbObjectId idObject;
        KvDbEntity* pEntity = nullptr;
        if (kvedSSName(ss, i, enObject) != RTNORM || kvdbGetObjectId(idObject, enObject) != Kvmo::eOk ||
            kvdbOpenKvDbEntity(pEntity, idObject, KvDb::kForRead) != Kvmo::eOk) {
            continue;
        }
        const int iKind = KindNameIndex(*pEntity);
        if (iKind >= 0 && static_cast<std::size_t>(iKind) < lsObjNames.size()) {
            KvDbHandle handle;
            pEntity->getKvDbHandle(handle);
            char16_t szHandle[20] = {};
            handle.getIntoAsciiBuffer(szHandle, sizeof szHandle / sizeof szHandle[0]);
            result.lsHandles.emplace_back(szHandle);
            result.seTypeNames.insert(lsObjNames[static_cast<std::size_t>(iKind)]);
        }
        pEntity->close();
    }
    return result;
}
