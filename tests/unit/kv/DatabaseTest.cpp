#include <cstdint>
#include <memory>
#include <set>
#include <thread>

#include "support/DrawingFixture.h"

using DatabaseTest = DrawingFixture;

// New handles above the seed, found again by handle: every drawing-file test.
TEST_F(DatabaseTest, HandleTextRoundTripsAndRejectsNonHex)
{
    EXPECT_EQ(KvDbHandle(0x1F2E).text(), u"1F2E");
    EXPECT_EQ(KvDbHandle::fromText(u"1f2e").value(), 0x1F2Eu);
    EXPECT_TRUE(KvDbHandle::fromText(u"12G").isNull());
    EXPECT_TRUE(KvDbHandle::fromText(u"").isNull());
    char16_t small[3];
    EXPECT_FALSE(KvDbHandle(0x1F2E).getIntoAsciiBuffer(small, 3));
    char16_t buffer[17];
    ASSERT_TRUE(KvDbHandle(0xABC).getIntoAsciiBuffer(buffer, 17));
    EXPECT_EQ(std::u16string(buffer), u"ABC");
    // The digit count at its edges: zero, a new digit, all sixteen.
    for (const std::uint64_t value : {std::uint64_t{0}, std::uint64_t{0xF}, std::uint64_t{0x10}, ~std::uint64_t{0}}) {
        ASSERT_TRUE(KvDbHandle(value).getIntoAsciiBuffer(buffer, 17));
        EXPECT_EQ(std::u16string(buffer), KvDbHandle(value).text());
    }
    EXPECT_EQ(KvDbHandle(0x10).text(), u"10");
}

TEST_F(DatabaseTest, IdsOfADestroyedDrawingNoLongerResolve)
{
    KvDbObjectId id;
    {
        KvDbDatabase temporary;
        ASSERT_EQ(temporary.addKvDbObject(id, new KvDbPoint()), Kvmo::eOk);
        EXPECT_EQ(id.database(), &temporary);
    }
    EXPECT_EQ(id.database(), nullptr);
    KvDbObject* pObject = nullptr;
    EXPECT_NE(kvdbOpenKvDbObject(pObject, id, KvDb::kForRead), Kvmo::eOk);
}

TEST_F(DatabaseTest, SymbolTableRefusesDuplicatesAndNumbersAnonymousBlocks)
{
    KvDbBlockTable* pBlocks = nullptr;
    ASSERT_EQ(Db().getBlockTable(pBlocks, KvDb::kForWrite), Kvmo::eOk);
    auto* pDoor = new KvDbBlockTableRecord();
    pDoor->setName(u"Door");
    KvDbObjectId doorId;
    ASSERT_EQ(pBlocks->add(doorId, pDoor), Kvmo::eOk);
    auto* pSame = new KvDbBlockTableRecord();
    pSame->setName(u"DOOR");
    KvDbObjectId sameId;
    EXPECT_EQ(pBlocks->add(sameId, pSame), Kvmo::eDuplicateKey);
    delete pSame;

    std::vector<std::u16string> names;
    for (int i = 0; i < 2; ++i) {
        auto* pAnonymous = new KvDbBlockTableRecord();
        pAnonymous->setName(u"*U");
        KvDbObjectId id;
        ASSERT_EQ(pBlocks->add(id, pAnonymous), Kvmo::eOk);
        names.push_back(pAnonymous->getName());
        EXPECT_TRUE(pAnonymous->isAnonymous());
        EXPECT_FALSE(pAnonymous->isLayout());
    }
    pBlocks->close();
    EXPECT_EQ(names, (std::vector<std::u16string>{u"*U1", u"*U2"}));

    KvDbBlockTableRecord* pModel = nullptr;
    ASSERT_EQ(kvdbOpenObject(pModel, Db().modelSpaceId(), KvDb::kForRead), Kvmo::eOk);
    EXPECT_TRUE(pModel->isLayout());
    EXPECT_FALSE(pModel->isAnonymous());
    pModel->close();
}

TEST_F(DatabaseTest, EntitiesOfBlockDefinitionsAreNotLayoutEntities)
{
    KvDbBlockTable* pBlocks = nullptr;
    ASSERT_EQ(Db().getBlockTable(pBlocks, KvDb::kForWrite), Kvmo::eOk);
    auto* pBlock = new KvDbBlockTableRecord();
    pBlock->setName(u"Bolt");
    KvDbObjectId blockId;
    ASSERT_EQ(pBlocks->add(blockId, pBlock), Kvmo::eOk);
    pBlocks->close();

    auto* pCircle = new KvDbCircle(KvGePoint3d(), 1.0);
    KvDbObjectId circleId;
    EXPECT_EQ(pBlock->appendKvDbEntity(circleId, pCircle), Kvmo::eNotOpenForWrite);  // the record is not open
    ASSERT_EQ(kvdbOpenObject(pBlock, blockId, KvDb::kForWrite), Kvmo::eOk);
    ASSERT_EQ(pBlock->appendKvDbEntity(circleId, pCircle), Kvmo::eOk);
    pCircle->close();
    pBlock->close();
    const KvDbObjectId lineId = Add(new KvDbLine({0, 0, 0}, {1, 1, 0}));

    EXPECT_EQ(pBlock->entityIds(), std::vector<KvDbObjectId>{circleId});
    EXPECT_EQ(Db().layoutEntitiesInOrder(), std::vector<KvDbObjectId>{lineId});
    EXPECT_EQ(Db().objectAt(circleId)->ownerId(), blockId);
}

// Layout entities noted in the order of their ids are found by a search; the first out of order
// switches to an index. Positions stay right on both sides of the switch, and an entity noted
// twice keeps its first place.
TEST_F(DatabaseTest, LayoutPositionsStayRightWhenEntitiesComeOutOfOrder)
{
    auto* pModel = kvCast<KvDbBlockTableRecord>(Db().objectAt(Db().modelSpaceId()));
    ASSERT_NE(pModel, nullptr);
    KvDbObjectId ids[5];
    for (KvDbObjectId& id : ids) ASSERT_EQ(Db().addKvDbObject(id, new KvDbLine()), Kvmo::eOk);
    auto positionOf = [&](KvDbObjectId id) {
        std::size_t position = 0;
        return Db().layoutPosition(id, position) ? static_cast<int>(position) : -1;
    };
    for (int k : {0, 1, 1, 3}) pModel->attachLoadedEntity(ids[k]);
    EXPECT_EQ(positionOf(ids[0]), 0);
    EXPECT_EQ(positionOf(ids[1]), 1);
    EXPECT_EQ(positionOf(ids[3]), 3);
    EXPECT_EQ(positionOf(ids[2]), -1);
    for (int k : {2, 0, 4}) pModel->attachLoadedEntity(ids[k]);
    const int expected[] = {0, 1, 4, 3, 6};
    for (int k = 0; k < 5; ++k) EXPECT_EQ(positionOf(ids[k]), expected[k]) << k;
    EXPECT_EQ(positionOf(Db().modelSpaceId()), -1);
}

// Handles as a drawing file gives them: a long run, a gap, one far ahead, then lower ones that
// fall between the earlier ones (a file's OBJECTS after its ENTITIES), and repeats of each.
TEST(HandleIndex, HandlesInRunsGapsAndOutOfOrderAreFoundAndRepeatsRefused)
{
    using Handles = std::initializer_list<std::uint64_t>;
    KvDbDatabase drawing(false);
    std::vector<std::pair<std::uint64_t, KvDbObjectId>> added;
    auto add = [&](std::uint64_t handle) {
        KvDbObjectId id;
        auto* pPoint = new KvDbPoint();
        if (drawing.addKvDbObject(id, pPoint, KvDbHandle(handle)) != Kvmo::eOk) {
            delete pPoint;
            return false;
        }
        added.emplace_back(handle, id);
        return true;
    };
    for (std::uint64_t h = 0x100; h < 0x200; ++h) ASSERT_TRUE(add(h));
    for (std::uint64_t h : Handles{0x205, 0x206, 0xFFFFFFF0, 0x90, 0x1180, 0x203, 0x2}) ASSERT_TRUE(add(h)) << h;
    EXPECT_TRUE(add(0x207));  // below the one far ahead: a handle of its own, not a run's
    for (std::uint64_t h : Handles{0x100, 0x1FF, 0x150, 0x205, 0xFFFFFFF0, 0x90, 0x203, 0x2, 0x207})
        EXPECT_FALSE(add(h)) << h;

    KvDbObjectId id;
    for (const auto& [handle, expected] : added) {
        ASSERT_EQ(drawing.getKvDbObjectId(id, KvDbHandle(handle)), Kvmo::eOk) << handle;
        EXPECT_EQ(id, expected) << handle;
    }
    for (std::uint64_t h : Handles{0x1, 0x3, 0xFF, 0x200, 0x204, 0x208, 0xFFFFFFEF, 0xFFFFFFF1})
        EXPECT_EQ(drawing.getKvDbObjectId(id, KvDbHandle(h)), Kvmo::eKeyNotFound) << h;
    // New objects take handles above every one in use.
    ASSERT_TRUE(add(0));
    EXPECT_EQ(drawing.objectAt(added.back().second)->handle().value(), 0xFFFFFFF1u);
}

// Objects of different sizes, made and freed in turn across many pool blocks, never share
// memory: every object keeps what was written into it.
TEST(ObjectMemory, ObjectsOfMixedSizesKeepTheirValuesThroughFreesAndReuse)
{
    std::vector<std::unique_ptr<KvDbLine>> lines;
    std::vector<std::unique_ptr<KvDbAttribute>> attributes;
    for (int i = 0; i < 60000; ++i)
        lines.push_back(std::make_unique<KvDbLine>(KvGePoint3d(i, 0, 0), KvGePoint3d(0, i, 0)));
    for (std::size_t i = 0; i < lines.size(); i += 2) lines[i].reset();
    for (int i = 0; i < 60000; ++i) {
        attributes.push_back(std::make_unique<KvDbAttribute>());
        attributes.back()->setTextString(std::u16string(u"value ") + static_cast<char16_t>(u'A' + i % 26));
        attributes.back()->setHeight(i + 1);
    }
    for (std::size_t i = 0; i < lines.size(); i += 2)
        lines[i] = std::make_unique<KvDbLine>(KvGePoint3d(-1, -1, -1), KvGePoint3d());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        double expected = i % 2 == 0 ? -1.0 : static_cast<double>(i);
        ASSERT_EQ(lines[i]->startPoint().x, expected) << i;
    }
    for (std::size_t i = 0; i < attributes.size(); ++i) {
        ASSERT_EQ(attributes[i]->height(), static_cast<double>(i + 1)) << i;
        ASSERT_EQ(attributes[i]->textString().back(), static_cast<char16_t>(u'A' + i % 26)) << i;
    }
}

// Each opening of a large drawing makes objects on a thread that then ends: what its pool did
// not use serves the next thread, so a session that opens drawing after drawing does not grow.
TEST(ObjectMemory, ThreadsThatEndLeaveTheirRoomToTheNext)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "objects come from the heap under the address sanitizer";
#endif
    std::vector<std::unique_ptr<KvDbLine>> kept;
    std::set<std::uintptr_t> blocks;  // 2 MB blocks the objects lie in
    for (int i = 0; i < 64; ++i) {
        std::thread([&] { kept.push_back(std::make_unique<KvDbLine>()); }).join();
        blocks.insert(reinterpret_cast<std::uintptr_t>(kept.back().get()) >> 21);
    }
    EXPECT_LE(blocks.size(), 2u);
}
