#pragma once
#include "kv/KvDbEntity.h"
#include "kv/KvGePoint3d.h"
#include "kv/KvPackedText.h"

// Single-line text.
class KvDbText : public KvDbEntity {
public:
    KvDbText() = default;
    const char* isA() const override { return "KvDbText"; }
    KV_DB_KIND(KvDbText, kText, kAttribute)
    std::u16string dxfName() const override { return u"TEXT"; }

    KvGePoint3d position() const { return m_position; }
    Kvmo::ErrorStatus setPosition(const KvGePoint3d& p);
    // A copy: the object keeps its text packed (KvPackedText).
    std::u16string textString() const { return m_text.str(); }
    Kvmo::ErrorStatus setTextString(std::u16string text);
    double height() const { return m_height; }
    Kvmo::ErrorStatus setHeight(double h);
    double rotation() const { return m_rotation; }
    Kvmo::ErrorStatus setRotation(double radians);
    KvDbObjectId textStyle() const { return m_textStyle; }
    Kvmo::ErrorStatus setTextStyle(KvDbObjectId id);

    KvDbText* clone() const override;
    Kvmo::ErrorStatus moveBy(const KvGeVector3d& offset) override;

protected:
    KvDbText(const KvDbText&) = default;

private:
    KvGePoint3d m_position;
    double m_height = 2.5;
    double m_rotation = 0.0;
    KvDbObjectId m_textStyle;
    KvPackedText m_text;  // last: an attribute's flag fits in the byte after it
};
