#include "EditCommands.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "kv/KvDbAttribute.h"
#include "kv/KvDbBlockReference.h"
#include "kv/KvDbBlockTableRecord.h"
#include "kv/KvDbDatabase.h"
#include "kv/KvEntityCopy.h"
#include "kv/KvString.h"
#include "shell/EditorInputParsing.h"
#include "shell/HostShell.h"

namespace {

void print(const std::string& text)
{
    HostShell::print(kvFromUtf8(text));
}

std::string u8(const std::u16string& text)
{
    return kvToUtf8(text);
}

// "INSERT F1": how an entity is named in messages.
std::string describe(const KvDbObject& object)
{
    return u8(object.dxfName()) + " " + u8(object.handle().text());
}

// The entity of a layout (model or paper space) the word names, or why there is none.
bool findLayoutEntity(HostShell& shell, const std::string& word, KvDbObjectId& id, std::string& why)
{
    KvDbHandle handle;
    if (!ParseHandle(word, handle)) {
        why = "\"" + word + "\" is not a handle.";
        return false;
    }
    const KvDbDatabase& db = shell.database();
    const KvDbObject* pObject = nullptr;
    if (db.getKvDbObjectId(id, handle) == Kvmo::eOk) pObject = db.objectAt(id);
    if (pObject == nullptr || pObject->isErased()) {
        why = "No object with handle " + u8(handle.text()) + " in the drawing.";
        return false;
    }
    const auto* pOwner = kvCast<KvDbBlockTableRecord>(db.objectAt(pObject->ownerId()));
    if (kvCast<KvDbEntity>(pObject) != nullptr && pOwner != nullptr && pOwner->isLayout()) return true;
    if (const auto* pRef = kvCast<KvDbBlockReference>(db.objectAt(pObject->ownerId())))
        why = describe(*pObject) + " belongs to " + describe(*pRef) + ": name the block reference.";
    else
        why = describe(*pObject) + " is not an entity of the drawing's layouts.";
    return false;
}

std::string number(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

void erase(HostShell& shell, const std::string& arguments)
{
    const std::vector<std::string> words = SplitWords(arguments);
    if (words.empty()) return print("ERASE needs the handles of the entities to erase.");
    std::vector<KvDbObjectId> ids;
    std::vector<std::string> problems;
    for (const std::string& word : words) {
        KvDbObjectId id;
        std::string why;
        if (!findLayoutEntity(shell, word, id, why))
            problems.push_back(why);
        else if (std::find(ids.begin(), ids.end(), id) == ids.end())
            ids.push_back(id);
    }
    if (!problems.empty()) {
        for (const std::string& why : problems) print(why);
        return print("Nothing erased.");
    }
    for (KvDbObjectId id : ids) {
        KvDbEntity* pEntity = nullptr;
        if (kvdbOpenKvDbEntity(pEntity, id, KvDb::kForWrite) != Kvmo::eOk) {
            print("Cannot open " + u8(shell.database().objectAt(id)->handle().text()) + " to erase it.");
            continue;
        }
        const std::string name = describe(*pEntity);
        const Kvmo::ErrorStatus es = pEntity->erase();
        // The attributes are the reference's own: they go with it.
        std::vector<KvDbObjectId> attributes;
        if (const auto* pRef = kvCast<KvDbBlockReference>(pEntity); pRef != nullptr && es == Kvmo::eOk)
            attributes = pRef->attributeIds();
        pEntity->close();
        if (es != Kvmo::eOk) {
            print("Cannot erase " + name + ".");
            continue;
        }
        for (KvDbObjectId idAttribute : attributes) {
            KvDbObject* pAttribute = nullptr;
            if (kvdbOpenKvDbObject(pAttribute, idAttribute, KvDb::kForWrite) != Kvmo::eOk) continue;
            pAttribute->erase();
            pAttribute->close();
        }
        print("Erased " + name +
              (attributes.empty() ? std::string() : " and its " + std::to_string(attributes.size()) + " attributes") +
              ".");
    }
}

void copy(HostShell& shell, const std::string& arguments)
{
    const std::size_t space = arguments.find_first_of(" \t");
    KvGePoint3d offset;
    if (space == std::string::npos || !ParsePoint(arguments.substr(space + 1), offset))
        return print("COPY needs a handle and an offset: COPY HANDLE DX,DY[,DZ].");
    KvDbObjectId idSource;
    std::string why;
    if (!findLayoutEntity(shell, arguments.substr(0, space), idSource, why)) return print(why);
    const KvDbDatabase& db = shell.database();
    const KvDbEntity& source = *kvCast<KvDbEntity>(db.objectAt(idSource));
    if (!source.extensionDictionary().isNull())
        return print("COPY cannot copy " + describe(source) +
                     " yet: what it keeps in its extension dictionary (a dynamic block's properties, for one) "
                     "would not follow.");
    KvDbObjectId idCopy;
    const Kvmo::ErrorStatus es = kvdbCopyEntity(idSource, KvGeVector3d(offset.x, offset.y, offset.z), idCopy);
    if (es == Kvmo::eNotApplicable)
        return print("COPY cannot copy " + describe(source) +
                     ": it copies lines, polylines, arcs, circles, points, 2D solids, texts, multiline texts and "
                     "block references.");
    if (es != Kvmo::eOk) return print("Cannot add a copy of " + describe(source) + " to the drawing.");
    const KvDbObject& copied = *db.objectAt(idCopy);
    const auto* pRef = kvCast<KvDbBlockReference>(&copied);
    const std::size_t nAttributes = pRef ? pRef->attributeIds().size() : 0;
    print("Copied " + describe(source) + " to " + u8(copied.handle().text()) +
          (nAttributes == 0 ? std::string() : " with " + std::to_string(nAttributes) + " attributes") + ", moved by " +
          number(offset.x) + "," + number(offset.y) + "," + number(offset.z) + ".");
}

// Tags compare as CAD programs compare them: ignoring case.
bool sameTag(const std::u16string& a, const std::u16string& b)
{
    auto fold = [](char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](char16_t x, char16_t y) { return fold(x) == fold(y); });
}

// A value may be quoted, to be empty or to keep spaces at its ends.
std::string unquoted(const std::string& text)
{
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"') return text.substr(1, text.size() - 2);
    return text;
}

void attedit(HostShell& shell, const std::string& arguments)
{
    const std::size_t first = arguments.find_first_of(" \t");
    const std::size_t tagStart = first == std::string::npos ? first : arguments.find_first_not_of(" \t", first);
    const std::size_t tagEnd = tagStart == std::string::npos ? tagStart : arguments.find_first_of(" \t", tagStart);
    const std::size_t valueStart = tagEnd == std::string::npos ? tagEnd : arguments.find_first_not_of(" \t", tagEnd);
    if (valueStart == std::string::npos)
        return print(
            "ATTEDIT needs a block reference's handle, an attribute tag and the new text: "
            "ATTEDIT HANDLE TAG VALUE.");
    KvDbObjectId idRef;
    std::string why;
    if (!findLayoutEntity(shell, arguments.substr(0, first), idRef, why)) return print(why);
    const auto* pRef = kvCast<KvDbBlockReference>(shell.database().objectAt(idRef));
    if (pRef == nullptr) return print(describe(*shell.database().objectAt(idRef)) + " is not a block reference.");
    const std::u16string csTag = kvFromUtf8(arguments.substr(tagStart, tagEnd - tagStart));
    const std::u16string csValue = kvFromUtf8(unquoted(arguments.substr(valueStart)));

    std::string tags;
    for (KvDbObjectId idAttribute : pRef->attributeIds()) {
        KvDbAttribute* pAttribute = nullptr;
        if (kvdbOpenObject(pAttribute, idAttribute, KvDb::kForWrite) != Kvmo::eOk) continue;
        if (!sameTag(pAttribute->tag(), csTag)) {
            tags += (tags.empty() ? "" : ", ") + u8(pAttribute->tag());
            pAttribute->close();
            continue;
        }
        const std::u16string csOld = pAttribute->textString();
        const Kvmo::ErrorStatus es = pAttribute->setTextString(csValue);
        const std::string name = u8(pAttribute->tag());
        pAttribute->close();
        if (es != Kvmo::eOk) return print("Cannot change attribute " + name + " of " + describe(*pRef) + ".");
        return print("Attribute " + name + " of " + describe(*pRef) + ": \"" + u8(csOld) + "\" -> \"" + u8(csValue) +
                     "\".");
    }
    print(describe(*pRef) +
          (tags.empty() ? " has no attributes." : " has no attribute " + u8(csTag) + " (its tags: " + tags + ")."));
}

}  // namespace

void AddEditCommands(HostShell& shell)
{
    shell.addHostCommand("ERASE", erase);
    shell.addHostCommand("COPY", copy);
    shell.addHostCommand("ATTEDIT", attedit);
}
