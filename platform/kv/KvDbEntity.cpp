#include "kv/KvDbEntity.h"

#include "KvInternal.h"

KvDbEntity::KvDbEntity()
{
    // Looked up once: every entity starts with it.
    static const KvSharedName kLayerZero(u"0");
    m_layer = kLayerZero;
}

KvDbEntity::KvDbEntity(const KvDbEntity& other)
    : KvDbObject(other),
      m_visible(other.m_visible),
      m_colorIndex(other.m_colorIndex),
      m_lineWeight(other.m_lineWeight),
      m_layer(other.m_layer)
{
    // The true colour is not copied.
    const KvDbObjectId from = other.copiedFrom().isNull() ? other.objectId() : other.copiedFrom();
    if (!from.isNull()) seldomForWrite().copiedFrom = from;
    if (const Seldom* theirs = other.seldom()) {
        Seldom& mine = seldomForWrite();
        mine.plotStyleName = theirs->plotStyleName;
        mine.linetype = theirs->linetype;
        mine.linetypeScale = theirs->linetypeScale;
        mine.thickness = theirs->thickness;
        mine.normal = theirs->normal;
    }
}

namespace {
const KvSharedName& byLayer()
{
    static const KvSharedName kByLayer(u"ByLayer");
    return kByLayer;
}
}  // namespace

const std::u16string& KvDbEntity::plotStyleName() const
{
    return seldom() ? seldom()->plotStyleName.str() : byLayer().str();
}

const std::u16string& KvDbEntity::linetype() const
{
    return seldom() ? seldom()->linetype.str() : byLayer().str();
}

Kvmo::ErrorStatus KvDbEntity::moveBy(const KvGeVector3d&)
{
    return Kvmo::eNotApplicable;
}

Kvmo::ErrorStatus KvDbEntity::setLayer(const std::u16string& name)
{
    return setLayer(KvSharedName(name));
}

Kvmo::ErrorStatus KvDbEntity::setLayer(KvSharedName name)
{
    if (name.str().empty()) return Kvmo::eInvalidInput;
    return assignIfWritable(m_layer, name);
}

Kvmo::ErrorStatus KvDbEntity::setColorIndex(std::uint16_t index)
{
    if (index > 256) return Kvmo::eOutOfRange;
    return assignIfWritable(m_colorIndex, index);
}

Kvmo::ErrorStatus KvDbEntity::setTrueColor(std::int32_t rgb)
{
    if (rgb < -1 || rgb > 0xFFFFFF) return Kvmo::eOutOfRange;
    return assignSeldomIfWritable(&Seldom::trueColor, rgb, -1);
}

Kvmo::ErrorStatus KvDbEntity::setLinetype(const std::u16string& name)
{
    return setLinetype(KvSharedName(name));
}

Kvmo::ErrorStatus KvDbEntity::setLinetype(KvSharedName name)
{
    if (name.str().empty()) return Kvmo::eInvalidInput;
    return assignSeldomIfWritable(&Seldom::linetype, name, byLayer());
}

Kvmo::ErrorStatus KvDbEntity::setLinetypeScale(double scale)
{
    if (!(scale > 0.0)) return Kvmo::eOutOfRange;
    return assignSeldomIfWritable(&Seldom::linetypeScale, scale, 1.0);
}

Kvmo::ErrorStatus KvDbEntity::setLineWeight(int weight)
{
    if (weight < KvDb::kLnWtByLwDefault || weight > 211) return Kvmo::eOutOfRange;
    return assignIfWritable(m_lineWeight, static_cast<std::int16_t>(weight));
}

Kvmo::ErrorStatus KvDbEntity::setPlotStyleName(const std::u16string& name)
{
    static const KvSharedName kByLayer(u"ByLayer");
    return assignSeldomIfWritable(&Seldom::plotStyleName, KvSharedName(name), kByLayer);
}

Kvmo::ErrorStatus KvDbEntity::setVisibility(bool visible)
{
    return assignIfWritable(m_visible, visible);
}

Kvmo::ErrorStatus kvdbOpenKvDbEntity(KvDbEntity*& entity, KvDbObjectId id, KvDb::OpenMode mode, bool openErased)
{
    return kvdbOpenObject(entity, id, mode, openErased);
}

Kvmo::ErrorStatus KvDbEntity::setPlanarThickness(double thickness)
{
    if (!canWrite()) return Kvmo::eNotOpenForWrite;
    const double none = 0.0;
    if (seldom() || !kvinternal::sameBits(&thickness, &none, 1)) seldomForWrite().thickness = thickness;
    return Kvmo::eOk;
}

Kvmo::ErrorStatus KvDbEntity::setPlanarNormal(const KvGeVector3d& normal)
{
    KvGeVector3d unit = planarNormal();
    if (const Kvmo::ErrorStatus es = assignNormal(unit, normal); es != Kvmo::eOk) return es;
    const double given[] = {unit.x, unit.y, unit.z}, plain[] = {0.0, 0.0, 1.0};
    if (seldom() || !kvinternal::sameBits(given, plain, 3)) seldomForWrite().normal = unit;
    return Kvmo::eOk;
}

Kvmo::ErrorStatus KvDbEntity::assignNormal(KvGeVector3d& normal, const KvGeVector3d& value)
{
    if (value.length() == 0.0) return Kvmo::eInvalidInput;
    return assignIfWritable(normal, value.normal());
}
