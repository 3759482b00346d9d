#include <cmath>
#include <memory>

#include "support/DrawingFixture.h"

class BlockReferenceTest : public DrawingFixture {
protected:
    KvDbObjectId addBlock(const std::u16string& name) { return BlockDefinition(Db(), name); }
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
    KvDbDynBlockReference dynamic(Add(pRef));
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
    const KvDbObjectId ref = Add(new KvDbBlockReference());
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
    EXPECT_EQ(Db().objectAt(ids[0])->ownerId(), ref);
    EXPECT_EQ(Db().layoutEntitiesInOrder().size(), 1u);  // attributes belong to their reference, not the layout
}

// Attribute lists are kept as a run of serials until an id breaks it: the list reads the same
// in both forms, and copies do not share the heap form.
TEST(ObjectIdList, RunsBrokenByGapsNullsOrOrderReadAsAppended)
{
    using Ids = std::vector<KvDbObjectId>;
    const Ids cases[] = {
        {},
        {KvDbObjectId(7), KvDbObjectId(8), KvDbObjectId(9)},
        {KvDbObjectId(7), KvDbObjectId(8), KvDbObjectId(10), KvDbObjectId(11)},
        {KvDbObjectId(9), KvDbObjectId(8)},
        {KvDbObjectId(), KvDbObjectId(1)},
        {KvDbObjectId(5), KvDbObjectId(), KvDbObjectId(6)},
        {KvDbObjectId(~std::uint64_t{0} - 1), KvDbObjectId(~std::uint64_t{0}), KvDbObjectId(0x10)},
    };
    for (const Ids& ids : cases) {
        KvDbObjectIdList list;
        for (KvDbObjectId id : ids) list.push_back(id);
        KvDbObjectIdList copy(list);
        EXPECT_EQ(list.toVector(), ids);
        EXPECT_EQ(list.size(), ids.size());
        list.push_back(KvDbObjectId(3));
        list.clear();
        EXPECT_TRUE(list.empty());
        EXPECT_EQ(copy.toVector(), ids);
        list = copy;
        EXPECT_EQ(list.toVector(), ids);
    }
}

// Scale and normal live apart from the reference once either leaves its default: values come
// back as set (a -0 too, which a drawing file writes as it was read), also in copies.
TEST(BlockReferenceValues, ScaleAndNormalComeBackAsSetThroughCopies)
{
    KvDbBlockReference plain;
    EXPECT_EQ(plain.scaleFactors(), KvGeScale3d(1, 1, 1));
    EXPECT_EQ(plain.normal(), KvGeVector3d(0, 0, 1));
    EXPECT_EQ(plain.setScaleFactors(KvGeScale3d(1, 0, 1)), Kvmo::eInvalidInput);
    EXPECT_EQ(plain.setNormal(KvGeVector3d(0, 0, 0)), Kvmo::eInvalidInput);

    KvDbBlockReference tilted;
    ASSERT_EQ(tilted.setNormal(KvGeVector3d(-0.0, 0, 2)), Kvmo::eOk);
    EXPECT_TRUE(std::signbit(tilted.normal().x));
    EXPECT_EQ(tilted.scaleFactors(), KvGeScale3d(1, 1, 1));
    ASSERT_EQ(tilted.setScaleFactors(KvGeScale3d(2, -1, 0.5)), Kvmo::eOk);
    ASSERT_EQ(tilted.setNormal(KvGeVector3d(0, 0, -3)), Kvmo::eOk);
    const std::unique_ptr<KvDbBlockReference> copy(tilted.clone());
    ASSERT_EQ(tilted.setScaleFactors(KvGeScale3d(1, 1, 1)), Kvmo::eOk);
    EXPECT_EQ(tilted.scaleFactors(), KvGeScale3d(1, 1, 1));
    EXPECT_EQ(copy->scaleFactors(), KvGeScale3d(2, -1, 0.5));
    EXPECT_EQ(copy->normal(), KvGeVector3d(0, 0, -1));
}
