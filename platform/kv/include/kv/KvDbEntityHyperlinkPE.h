#pragma once
#include <string>
#include <vector>

#include "kv/KvStatus.h"

class KvDbObject;

class KvDbHyperlink {
public:
    KvDbHyperlink() = default;
    KvDbHyperlink(std::u16string name, std::u16string description = {}, std::u16string subLocation = {})
        : m_name(std::move(name)), m_description(std::move(description)), m_subLocation(std::move(subLocation))
    {
    }
    const std::u16string& name() const { return m_name; }
    const std::u16string& description() const { return m_description; }
    const std::u16string& subLocation() const { return m_subLocation; }

private:
    std::u16string m_name, m_description, m_subLocation;
};

class KvDbHyperlinkCollection {
public:
    int count() const { return static_cast<int>(m_items.size()); }
    const KvDbHyperlink* item(int index) const;
    void addTail(const KvDbHyperlink& link) { m_items.push_back(link); }

private:
    std::vector<KvDbHyperlink> m_items;
};

// Hyperlinks of an entity, stored as its "PE_URL" extended data: each hyperlink is a
// 1000 entry (the name) followed by a 1002 "{" ... "}" block holding the description
// (1000) and the sub-location (1000).
class KvDbEntityHyperlinkPE {
public:
    static KvDbEntityHyperlinkPE* cast(const KvDbObject* object);  // null for non-entities

    Kvmo::ErrorStatus hasHyperlink(const KvDbObject* object, bool& has, bool ignoreBlockDefinition = true) const;
    // The collection is new and the caller's to delete.
    Kvmo::ErrorStatus getHyperlinkCollection(const KvDbObject* object, KvDbHyperlinkCollection*& collection,
                                             bool oneOnly = false, bool ignoreBlockDefinition = true) const;
    // Needs the object open for write; registers "PE_URL" when needed.
    Kvmo::ErrorStatus setHyperlinkCollection(KvDbObject* object, const KvDbHyperlinkCollection* collection) const;
};
