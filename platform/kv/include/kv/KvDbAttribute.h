#pragma once
#include "kv/KvDbText.h"
#include "kv/KvSharedName.h"

// Attribute of a block reference: a tagged text owned by the reference.
class KvDbAttribute : public KvDbText {
public:
    KvDbAttribute() = default;
    const char* isA() const override { return "KvDbAttribute"; }
    KV_DB_KIND(KvDbAttribute, kAttribute, kAttribute)
    std::u16string dxfName() const override { return u"ATTRIB"; }

    const std::u16string& tag() const { return m_tag.str(); }
    Kvmo::ErrorStatus setTag(const std::u16string& tag);
    Kvmo::ErrorStatus setTag(KvSharedName tag) { return assignIfWritable(m_tag, tag); }
    bool isInvisible() const { return m_invisible; }
    Kvmo::ErrorStatus setInvisible(bool invisible);

    KvDbAttribute* clone() const override;

protected:
    KvDbAttribute(const KvDbAttribute&) = default;

private:
    bool m_invisible = false;  // first: in the text's last word
    KvSharedName m_tag;
};
