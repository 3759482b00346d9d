#include "support/DrawingFixture.h"
#include "kv/KvDbObjectPointer.h"

using OpenModeTest = DrawingFixture;

TEST_F(OpenModeTest, SeveralReadersOrOneWriter)
{
    const KvDbObjectId id = Add(new KvDbLine({0, 0, 0}, {1, 0, 0}));
    KvDbEntity* pFirst = nullptr;
    KvDbEntity* pSecond = nullptr;
    KvDbEntity* pWriter = nullptr;
    ASSERT_EQ(kvdbOpenKvDbEntity(pFirst, id, KvDb::kForRead), Kvmo::eOk);
    ASSERT_EQ(kvdbOpenKvDbEntity(pSecond, id, KvDb::kForRead), Kvmo::eOk);
    EXPECT_EQ(kvdbOpenKvDbEntity(pWriter, id, KvDb::kForWrite), Kvmo::eWasOpenForRead);
    EXPECT_EQ(pWriter, nullptr);
    EXPECT_EQ(pFirst->upgradeOpen(), Kvmo::eWasOpenForRead);  // the other reader still holds it
    pSecond->close();
    ASSERT_EQ(pFirst->upgradeOpen(), Kvmo::eOk);
    EXPECT_TRUE(pFirst->isWriteEnabled());
    EXPECT_EQ(kvdbOpenKvDbEntity(pSecond, id, KvDb::kForRead), Kvmo::eWasOpenForWrite);
    EXPECT_EQ(kvdbOpenKvDbEntity(pWriter, id, KvDb::kForWrite), Kvmo::eWasOpenForWrite);
    pFirst->close();
    ASSERT_EQ(kvdbOpenKvDbEntity(pWriter, id, KvDb::kForWrite), Kvmo::eOk);
    pWriter->close();
    EXPECT_FALSE(pWriter->isReadEnabled());
    EXPECT_EQ(pWriter->close(), Kvmo::eNotOpenForRead);  // closing twice is an error
}

// The holder closes what it opened however the scope ends, and only that.
TEST_F(OpenModeTest, AHolderClosesItsOpenWhenItGoes)
{
    const KvDbObjectId id = Add(new KvDbLine({0, 0, 0}, {1, 0, 0}));
    {
        const KvDbObjectPointer<KvDbLine> pLine(id, KvDb::kForWrite);
        ASSERT_TRUE(pLine);
        EXPECT_EQ(pLine->setLayer(u"Walls"), Kvmo::eOk);
        const KvDbObjectPointer<KvDbLine> pAgain(id, KvDb::kForRead);
        EXPECT_FALSE(pAgain);
        EXPECT_EQ(pAgain.openStatus(), Kvmo::eWasOpenForWrite);
    }
    const KvDbObjectPointer<KvDbCircle> pWrongKind(id, KvDb::kForRead);
    EXPECT_EQ(pWrongKind.openStatus(), Kvmo::eWrongObjectType);
    KvDbObjectPointer<KvDbObject> pMoved;
    {
        KvDbObjectPointer<KvDbObject> pObject(id, KvDb::kForWrite);
        pMoved = std::move(pObject);
    }
    ASSERT_TRUE(pMoved) << "a moved holder is the one that closes";
    EXPECT_TRUE(pMoved->isWriteEnabled());
    EXPECT_EQ(pMoved.close(), Kvmo::eOk);
    const KvDbObjectPointer<KvDbLine> pAfter(id, KvDb::kForWrite);
    ASSERT_TRUE(pAfter);
    EXPECT_EQ(pAfter->layer(), u"Walls");
}

TEST_F(OpenModeTest, SettersOfResidentObjectsNeedAWriteOpen)
{
    const KvDbObjectId id = Add(new KvDbLine({0, 0, 0}, {1, 0, 0}));
    KvDbLine* pLine = nullptr;
    ASSERT_EQ(kvdbOpenObject(pLine, id, KvDb::kForRead), Kvmo::eOk);
    EXPECT_EQ(pLine->setLayer(u"Walls"), Kvmo::eNotOpenForWrite);
    EXPECT_EQ(pLine->setEndPoint(KvGePoint3d(5, 0, 0)), Kvmo::eNotOpenForWrite);
    EXPECT_EQ(pLine->layer(), u"0");
    EXPECT_EQ(pLine->endPoint(), KvGePoint3d(1, 0, 0));
    ASSERT_EQ(pLine->upgradeOpen(), Kvmo::eOk);
    EXPECT_EQ(pLine->setLayer(u"Walls"), Kvmo::eOk);
    EXPECT_EQ(pLine->setColorIndex(300), Kvmo::eOutOfRange);
    pLine->close();
    EXPECT_EQ(static_cast<const KvDbLine*>(Db().objectAt(id))->layer(), u"Walls");

    KvDbLine loose;  // not in a drawing: the creator may change it freely
    EXPECT_EQ(loose.setLayer(u"Doors"), Kvmo::eOk);
}

TEST_F(OpenModeTest, ClassTestOnOpenClosesAWrongKind)
{
    const KvDbObjectId id = Add(new KvDbLine({0, 0, 0}, {1, 0, 0}));
    KvDbCircle* pCircle = nullptr;
    EXPECT_EQ(kvdbOpenObject(pCircle, id, KvDb::kForWrite), Kvmo::eWrongObjectType);
    EXPECT_EQ(pCircle, nullptr);
    KvDbEntity* pEntity = nullptr;
    ASSERT_EQ(kvdbOpenKvDbEntity(pEntity, id, KvDb::kForWrite), Kvmo::eOk);  // not left open by the failed try
    EXPECT_NE(kvCast<KvDbCurve>(pEntity), nullptr);
    EXPECT_EQ(kvCast<KvDbArc>(pEntity), nullptr);
    pEntity->close();
}

TEST_F(OpenModeTest, ErasedObjectsDoNotOpenAndLeaveTheLayoutOrder)
{
    const KvDbObjectId first = Add(new KvDbLine({0, 0, 0}, {1, 0, 0}));
    const KvDbObjectId second = Add(new KvDbLine({0, 0, 0}, {2, 0, 0}));
    KvDbEntity* pEntity = nullptr;
    ASSERT_EQ(kvdbOpenKvDbEntity(pEntity, first, KvDb::kForRead), Kvmo::eOk);
    EXPECT_EQ(pEntity->erase(), Kvmo::eNotOpenForWrite);
    ASSERT_EQ(pEntity->upgradeOpen(), Kvmo::eOk);
    ASSERT_EQ(pEntity->erase(), Kvmo::eOk);
    pEntity->close();

    EXPECT_EQ(kvdbOpenKvDbEntity(pEntity, first, KvDb::kForRead), Kvmo::eWasErased);
    ASSERT_EQ(kvdbOpenKvDbEntity(pEntity, first, KvDb::kForWrite, true), Kvmo::eOk);
    EXPECT_TRUE(pEntity->isErased());
    pEntity->close();

    kv_name last, next, none = {0, 0};
    ASSERT_EQ(kvdbEntNext(none, next), RTNORM);
    KvDbObjectId id;
    kvdbGetObjectId(id, next);
    EXPECT_EQ(id, second);
    ASSERT_EQ(kvdbEntLast(last), RTNORM);
    EXPECT_EQ(last[0], next[0]);

    KvDbBlockTableRecord* pModel = nullptr;
    ASSERT_EQ(kvdbOpenObject(pModel, Db().modelSpaceId(), KvDb::kForWrite), Kvmo::eOk);
    EXPECT_EQ(pModel->erase(), Kvmo::eCannotBeErased);
    pModel->close();
}

TEST_F(OpenModeTest, WriteOpensAndErasesAreCounted)
{
    const KvDbObjectId id = Add(new KvDbLine({0, 0, 0}, {1, 0, 0}));
    const unsigned long before = Db().changeCounter();
    KvDbEntity* pEntity = nullptr;
    ASSERT_EQ(kvdbOpenKvDbEntity(pEntity, id, KvDb::kForRead), Kvmo::eOk);
    pEntity->close();
    EXPECT_EQ(Db().changeCounter(), before);
    ASSERT_EQ(kvdbOpenKvDbEntity(pEntity, id, KvDb::kForWrite), Kvmo::eOk);
    pEntity->close();
    EXPECT_GT(Db().changeCounter(), before);
}
