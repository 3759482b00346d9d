#include "engine/ExtractionEngine.h"

#include <typeinfo>

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
    char16_t buffer[32] = {};
    if (!handle.getIntoAsciiBuffer(buffer, sizeof buffer / sizeof buffer[0])) return {};
    return buffer;
}

// The readers in the order the class tests are made; 0 for an object of no supported kind.
enum Reader { kNone, kBlock, kPolyline, kLine, kCircle, kArc, k3dSolid, kSolid, kPoint, kMText };

Reader ReaderOf(const KvDbEntity& entity)
{
    if (kvCast<KvDbBlockReference>(&entity)) return kBlock;
    if (kvCast<KvDbPolyline>(&entity)) return kPolyline;
    if (kvCast<KvDbLine>(&entity)) return kLine;
    if (kvCast<KvDbCircle>(&entity)) return kCircle;
    if (kvCast<KvDbArc>(&entity)) return kArc;
    if (kvCast<KvDb3dSolid>(&entity)) return k3dSolid;
    if (kvCast<KvDbSolid>(&entity)) return kSolid;
    if (kvCast<KvDbPoint>(&entity)) return kPoint;
    if (kvCast<KvDbMText>(&entity)) return kMText;
    return kNone;
}

}  // namespace

ExtractionEngine::ExtractionEngine() = default;

ExtractionEngine::ExtractionEngine(const kv_name ss, std::int32_t count, const PropertyCatalog& catalogIn)
    : catalog(catalogIn)
{
    roundStep = StepFromPrecision(ReadLinearPrecision());

    for (std::int32_t i = 0; i < count; ++i) {
        kv_name entityName = {0, 0};
        if (kvedSSName(ss, i, entityName) != RTNORM) continue;
        KvDbObjectId id;
        if (kvdbGetObjectId(id, entityName) != Kvmo::eOk) continue;
        KvDbEntity* pEntity = nullptr;
        if (kvdbOpenKvDbEntity(pEntity, id, KvDb::kForRead) != Kvmo::eOk || !pEntity) continue;
        ReadObject(*pEntity, id);
        pEntity->close();
    }
    // Records do not grow after this; what remains is for reading only.
    m_memo = ReaderMemo{};
}

void ExtractionEngine::ReadObject(KvDbEntity& entity, KvDbObjectId id)
{
    // The class tests give the same answer for every object of one run-time class: they are
    // made once per class.
    const std::type_info* pType = &typeid(entity);
    if (pType != m_memo.pLastType) {
        auto it = m_memo.typeReaders.begin();
        while (it != m_memo.typeReaders.end() && it->first != pType) ++it;
        if (it == m_memo.typeReaders.end()) it = m_memo.typeReaders.insert(it, {pType, ReaderOf(entity)});
        m_memo.pLastType = pType;
        m_memo.iLastReader = it->second;
    }
    if (m_memo.iLastReader == kNone) return;

    const std::u16string csHandle = HandleText(entity);
    switch (m_memo.iLastReader) {
    case kBlock: ReadBlockReference(static_cast<const KvDbBlockReference&>(entity), id, csHandle); break;
    case kPolyline: ReadPolyline(static_cast<const KvDbPolyline&>(entity), csHandle); break;
    case kLine: ReadLine(static_cast<const KvDbLine&>(entity), csHandle); break;
    case kCircle: ReadCircle(static_cast<const KvDbCircle&>(entity), csHandle); break;
    case kArc: ReadArc(static_cast<const KvDbArc&>(entity), csHandle); break;
    case k3dSolid: Read3dSolid(static_cast<const KvDb3dSolid&>(entity), csHandle); break;
    case kSolid: ReadSolid(static_cast<const KvDbSolid&>(entity), csHandle); break;
    case kPoint: ReadPoint(static_cast<const KvDbPoint&>(entity), csHandle); break;
    case kMText: ReadMText(static_cast<const KvDbMText&>(entity), csHandle); break;
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
