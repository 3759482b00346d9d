// Block references: effective names, exclusions, attributes and dynamic properties.
#include <algorithm>

#include "EngineDrawing.h"

namespace {

using Props = KvDbDynBlockReferencePropertyArray;
using BlockReaderTest = EngineDrawingTest;

std::vector<std::u16string> BlockNames(const ExtractionEngine& engine)
{
    std::vector<std::u16string> names;
    for (const BlockEnt& block : engine.lsBlocks) names.push_back(block.csName);
    return names;
}

TEST_F(BlockReaderTest, ExcludedNamesAreCaseSensitivePrefixes)
{
    for (const char16_t* name : {u"*Model_Space", u"*U12", u"ac$TEMP", u"ny$"})
        EXPECT_TRUE(IsExcludedBlockName(name)) << kvToUtf8(name);
    for (const char16_t* name : {u"AC$TEMP", u"Ny$X", u"ac", u"Door*", u""})
        EXPECT_FALSE(IsExcludedBlockName(name)) << kvToUtf8(name);

    AddReference(AddBlockDefinition(u"ac$TEMP"), {{u"SECRET", u"1"}});
    AddReference(AddBlockDefinition(u"ny$Grid"));
    AddReference(AddBlockDefinition(u"*U12"), {{u"HIDDEN", u"2"}});
    AddReference(AddBlockDefinition(u"NY$Frame"));
    const ExtractionEngine engine = Read();
    EXPECT_EQ(BlockNames(engine), std::vector<std::u16string>{u"NY$Frame"});
    // A reference that yields no record leaves no property behind.
    EXPECT_TRUE(engine.blockPropItems.empty());
}

TEST_F(BlockReaderTest, DynamicBlocksAreNamedAfterTheirDefinition)
{
    Db().setLuprec(2);
    const KvDbObjectId idDoor = AddBlockDefinition(u"Door");
    const KvDbObjectId idAnonymous = AddBlockDefinition(u"*U12");
    const KvDbObjectId idSystem = AddBlockDefinition(u"ac$Door");
    AddReference(idAnonymous, {}, idDoor,
                 Props{{u"Distance1", KvDbEvalVariant::real(12.3456)},
                       {u"Origin", KvDbEvalVariant::point({1, 2, 0})},
                       {u"Flip1", KvDbEvalVariant::int16(1)},
                       {u"Visibility1", KvDbEvalVariant::text(u"Open")},
                       {u"Offset", KvDbEvalVariant::int16(-5)},
                       {u"Base", KvDbEvalVariant::point({3, 4, 0})},
                       {u"Count", KvDbEvalVariant::int32(90)}});
    AddReference(AddBlockDefinition(u"*U13"), {}, idSystem, Props{{u"Gone", KvDbEvalVariant::real(1)}});
    const ExtractionEngine engine = Read();

    ASSERT_EQ(engine.lsBlocks.size(), 1u);
    const BlockEnt& door = engine.lsBlocks[0];
    EXPECT_EQ(door.csName, u"Door");
    EXPECT_TRUE(door.isDynamic);
    EXPECT_EQ(door.idBlkTblRec, idAnonymous);
    const PropValueList expected = {
        {u"Distance1", u"12.35", true}, {u"Flip1", u"1", true}, {u"Visibility1", u"Open", false},
        {u"Offset", u"-5", true},       {u"Base", u"", false},  {u"Count", u"", false},
    };
    EXPECT_EQ(door.lsProps, expected);

    ASSERT_EQ(engine.blockPropItems.size(), expected.size());
    for (const PropValue& pair : expected) {
        const auto item = engine.blockPropItems.find(pair.name.str());
        ASSERT_NE(item, engine.blockPropItems.end());
        EXPECT_EQ(item->category, PropCategory::DynamicBlock);
        EXPECT_EQ(item->totalComp, pair.totalComp);
    }
    EXPECT_TRUE(ReadDynamicProps(nullptr, 0.01).empty());
}

TEST_F(BlockReaderTest, TheFirstReferenceShowingANameDecidesItsItem)
{
    const KvDbObjectId idDoor = AddBlockDefinition(u"Door");
    const KvDbObjectId idBox = AddBlockDefinition(u"Box");
    AddReference(idBox, {{u"QTY", u"3"}});
    AddReference(idBox, {{u"QTY", u"three"}, {u"MARK", u"x"}});
    // On one reference, the dynamic property wins over an attribute of the same name.
    AddReference(AddBlockDefinition(u"*U1"), {{u"Width", u"wide"}, {u"MARK", u"4"}}, idDoor,
                 Props{{u"Width", KvDbEvalVariant::real(0.9)}});
    const ExtractionEngine engine = Read();

    ASSERT_EQ(engine.lsBlocks.size(), 3u);
    EXPECT_TRUE(engine.blockPropItems.find(u"QTY")->totalComp);
    EXPECT_EQ(engine.blockPropItems.find(u"QTY")->category, PropCategory::Attribute);
    EXPECT_FALSE(engine.lsBlocks[0].isDynamic);
    EXPECT_TRUE(engine.lsBlocks[0].lsProps.empty());
    EXPECT_FALSE(engine.lsBlocks[1].lsAttributs[0].totalComp);  // the pair keeps its own flag
    EXPECT_FALSE(engine.blockPropItems.find(u"MARK")->totalComp);
    const auto width = engine.blockPropItems.find(u"Width");
    EXPECT_EQ(width->category, PropCategory::DynamicBlock);
    EXPECT_TRUE(width->totalComp);
    EXPECT_EQ(engine.blockPropItems.size(), 3u);

    // Read in the other order, the other reference decides.
    NewDrawing();
    const KvDbObjectId idCrate = AddBlockDefinition(u"Crate");
    AddReference(idCrate, {{u"QTY", u"three"}});
    AddReference(idCrate, {{u"QTY", u"3"}});
    EXPECT_FALSE(Read().blockPropItems.find(u"QTY")->totalComp);
}

// What the host refuses is skipped or left empty, never a failure.
TEST_F(BlockReaderTest, RecordsAndAttributesThatDoNotOpen)
{
    const KvDbObjectId idBusy = AddBlockDefinition(u"Busy");
    const KvDbObjectId idDoor = AddBlockDefinition(u"Door");
    const KvDbObjectId idStatic = AddReference(idBusy, {{u"KEPT", u"1"}, {u"LOCKED", u"2"}});
    AddReference(AddBlockDefinition(u"*U7"), {{u"LEAF", u"1"}}, idDoor, Props{{u"Angle1", KvDbEvalVariant::real(1)}});

    KvDbBlockReference* pStatic = nullptr;
    ASSERT_EQ(kvdbOpenObject(pStatic, idStatic, KvDb::kForRead), Kvmo::eOk);
    const KvDbObjectId idLocked = pStatic->attributeIds().at(1);
    pStatic->close();

    std::vector<KvDbObject*> veOpen;
    for (KvDbObjectId id : {idBusy, idDoor, idLocked}) {
        ASSERT_EQ(kvdbOpenKvDbObject(veOpen.emplace_back(), id, KvDb::kForWrite), Kvmo::eOk);
    }
    const ExtractionEngine engine = Read();
    for (KvDbObject* pObject : veOpen) pObject->close();

    ASSERT_EQ(engine.lsBlocks.size(), 2u);
    // The static block's record did not open: no name, but its attributes are read.
    EXPECT_EQ(engine.lsBlocks[0].csName, u"");
    EXPECT_EQ(engine.lsBlocks[0].lsAttributs, (PropValueList{{u"KEPT", u"1", true}}));
    // The dynamic definition did not open: no name, not dynamic, no dynamic properties.
    EXPECT_EQ(engine.lsBlocks[1].csName, u"");
    EXPECT_FALSE(engine.lsBlocks[1].isDynamic);
    EXPECT_TRUE(engine.lsBlocks[1].lsProps.empty());
    EXPECT_EQ(engine.lsBlocks[1].lsAttributs.size(), 1u);
    EXPECT_EQ(engine.blockPropItems.find(u"Angle1"), engine.blockPropItems.end());
}

}  // namespace
