#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/PropCategory.h"
#include "engine/PropertyCatalog.h"
#include "engine/SelectObjectTypes.h"
#include "kv/KvUiLanguage.h"

namespace {

using Names = std::vector<std::u16string>;

Names NamesOf(const PropItemSet& items)
{
    Names names;
    for (const PropItem& item : items) names.push_back(item.name);
    return names;
}

bool Offers(const PropItemSet& items, const std::u16string& name)
{
    return items.find(name) != items.end();
}

class CatalogTest : public ::testing::Test {
protected:
    void TearDown() override { kvSetUiLanguage(KvUiLanguage::English); }
    PropertyCatalog catalog;
};

// Quantity and common property names in each language: EntityReaderTest and the end-to-end runs.
TEST_F(CatalogTest, TextsComeInTheUserInterfaceLanguage)
{
    kvSetUiLanguage(KvUiLanguage::French);
    const PropertyCatalog french;
    EXPECT_EQ(french.lsObjNames[8], u"Textmult");
    EXPECT_EQ(french.mTextDatas[3].name, u"Index");
    EXPECT_EQ(PropCategory::Name(PropCategory::Text), u"Texte");

    kvSetUiLanguage(KvUiLanguage::Spanish);
    const PropertyCatalog spanish;
    EXPECT_EQ(spanish.objTypeItem.name, u"Tipo de Objeto");
    EXPECT_EQ(spanish.lsObjNames[8], u"MText");
    EXPECT_EQ(PropCategory::Name(PropCategory::DynamicBlock), u"Bloque dinámico");
    EXPECT_EQ(PropCategory::Name(7), u"");
}

class SelectObjectTypesTest : public CatalogTest {
protected:
    OfferedProperties Select(const Names& kinds, const PropItemSet& blockItems = {})
    {
        return SelectObjectTypes(catalog, kinds, blockItems);
    }
    static std::set<std::uint32_t> Categories(std::initializer_list<std::uint32_t> numbers) { return numbers; }
};

TEST_F(SelectObjectTypesTest, EachKindAloneOffersItsPropertiesAndCategories)
{
    struct Case {
        const char16_t* kind;
        std::size_t count;  // "Object type" + common + own, merged by name
        std::set<std::uint32_t> categories;
        bool bThickness;
    };
    const Case cases[] = {
        {u"Line", 1 + 8 + 11, {1, 2}, true},     {u"Polyline", 1 + 8 + 5, {1, 2, 3}, true},
        {u"Arc", 1 + 8 + 9, {1, 2}, true},       {u"Circle", 1 + 8 + 7, {1, 2}, true},
        {u"Solid", 1 + 8, {1, 2}, true},         {u"3D Solid", 1 + 7, {1}, false},
        {u"Point", 1 + 8 + 3, {1, 2}, true},     {u"MText", 1 + 7 + 14, {1, 2, 6}, false},
        {u"Block", 1 + 7 + 1, {1, 2, 3}, false}, {u"Hatch", 1, {}, false},
    };
    for (const Case& c : cases) {
        const OfferedProperties offered = Select({c.kind});
        const std::string kind(c.kind, c.kind + std::char_traits<char16_t>::length(c.kind));
        EXPECT_EQ(offered.seHeaders.size(), c.count) << kind;
        EXPECT_EQ(offered.seCategories, c.categories) << kind;
        EXPECT_EQ(Offers(offered.seHeaders, u"Thickness"), c.bThickness) << kind;
        EXPECT_TRUE(Offers(offered.seHeaders, u"Object type")) << kind;
    }
    EXPECT_TRUE(Offers(Select({u"Block"}).seHeaders, u"Preview"));
    EXPECT_TRUE(std::ranges::is_sorted(NamesOf(Select({u"MText"}).seHeaders)));
}

TEST_F(SelectObjectTypesTest, ThicknessDependsOnWhatComesAfterTheLastTextOrSolid)
{
    EXPECT_FALSE(Offers(Select({u"Line", u"MText"}).seHeaders, u"Thickness"));
    EXPECT_TRUE(Offers(Select({u"MText", u"Line"}).seHeaders, u"Thickness"));
    EXPECT_FALSE(Offers(Select({u"Circle", u"3D Solid"}).seHeaders, u"Thickness"));
    EXPECT_TRUE(Offers(Select({u"3D Solid", u"Solid"}).seHeaders, u"Thickness"));
    // A block adds no common properties, so it does not bring it back.
    EXPECT_FALSE(Offers(Select({u"MText", u"Block"}).seHeaders, u"Thickness"));
    EXPECT_FALSE(Offers(Select({u"Point", u"3D Solid", u"MText"}).seHeaders, u"Thickness"));
}

TEST_F(SelectObjectTypesTest, SharedNamesMergeAndTheFirstKindDecides)
{
    const OfferedProperties blockFirst = Select({u"Block", u"MText"});
    const auto rotation = blockFirst.seHeaders.find(u"Rotation");
    ASSERT_NE(rotation, blockFirst.seHeaders.end());
    EXPECT_EQ(rotation->category, PropCategory::Misc);
    EXPECT_EQ(std::ranges::count(NamesOf(blockFirst.seHeaders), u"Rotation"), 1);

    const OfferedProperties textFirst = Select({u"MText", u"Block"});
    EXPECT_EQ(textFirst.seHeaders.find(u"Rotation")->category, PropCategory::Text);
    EXPECT_EQ(textFirst.seCategories, Categories({1, 2, 3, 6}));

    // Polyline, arc and circle areas make one column; polylines bring "Misc.".
    const OfferedProperties curves = Select({u"Circle", u"Arc", u"Polyline", u"Line"});
    EXPECT_EQ(std::ranges::count(NamesOf(curves.seHeaders), u"Area"), 1);
    EXPECT_EQ(std::ranges::count(NamesOf(curves.seHeaders), u"Length"), 1);
    EXPECT_EQ(curves.seCategories, Categories({1, 2, 3}));
    EXPECT_EQ(curves.seHeaders.size(), 1u + 8 + 11 + 9 + 7 + 5 - 2 /*Area*/ - 2 /*Length*/ - 1 /*Radius*/);
}

TEST_F(SelectObjectTypesTest, BlockItemsBringTheirCategoriesFirstWins)
{
    PropItemSet blockItems;
    blockItems.insert(PropItem{u"QTY", PropCategory::Attribute, true});
    blockItems.insert(PropItem{u"X position", PropCategory::Attribute, false});
    OfferedProperties offered = Select({u"Block"}, blockItems);
    EXPECT_EQ(offered.seCategories, Categories({1, 2, 3, 4}));
    EXPECT_TRUE(offered.seHeaders.find(u"QTY")->totalComp);
    // Attribute and dynamic names are inserted before the block's own geometry.
    EXPECT_EQ(offered.seHeaders.find(u"X position")->category, PropCategory::Attribute);

    blockItems.insert(PropItem{u"Distance1", PropCategory::DynamicBlock, true});
    EXPECT_EQ(Select({u"Block"}, blockItems).seCategories, Categories({1, 2, 3, 4, 5}));
    // Without "Block" among the kinds, block items are not offered.
    EXPECT_FALSE(Offers(Select({u"Line"}, blockItems).seHeaders, u"QTY"));
}

}  // namespace
