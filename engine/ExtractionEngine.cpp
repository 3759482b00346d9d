#include "engine/ExtractionEngine.h"

#include <algorithm>
#include <initializer_list>
#include <vector>

#include "engine/NumberText.h"
#include "kv/kv.h"

namespace {

// The drawing's LUPREC; 0 when the host does not answer.
int ReadLinearPrecision()
{
    resbuf value;
    if (kvedGetVar(u"LUPREC", &value) != RTNORM) return 0;
    switch (kvRbValueKind(value.restype)) {
    case KvRbValueKind::kShort: return value.resval.rint;
    case KvRbValueKind::kLong: return value.resval.rlong;
    default: return 0;
    }
}

std::u16string HandleText(const KvDbObject& object)
{
    KvDbHandle handle;
    object.getKvDbHandle(handle);
    char16_t buffer[32];
    if (!handle.getIntoAsciiBuffer(buffer, sizeof buffer / sizeof buffer[0])) return {};
    return buffer;
}

}  // namespace

ExtractionEngine::ExtractionEngine() = default;

ExtractionEngine::ExtractionEngine(const kv_name ss, std::int32_t count, const PropertyCatalog& catalogIn)
    : catalog(catalogIn)
{
    roundStep = StepFromPrecision(ReadLinearPrecision());

    // The records of each kind get their room first: growing lists of hundreds of thousands of
    // records would hold the old and the new storage at once. The kinds come from the drawing's
    // index, so that each object is visited once, when it is read: on a large drawing every
    // visit is a trip to memory.
    std::vector<KvDbObjectId> ids;
    ids.reserve(static_cast<std::size_t>(std::max<std::int32_t>(count, 0)));
    std::size_t counts[256] = {};  // by kind
    for (std::int32_t i = 0; i < count; ++i) {
        kv_name entityName = {0, 0};
        if (kvedSSName(ss, i, entityName) != RTNORM) continue;
        KvDbObjectId id;
        if (kvdbGetObjectId(id, entityName) != Kvmo::eOk) continue;
        ++counts[static_cast<std::size_t>(id.objectKind())];
        ids.push_back(id);
    }
    auto reserve = [&counts](auto& list, std::initializer_list<KvDbKind> kinds) {
        std::size_t n = 0;
        for (KvDbKind kind : kinds) n += counts[static_cast<std::size_t>(kind)];
        if (n > 0) list.reserve(n);
    };
    reserve(lsBlocks, {KvDbKind::kBlockReference, KvDbKind::kTable});
    reserve(lsPolyLines, {KvDbKind::kPolyline});
    reserve(lsLines, {KvDbKind::kLine});
    reserve(lsCircles, {KvDbKind::kCircle});
    reserve(lsArcs, {KvDbKind::kArc});
    reserve(lsSolids, {KvDbKind::kSolid});
    reserve(lsSolids3D, {KvDbKind::k3dSolid});
    reserve(lsPoints, {KvDbKind::kPoint});
    reserve(lsMTexts, {KvDbKind::kMText});
    for (const KvDbObjectId id : ids) {
        KvDbEntity* pEntity = nullptr;
        if (kvdbOpenKvDbEntity(pEntity, id, KvDb::kForRead) != Kvmo::eOk || !pEntity) continue;
        struct Close {
            KvDbEntity& entity;
            ~Close() { entity.close(); }
        } close{*pEntity};
        ReadObject(*pEntity, id);
    }
    // Records do not grow after this; what remains is for reading only.
    m_memo = ReaderMemo{};
}

void ExtractionEngine::ReadObject(KvDbEntity& entity, KvDbObjectId id)
{
    // The object's own kind; a table is a block reference to the readers.
    switch (entity.kind()) {
    case KvDbKind::kBlockReference:
    case KvDbKind::kTable:
        ReadBlockReference(static_cast<const KvDbBlockReference&>(entity), id, HandleText(entity));
        break;
    case KvDbKind::kPolyline: ReadPolyline(static_cast<const KvDbPolyline&>(entity), HandleText(entity)); break;
    case KvDbKind::kLine: ReadLine(static_cast<const KvDbLine&>(entity), HandleText(entity)); break;
    case KvDbKind::kCircle: ReadCircle(static_cast<const KvDbCircle&>(entity), HandleText(entity)); break;
    case KvDbKind::kArc: ReadArc(static_cast<const KvDbArc&>(entity), HandleText(entity)); break;
    case KvDbKind::k3dSolid: Read3dSolid(static_cast<const KvDb3dSolid&>(entity), HandleText(entity)); break;
    case KvDbKind::kSolid: ReadSolid(static_cast<const KvDbSolid&>(entity), HandleText(entity)); break;
    case KvDbKind::kPoint: ReadPoint(static_cast<const KvDbPoint&>(entity), HandleText(entity)); break;
    case KvDbKind::kMText: ReadMText(static_cast<const KvDbMText&>(entity), HandleText(entity)); break;
    default: break;
    }
}

const PropItemSet& ExtractionEngine::SelectObjectTypes(const std::vector<std::u16string>& lsObjectsSelIn)
{
    lsObjectsSel = lsObjectsSelIn;
    OfferedProperties offered = ::SelectObjectTypes(catalog, lsObjectsSel, blockPropItems);
    seHeaders = std::move(offered.seHeaders);
    seCategories = std::move(offered.seCategories);
    return seHeaders;
}

std::set<std::uint32_t> ExtractionEngine::KindsPresent() const
{
    std::set<std::uint32_t> seKinds;
    auto note = [&](bool bAny, ObjKind kind) {
        if (bAny) seKinds.insert(kind);
    };
    note(!lsBlocks.empty(), kObjBlock);
    note(!lsLines.empty(), kObjLine);
    note(!lsPolyLines.empty(), kObjPolyline);
    note(!lsArcs.empty(), kObjArc);
    note(!lsCircles.empty(), kObjCircle);
    note(!lsSolids.empty(), kObjSolid);
    note(!lsSolids3D.empty(), kObj3dSolid);
    note(!lsPoints.empty(), kObjPoint);
    note(!lsMTexts.empty(), kObjMText);
    return seKinds;
}

std::size_t ExtractionEngine::RecordCount() const
{
    return lsBlocks.size() + lsLines.size() + lsPolyLines.size() + lsArcs.size() + lsCircles.size() + lsSolids.size() +
           lsSolids3D.size() + lsPoints.size() + lsMTexts.size();
}
