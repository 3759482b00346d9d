#include "KvTestDrawing.h"

class BlockReferenceTest : public KvDrawingTest {
protected:
    KvDbObjectId addBlock(const std::u16string& name) { return BlockDefinition(db, name); }
};

// A dynamic reference's definition and values, and a plain reference: BlockReaderTest.
TEST_F(BlockReferenceTest, DynamicDefinitionsAndReadOnlyValues)
{
    const KvDbObjectId door = addBlock(u"Door");
    const KvDbObjectId instance = addBlock(u"*U");
    auto* pRef = new KvDbBlockReference();
    pRef->setBlockTableRecord(instance);
    pRef->setDynamicBlockRecord(door);
    pRef->setDynamicProperties({{u"Origin", KvDbEvalVariant::point(KvGePoint3d(1, 2, 0)), true}});
    KvDbDynBlockReference dynamic(add(pRef));
    KvDbDynBlockReferencePropertyArray properties;
    dynamic.getBlockProperties(properties);
    ASSERT_EQ(properties.size(), 1u);
    EXPECT_TRUE(properties[0].readOnly());

    EXPECT_TRUE(KvDbDynBlockReference::isDynamicBlock(door));  // a definition some reference names
    EXPECT_FALSE(KvDbDynBlockReference::isDynamicBlock(instance));
    EXPECT_FALSE(KvDbDynBlockReference(KvDbObjectId()).isDynamicBlock());
}

TEST_F(BlockReferenceTest, AttributesIterateInOrderWithoutErasedOnes)
{
    const KvDbObjectId ref = add(new KvDbBlockReference());
    KvDbBlockReference* pRef = nullptr;
    ASSERT_EQ(kvdbOpenObject(pRef, ref, KvDb::kForWrite), Kvmo::eOk);
    std::vector<KvDbObjectId> ids;
    for (const char16_t* pTag : {u"QTY", u"REF", u"MAKER"}) {
        auto* pAttribute = new KvDbAttribute();
        pAttribute->setTag(pTag);
        KvDbObjectId id;
        ASSERT_EQ(pRef->appendAttribute(id, pAttribute), Kvmo::eOk);
        ids.push_back(id);
    }
    pRef->close();
    auto* pLoose = new KvDbAttribute();
    KvDbObjectId looseId;
    EXPECT_EQ(pRef->appendAttribute(looseId, pLoose), Kvmo::eNotOpenForWrite);
    delete pLoose;

    KvDbAttribute* pAttribute = nullptr;
    ASSERT_EQ(kvdbOpenObject(pAttribute, ids[1], KvDb::kForWrite), Kvmo::eOk);
    pAttribute->erase();
    pAttribute->close();

    std::vector<std::u16string> tags;
    KvDbObjectIterator* pIter = pRef->attributeIterator();
    for (pIter->start(); !pIter->done(); pIter->step()) {
        ASSERT_EQ(kvdbOpenObject(pAttribute, pIter->objectId(), KvDb::kForRead), Kvmo::eOk);
        tags.push_back(pAttribute->tag());
        pAttribute->close();
    }
    delete pIter;
    EXPECT_EQ(tags, (std::vector<std::u16string>{u"QTY", u"MAKER"}));
    EXPECT_EQ(db.objectAt(ids[0])->ownerId(), ref);
    EXPECT_EQ(db.layoutEntitiesInOrder().size(), 1u);  // attributes belong to their reference, not the layout
}
