#pragma once
// Building a drawing through the host interface.
#include <gtest/gtest.h>

#include <string>

#include "kv/kv.h"

// Appends the entity to the drawing's model space; the callback runs while it is still open
// for write, then it is closed.
template <class T, class Edit = void (*)(T&)>
KvDbObjectId AppendToModelSpace(
    KvDbDatabase& db, T* pEntity, Edit edit = [](T&) {})
{
    KvDbBlockTableRecord* pSpace = nullptr;
    EXPECT_EQ(kvdbOpenObject(pSpace, db.modelSpaceId(), KvDb::kForWrite), Kvmo::eOk);
    KvDbObjectId id;
    EXPECT_EQ(pSpace->appendKvDbEntity(id, pEntity), Kvmo::eOk);
    pSpace->close();
    edit(*pEntity);
    pEntity->close();
    return id;
}

// The block record of that name, added when the drawing lacks it.
inline KvDbObjectId BlockDefinition(KvDbDatabase& db, const std::u16string& csName)
{
    KvDbBlockTable* pTable = nullptr;
    EXPECT_EQ(db.getBlockTable(pTable, KvDb::kForWrite), Kvmo::eOk);
    KvDbObjectId idRecord;
    if (pTable->getAt(csName, idRecord) != Kvmo::eOk) {
        auto* pRecord = new KvDbBlockTableRecord;
        pRecord->setName(csName);
        EXPECT_EQ(pTable->add(idRecord, pRecord), Kvmo::eOk);
        pRecord->close();
    }
    pTable->close();
    return idRecord;
}

// Appends an attribute to a reference open for write.
inline void AppendAttribute(KvDbBlockReference& reference, const std::u16string& csTag, const std::u16string& csText)
{
    auto* pAttribute = new KvDbAttribute;
    pAttribute->setTag(csTag);
    pAttribute->setTextString(csText);
    KvDbObjectId idAttribute;
    EXPECT_EQ(reference.appendAttribute(idAttribute, pAttribute), Kvmo::eOk);
    pAttribute->close();
}

inline KvDbHandle ObjectHandle(KvDbObjectId id)
{
    return id.database()->objectAt(id)->handle();
}

inline std::u16string HandleText(KvDbObjectId id)
{
    return ObjectHandle(id).text();
}
