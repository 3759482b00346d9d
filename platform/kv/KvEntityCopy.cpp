// Copies of entities and moving them, for the host's COPY command. Points a drawing stores in
// the entity's own coordinate system (circles, arcs, solids, polylines, block references) move
// by the offset seen in that system.
#include "kv/KvEntityCopy.h"

#include <memory>
#include <vector>

#include "KvInternal.h"
#include "kv/KvDbArc.h"
#include "kv/KvDbAttribute.h"
#include "kv/KvDbBlockReference.h"
#include "kv/KvDbBlockTableRecord.h"
#include "kv/KvDbCircle.h"
#include "kv/KvDbLine.h"
#include "kv/KvDbMText.h"
#include "kv/KvDbPoint.h"
#include "kv/KvDbPolyline.h"
#include "kv/KvDbSolid.h"
#include "kv/KvDbText.h"

namespace {

KvGeVector3d inOwnSystem(const KvGeVector3d& offset, const KvGeVector3d& normal)
{
    KvGeVector3d xAxis, yAxis;
    kvinternal::ocsAxes(normal, xAxis, yAxis);
    const KvGeVector3d zAxis = normal.normal();
    return {offset.dotProduct(xAxis), offset.dotProduct(yAxis), offset.dotProduct(zAxis)};
}

}  // namespace

KvDbLine* KvDbLine::clone() const
{
    return new KvDbLine(*this);
}
Kvmo::ErrorStatus KvDbLine::moveBy(const KvGeVector3d& offset)
{
    if (!canWrite()) return Kvmo::eNotOpenForWrite;
    m_start = m_start + offset;
    m_end = m_end + offset;
    return Kvmo::eOk;
}

KvDbCircle* KvDbCircle::clone() const
{
    return new KvDbCircle(*this);
}
Kvmo::ErrorStatus KvDbCircle::moveBy(const KvGeVector3d& offset)
{
    return assignIfWritable(m_center, m_center + inOwnSystem(offset, planarNormal()));
}

KvDbArc* KvDbArc::clone() const
{
    return new KvDbArc(*this);
}
Kvmo::ErrorStatus KvDbArc::moveBy(const KvGeVector3d& offset)
{
    return assignIfWritable(m_center, m_center + inOwnSystem(offset, planarNormal()));
}

KvDbPoint* KvDbPoint::clone() const
{
    return new KvDbPoint(*this);
}
Kvmo::ErrorStatus KvDbPoint::moveBy(const KvGeVector3d& offset)
{
    return assignIfWritable(m_position, m_position + offset);
}

KvDbSolid* KvDbSolid::clone() const
{
    return new KvDbSolid(*this);
}
Kvmo::ErrorStatus KvDbSolid::moveBy(const KvGeVector3d& offset)
{
    if (!canWrite()) return Kvmo::eNotOpenForWrite;
    const KvGeVector3d own = inOwnSystem(offset, planarNormal());
    for (KvGePoint3d& point : m_points) point = point + own;
    return Kvmo::eOk;
}

KvDbPolyline* KvDbPolyline::clone() const
{
    return new KvDbPolyline(*this);
}
Kvmo::ErrorStatus KvDbPolyline::moveBy(const KvGeVector3d& offset)
{
    if (!canWrite()) return Kvmo::eNotOpenForWrite;
    const KvGeVector3d own = inOwnSystem(offset, planarNormal());
    for (Vertex& vertex : m_vertices) vertex.point = KvGePoint2d(vertex.point.x + own.x, vertex.point.y + own.y);
    m_elevation += own.z;
    return Kvmo::eOk;
}

KvDbMText* KvDbMText::clone() const
{
    return new KvDbMText(*this);
}
Kvmo::ErrorStatus KvDbMText::moveBy(const KvGeVector3d& offset)
{
    return assignIfWritable(m_location, m_location + offset);
}

// Texts are read without their normal: they lie in the world's plane.
KvDbText* KvDbText::clone() const
{
    return new KvDbText(*this);
}
Kvmo::ErrorStatus KvDbText::moveBy(const KvGeVector3d& offset)
{
    return assignIfWritable(m_position, m_position + offset);
}

KvDbAttribute* KvDbAttribute::clone() const
{
    return new KvDbAttribute(*this);
}

// The attributes are the reference's own objects: a copy starts without them.
KvDbBlockReference* KvDbBlockReference::clone() const
{
    auto* pCopy = new KvDbBlockReference(*this);
    pCopy->m_attributes.clear();
    return pCopy;
}
Kvmo::ErrorStatus KvDbBlockReference::moveBy(const KvGeVector3d& offset)
{
    return assignIfWritable(m_position, m_position + inOwnSystem(offset, normal()));
}

Kvmo::ErrorStatus kvdbCopyEntity(KvDbObjectId idSource, const KvGeVector3d& offset, KvDbObjectId& idCopy)
{
    idCopy = KvDbObjectId();
    KvDbEntity* pSource = nullptr;
    if (const Kvmo::ErrorStatus es = kvdbOpenKvDbEntity(pSource, idSource, KvDb::kForRead); es != Kvmo::eOk) return es;
    std::unique_ptr<KvDbEntity> pCopy(pSource->extensionDictionary().isNull() ? pSource->clone() : nullptr);
    const KvDbObjectId idOwner = pSource->ownerId();
    std::vector<KvDbObjectId> attributes;
    if (const auto* pRef = kvCast<KvDbBlockReference>(pSource)) attributes = pRef->attributeIds();
    pSource->close();
    if (!pCopy) return Kvmo::eNotApplicable;
    pCopy->moveBy(offset);

    KvDbBlockTableRecord* pOwner = nullptr;
    if (const Kvmo::ErrorStatus es = kvdbOpenObject(pOwner, idOwner, KvDb::kForWrite); es != Kvmo::eOk) return es;
    const Kvmo::ErrorStatus es = pOwner->appendKvDbEntity(idCopy, pCopy.get());
    pOwner->close();
    if (es != Kvmo::eOk) return es;
    KvDbEntity* pAdded = pCopy.release();  // the drawing's now, open for write

    auto* pRef = kvCast<KvDbBlockReference>(pAdded);
    for (KvDbObjectId idAttribute : attributes) {
        KvDbAttribute* pAttribute = nullptr;
        if (pRef == nullptr || kvdbOpenObject(pAttribute, idAttribute, KvDb::kForRead) != Kvmo::eOk) continue;
        std::unique_ptr<KvDbAttribute> pAttributeCopy(pAttribute->clone());
        pAttribute->close();
        pAttributeCopy->moveBy(offset);
        KvDbObjectId idAttributeCopy;
        if (pRef->appendAttribute(idAttributeCopy, pAttributeCopy.get()) == Kvmo::eOk)
            pAttributeCopy.release()->close();
    }
    pAdded->close();
    return Kvmo::eOk;
}
