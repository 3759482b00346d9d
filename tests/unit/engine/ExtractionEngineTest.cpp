// Building an engine from a selection: what becomes a record, in what order.
#include "EngineDrawing.h"

namespace {

using ExtractionEngineTest = EngineDrawingTest;

std::vector<std::u16string> Handles(const auto& records)
{
    std::vector<std::u16string> handles;
    for (const auto& record : records) handles.push_back(record.csHandle);
    return handles;
}

TEST_F(ExtractionEngineTest, RecordsStandInSelectionOrderKindByKind)
{
    const KvDbObjectId idLine1 = AddLine({0, 0, 0}, {1, 0, 0});
    const KvDbObjectId idCircle = Add(new KvDbCircle({0, 0, 0}, 1));
    const KvDbObjectId idLine2 = AddLine({0, 0, 0}, {0, 1, 0});
    Add(new KvDbGenericEntity(u"HATCH"));
    const KvDbObjectId idBlock = AddReference(AddBlockDefinition(u"Door"));
    Add(new KvDbGenericEntity(u"TEXT"));
    const ExtractionEngine engine = Read();

    EXPECT_EQ(Handles(engine.lsLines), (std::vector<std::u16string>{HandleText(idLine1), HandleText(idLine2)}));
    EXPECT_EQ(Handles(engine.lsCircles), std::vector<std::u16string>{HandleText(idCircle)});
    EXPECT_EQ(Handles(engine.lsBlocks), std::vector<std::u16string>{HandleText(idBlock)});
    EXPECT_EQ(engine.RecordCount(), 4u);
    EXPECT_EQ(engine.KindsPresent(), (std::set<std::uint32_t>{kObjBlock, kObjLine, kObjCircle}));

    // Handles are upper-case hexadecimal, as the tag and the update command expect them.
    for (const std::u16string& handle : Handles(engine.lsLines))
        EXPECT_EQ(handle.find_first_not_of(u"0123456789ABCDEF"), std::u16string::npos);
    EXPECT_EQ(engine.lsLines[0].csName, u"Line");
    EXPECT_EQ(engine.lsLines[0].TypeName(engine.catalog.lsObjNames), u"Line");
    EXPECT_EQ(engine.lsBlocks[0].csName, u"Door");
}

TEST_F(ExtractionEngineTest, NothingReadableGivesNoRecordsButAStep)
{
    Db().setLuprec(3);
    const ExtractionEngine empty = Read();
    EXPECT_EQ(empty.RecordCount(), 0u);
    EXPECT_DOUBLE_EQ(empty.roundStep, 0.001);

    Add(new KvDbGenericEntity(u"HATCH"));
    const ExtractionEngine hatches = Read();
    EXPECT_EQ(hatches.RecordCount(), 0u);
    EXPECT_TRUE(hatches.KindsPresent().empty());
}

TEST_F(ExtractionEngineTest, AnObjectThatDoesNotOpenIsSkipped)
{
    AddLine({0, 0, 0}, {1, 0, 0});
    const KvDbObjectId idBusy = AddLine({0, 0, 0}, {2, 0, 0});
    const KvDbObjectId idErased = AddLine({0, 0, 0}, {3, 0, 0});
    KvDbEntity* pErased = nullptr;
    ASSERT_EQ(kvdbOpenKvDbEntity(pErased, idErased, KvDb::kForWrite), Kvmo::eOk);
    pErased->erase();
    pErased->close();

    KvDbEntity* pBusy = nullptr;
    ASSERT_EQ(kvdbOpenKvDbEntity(pBusy, idBusy, KvDb::kForWrite), Kvmo::eOk);
    const ExtractionEngine engine = Read();
    pBusy->close();
    ASSERT_EQ(engine.lsLines.size(), 1u);
    EXPECT_EQ(Shown(engine.lsLines[0], engine.catalog)[u"Length"], u"1");

    // The engine closed what it opened: the line opens for write again.
    KvDbEntity* pFirst = nullptr;
    KvDbObjectId idFirst;
    ASSERT_EQ(Db().getKvDbObjectId(idFirst, KvDbHandle::fromText(engine.lsLines[0].csHandle)), Kvmo::eOk);
    ASSERT_EQ(kvdbOpenKvDbEntity(pFirst, idFirst, KvDb::kForWrite), Kvmo::eOk);
    pFirst->close();
}

}  // namespace
