#pragma once
#include "kv/KvDbObject.h"
#include "kv/KvGeVector3d.h"
#include "kv/KvSharedName.h"

// Common properties of every graphical object.
class KvDbEntity : public KvDbObject {
public:
    KvDbEntity();
    const char* isA() const override { return "KvDbEntity"; }
    KV_DB_KIND(KvDbEntity, kEntity, kGenericEntity)

    // The block table record that holds the entity.
    KvDbObjectId blockId() const { return ownerId(); }

    const std::u16string& layer() const { return m_layer.str(); }
    Kvmo::ErrorStatus setLayer(const std::u16string& name);
    Kvmo::ErrorStatus setLayer(KvSharedName name);
    // 256 ByLayer, 0 ByBlock, 1..255 an index.
    std::uint16_t colorIndex() const { return m_colorIndex; }
    Kvmo::ErrorStatus setColorIndex(std::uint16_t index);
    // Linetype name as stored ("ByLayer", "ByBlock", "Continuous", ...).
    const std::u16string& linetype() const;
    Kvmo::ErrorStatus setLinetype(const std::u16string& name);
    Kvmo::ErrorStatus setLinetype(KvSharedName name);
    double linetypeScale() const { return seldom() ? seldom()->linetypeScale : 1.0; }
    Kvmo::ErrorStatus setLinetypeScale(double scale);
    // Hundredths of a millimetre, or KvDb::LineWeight's negative values.
    int lineWeight() const { return m_lineWeight; }
    Kvmo::ErrorStatus setLineWeight(int weight);
    // Plot-style name ("ByLayer" unless set).
    const std::u16string& plotStyleName() const;
    Kvmo::ErrorStatus setPlotStyleName(const std::u16string& name);
    bool visible() const { return m_visible; }
    Kvmo::ErrorStatus setVisibility(bool visible);
    // True colour 0xRRGGBB, shown instead of the colour index; -1 when the entity has none.
    std::int32_t trueColor() const { return seldom() ? seldom()->trueColor : -1; }
    Kvmo::ErrorStatus setTrueColor(std::int32_t rgb);

    // A copy not yet in any drawing, as the COPY command makes one: the same values and
    // extended data (a block reference without its attributes, which are copied one by one).
    // Null for kinds that cannot be copied.
    virtual KvDbEntity* clone() const { return nullptr; }
    // Moves the entity by an offset in world coordinates; eNotApplicable for kinds that cannot
    // be moved.
    virtual Kvmo::ErrorStatus moveBy(const KvGeVector3d& offset);
    // The entity a copy was made from (the first of a chain of copies), null for others: a
    // drawing file keeps there what the database does not interpret, for the copy too.
    KvDbObjectId copiedFrom() const { return seldom() ? seldom()->copiedFrom : KvDbObjectId(); }

protected:
    KvDbEntity(const KvDbEntity& other);
    // A setNormal's body: a zero vector is refused, any other is kept as a unit vector.
    Kvmo::ErrorStatus assignNormal(KvGeVector3d& normal, const KvGeVector3d& value);
    // Thickness and normal of the kinds that have them: seldom values, as most entities lie
    // flat in the drawing's plane.
    double planarThickness() const { return seldom() ? seldom()->thickness : 0.0; }
    KvGeVector3d planarNormal() const { return seldom() ? seldom()->normal : KvGeVector3d(0, 0, 1); }
    Kvmo::ErrorStatus setPlanarThickness(double thickness);
    Kvmo::ErrorStatus setPlanarNormal(const KvGeVector3d& normal);

private:
    // Linetype, plot style, linetype scale, true colour and copiedFrom are seldom values
    // (KvDbObject): most entities draw with their layer's linetype.
    // The small values first: they go in the tail of the object's part.
    bool m_visible = true;
    std::uint16_t m_colorIndex = 256;
    std::int16_t m_lineWeight = KvDb::kLnWtByLayer;  // -3..211
    KvSharedName m_layer;
};

Kvmo::ErrorStatus kvdbOpenKvDbEntity(KvDbEntity*& entity, KvDbObjectId id, KvDb::OpenMode mode,
                                     bool openErased = false);

// Any entity the database does not interpret, kept by its drawing-file type name.
class KvDbGenericEntity : public KvDbEntity {
public:
    explicit KvDbGenericEntity(std::u16string typeName) : m_typeName(std::move(typeName)) {}
    const char* isA() const override { return "KvDbGenericEntity"; }
    KV_DB_KIND(KvDbGenericEntity, kGenericEntity, kGenericEntity)
    std::u16string dxfName() const override { return m_typeName; }

private:
    std::u16string m_typeName;
};
