#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "ReductionReference.h"
#include "engine/ExtractionEngine.h"
#include "kv/KvUiLanguage.h"
#include "table/BuildTable.h"

namespace {

using Names = std::vector<std::u16string>;

Line MakeLine(const std::u16string& csHandle, const std::u16string& csLayer, double length)
{
    Line line;
    line.type = kObjLine;
    line.csName = u"Line";
    line.csHandle = csHandle;
    line.commonProps.csLayer = csLayer;
    line.length = length;
    return line;
}

BlockEnt MakeBlock(const std::u16string& csHandle, const std::u16string& csName, std::uint64_t idRecord)
{
    BlockEnt block;
    block.type = kObjBlock;
    block.csName = csName;
    block.csHandle = csHandle;
    block.idBlkTblRec = KvDbObjectId(idRecord);
    return block;
}

class BuildTableTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        kvSetUiLanguage(KvUiLanguage::English);
        engine = ExtractionEngine();
    }

    TableData Build(const Names& lsPropsSel, bool bQty, bool bName, const std::u16string& csGroupBy = u"",
                    const Names& lsTotals = {})
    {
        TableData table;
        BuildTable(engine, lsPropsSel, bQty, bName, lsTotals, csGroupBy, table, map);
        return table;
    }

    ExtractionEngine engine;
    HandleBlockMap map;
};

}  // namespace

TEST_F(BuildTableTest, HeaderPlacesQuantityTypeAndNameFirst)
{
    const PropertyCatalog& catalog = engine.catalog;
    EXPECT_EQ(BuildHeaderRow(catalog, {u"Layer", u"Qty", u"Color"}, true, false),
              (TableRow{u"Id", u"Qty", u"Layer", u"Color"}));
    EXPECT_EQ(BuildHeaderRow(catalog, {u"Layer", u"Color", u"Object type"}, true, true),
              (TableRow{u"Id", u"Qty", u"Object type", u"Name", u"Layer", u"Color"}));
    EXPECT_EQ(BuildHeaderRow(catalog, {u"Layer", u"Name", u"Object type"}, false, false),
              (TableRow{u"Id", u"Object type", u"Layer", u"Name"}));
    // Object type only when chosen; only the first occurrence of a special name moves.
    EXPECT_EQ(BuildHeaderRow(catalog, {u"Name", u"Layer", u"Name"}, false, true),
              (TableRow{u"Id", u"Name", u"Layer", u"Name"}));
    EXPECT_EQ(BuildHeaderRow(catalog, {}, false, false), (TableRow{u"Id"}));
}

TEST_F(BuildTableTest, RowsFollowTheSelectedKindNamesAndPlaceValuesByName)
{
    engine.lsBlocks.push_back(MakeBlock(u"B1", u"Door", 7));
    engine.lsLines.push_back(MakeLine(u"L1", u"Walls", 2.5));
    engine.lsLines.push_back(MakeLine(u"L2", u"0", 4));
    // The object page hands the kinds over before the table is built.
    engine.SelectObjectTypes({u"Line", u"Nothing", u"Block", u"Line"});

    const TableData table = Build({u"Layer", u"Length", u"Object type"}, false, true);
    EXPECT_EQ(table, (TableData{{u"Id", u"Object type", u"Name", u"Layer", u"Length"},
                                {u"L1", u"Line", u"", u"Walls", u"2.5"},
                                {u"L2", u"Line", u"", u"0", u"4"},
                                {u"B1", u"Block", u"Door", u"", u""},
                                {u"L1", u"Line", u"", u"Walls", u"2.5"},
                                {u"L2", u"Line", u"", u"0", u"4"}}));
    EXPECT_EQ(engine.veTableData, table);
    EXPECT_EQ(engine.lsPropsSel, (Names{u"Layer", u"Length", u"Object type"}));
}

TEST_F(BuildTableTest, EveryKindNameReachesItsOwnRecords)
{
    auto add = [](auto& lsRecords, ObjKind kind, const std::u16string& csHandle) {
        auto& record = lsRecords.emplace_back();
        record.type = kind;
        record.csHandle = csHandle;
    };
    add(engine.lsBlocks, kObjBlock, u"1");
    add(engine.lsLines, kObjLine, u"2");
    add(engine.lsPolyLines, kObjPolyline, u"3");
    add(engine.lsArcs, kObjArc, u"4");
    add(engine.lsCircles, kObjCircle, u"5");
    add(engine.lsSolids, kObjSolid, u"6");
    add(engine.lsSolids3D, kObj3dSolid, u"7");
    add(engine.lsPoints, kObjPoint, u"8");
    add(engine.lsMTexts, kObjMText, u"9");
    engine.lsObjectsSel = {u"MText", u"Point",    u"3D Solid", u"Solid", u"Circle",
                           u"Arc",   u"Polyline", u"Line",     u"Block"};

    const TableData table = Build({u"Object type"}, false, false);
    EXPECT_EQ(table, (TableData{{u"Id", u"Object type"},
                                {u"9", u"MText"},
                                {u"8", u"Point"},
                                {u"7", u"3D Solid"},
                                {u"6", u"Solid"},
                                {u"5", u"Circle"},
                                {u"4", u"Arc"},
                                {u"3", u"Polyline"},
                                {u"2", u"Line"},
                                {u"1", u"Block"}}));
}

TEST_F(BuildTableTest, BlockGeometryWinsOverAttributesAndThePreviewFeedsTheMap)
{
    BlockEnt block = MakeBlock(u"B1", u"Door", 7);
    block.rotationVal = 45;
    block.lsAttributs = {{u"Rotation", u"from attribute", false}, {u"Width", u"90", true}, {u"Width", u"95", true}};
    block.lsProps = {{u"Width", u"dynamic", true}, {u"Flip", u"Yes", false}};
    engine.lsBlocks.push_back(block);
    engine.lsObjectsSel = {u"Block"};

    const TableData table = Build({u"Rotation", u"Width", u"Preview", u"Flip", u"Width"}, false, false);
    EXPECT_EQ(table, (TableData{{u"Id", u"Rotation", u"Width", u"Preview", u"Flip", u"Width"},
                                {u"B1", u"45", u"dynamic", u"", u"Yes", u"dynamic"}}));
    // Without counting the output map stays as the caller passed it.
    EXPECT_TRUE(map.empty());
}

// Two equal lines and a block; which reduction ran shows in the rows.
class ReductionModeTest : public BuildTableTest {
protected:
    void SetUp() override
    {
        BuildTableTest::SetUp();
        engine.lsLines.push_back(MakeLine(u"L1", u"0", 2));
        engine.lsLines.push_back(MakeLine(u"L2", u"0", 2));
        engine.lsBlocks.push_back(MakeBlock(u"B1", u"Door", 7));
        engine.lsBlocks.push_back(MakeBlock(u"B2", u"Door", 7));
        engine.lsObjectsSel = {u"Line", u"Block"};
        map = {{u"stale", KvDbObjectId(99)}};
    }
    const Names lsProps{u"Layer", u"Length", u"Preview"};
};

TEST_F(ReductionModeTest, QuantityWithoutBlocksCounts)
{
    engine.lsObjectsSel = {u"Line"};
    const TableData table = Build(lsProps, true, false, u"Layer");
    EXPECT_EQ(table, (TableData{{u"Id", u"Qty", u"Layer", u"Length", u"Preview"}, {u"L2", u"2", u"0", u"2", u""}}));
    EXPECT_TRUE(map.empty());
    EXPECT_TRUE(engine.lsBlockTbRecId.empty());
}

TEST_F(ReductionModeTest, QuantityWithBlocksCountsOnlyWithNamesAndNoGrouping)
{
    const TableData table = Build(lsProps, true, true);
    EXPECT_EQ(table, (TableData{{u"Id", u"Qty", u"Name", u"Layer", u"Length", u"Preview"},
                                {u"B2", u"2", u"Door", u"", u"", u""},
                                {u"L2", u"2", u"", u"0", u"2", u""}}));
    EXPECT_EQ(map, (HandleBlockMap{{u"B2", KvDbObjectId(7)}}));
    EXPECT_EQ(engine.lsBlockTbRecId, map);

    for (const auto& [bName, csGroupBy] : {std::pair{false, u""}, std::pair{true, u"Layer"}}) {
        map = {{u"stale", KvDbObjectId(99)}};
        const TableData plain = Build(lsProps, true, bName, csGroupBy);
        ASSERT_EQ(plain.size(), 5u);
        for (std::size_t r = 1; r < plain.size(); ++r) EXPECT_EQ(plain[r][1], u"1");
        EXPECT_EQ(map, (HandleBlockMap{{u"stale", KvDbObjectId(99)}}));
    }
}

TEST_F(ReductionModeTest, GroupingWithoutQuantityCombines)
{
    const TableData table = Build(lsProps, false, true, u"Layer", {u"Length", u"Qty"});
    EXPECT_EQ(table, (TableData{{u"Id", u"Layer", u"Name", u"Length", u"Preview"},
                                {u"", u"", u"", u"0", u""},
                                {u"", u"0", u"", u"4", u""}}));
    EXPECT_EQ(map, (HandleBlockMap{{u"stale", KvDbObjectId(99)}}));

    // Without total columns the combined table is its header alone.
    EXPECT_EQ(Build(lsProps, false, false, u"Layer"), (TableData{{u"Id", u"Layer", u"Length", u"Preview"}}));
}

TEST_F(BuildTableTest, CountingWhileBuildingMatchesCountingTheFullTable)
{
    std::mt19937 random(99);
    const std::vector<std::u16string> layers = {u"0", u"a", u"A", u"10", u"9"};
    // Rows of names only (their kind's among them or not), rows with a number, and references
    // told apart by attributes and dynamic properties that have columns and ones that have none.
    const Names lsPropsChoices[] = {{u"Layer", u"Length", u"Preview"},
                                    {u"Layer", u"Preview"},
                                    {u"Object type", u"Layer", u"Color"},
                                    {u"Layer", u"Width"},
                                    {u"Width", u"TAG", u"Layer"}};
    for (int round = 0; round < 25; ++round) {
        const Names& lsProps = lsPropsChoices[round % 5];
        // Every reference has a row of its own with the tag's column: more than the keys kept.
        const int nObjects = round % 5 == 4 ? 900 : 300;
        engine = ExtractionEngine();
        std::map<std::u16string, KvDbObjectId> blockRecords;
        for (int i = 0; i < nObjects; ++i) {
            const std::u16string csHandle = reference::Widen(std::to_string(i));
            if (random() % 3 == 0) {
                BlockEnt block = MakeBlock(csHandle, random() % 2 ? u"Door" : u"Desk", 1 + random() % 2);
                block.lsAttributs = {{u"Layer", layers[random() % layers.size()], false},
                                     {u"TAG", u"T" + csHandle, false}};
                if (random() % 4 == 0) block.lsAttributs.push_back({u"Layer", layers[random() % 2], false});
                if (random() % 2) block.lsProps = {{u"Width", layers[random() % 3], false}};
                blockRecords[csHandle] = block.idBlkTblRec;
                engine.lsBlocks.push_back(block);
            } else if (random() % 4 == 0) {
                Circle circle;
                circle.type = kObjCircle;
                circle.csName = u"Circle";
                circle.csHandle = csHandle;
                circle.commonProps.csLayer = layers[random() % layers.size()];
                engine.lsCircles.push_back(circle);
            } else {
                engine.lsLines.push_back(MakeLine(csHandle, layers[random() % layers.size()], random() % 3));
            }
        }
        engine.lsObjectsSel =
            random() % 2 ? Names{u"Block", u"Line", u"Circle"} : Names{u"Line", u"Circle", u"Block", u"Line"};

        TableData expected = Build(lsProps, false, true);
        expected[0].insert(expected[0].begin() + 1, u"Qty");
        for (std::size_t r = 1; r < expected.size(); ++r) expected[r].insert(expected[r].begin() + 1, u"1");
        Names lsKept;
        reference::CountRows(expected, lsKept);
        HandleBlockMap expectedMap;
        const bool bPreview = std::find(lsProps.begin(), lsProps.end(), u"Preview") != lsProps.end();
        for (const std::u16string& csHandle : lsKept)
            if (bPreview && blockRecords.count(csHandle)) expectedMap[csHandle] = blockRecords[csHandle];

        EXPECT_EQ(Build(lsProps, true, true), expected) << "round " << round;
        EXPECT_EQ(map, expectedMap);
    }
}
