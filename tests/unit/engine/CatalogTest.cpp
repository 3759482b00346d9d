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

// What a kind offers alone: the kind column, the common properties (not for blocks; without
// "Thickness" for 3D solids and texts), its own list, and for blocks the preview column.
TEST_F(SelectObjectTypesTest, EachKindAloneOffersTheCommonPropertiesAndItsOwn)
{
    struct Case {
        const char16_t* kind;
        const PropItemList* own;
        bool bCommon;
        bool bThickness;
        std::set<std::uint32_t> categories;
    };
    const PropItemList none;
    const Case cases[] = {
        {u"Line", &catalog.lineDatas, true, true, {1, 2}},
        {u"Polyline", &catalog.pLineDatas, true, true, {1, 2, 3}},
        {u"Arc", &catalog.arcDatas, true, true, {1, 2}},
        {u"Circle", &catalog.circleDatas, true, true, {1, 2}},
        {u"Solid", &none, true, true, {1, 2}},
        {u"3D Solid", &none, true, false, {1}},
        {u"Point", &catalog.pointDatas, true, true, {1, 2}},
        {u"MText", &catalog.mTextDatas, true, false, {1, 2, 6}},
        {u"Block", &catalog.blcDatas, false, false, {1, 2, 3}},
        {u"Hatch", &none, false, false, {}},
    };
    for (const Case& c : cases) {
        std::set<std::u16string> expected{catalog.objTypeItem.name};
        if (c.bCommon)
            for (const PropItem& item : catalog.ls_comPropTags)
                if (c.bThickness || item.name != u"Thickness") expected.insert(item.name);
        for (const PropItem& item : *c.own) expected.insert(item.name);
        if (std::u16string_view(c.kind) == u"Block") expected.insert(catalog.previewItem.name);

        const OfferedProperties offered = Select({c.kind});
        const std::string kind(c.kind, c.kind + std::char_traits<char16_t>::length(c.kind));
        const Names names = NamesOf(offered.seHeaders);
        EXPECT_EQ(std::set<std::u16string>(names.begin(), names.end()), expected) << kind;
        EXPECT_EQ(offered.seCategories, c.categories) << kind;
    }
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

    // Polyline, arc and circle areas make one column, as do the lengths; polylines bring "Misc.".
    const OfferedProperties curves = Select({u"Circle", u"Arc", u"Polyline", u"Line"});
    std::set<std::u16string> expected{catalog.objTypeItem.name};
    for (const PropItemList* list :
         {&catalog.ls_comPropTags, &catalog.circleDatas, &catalog.arcDatas, &catalog.pLineDatas, &catalog.lineDatas})
        for (const PropItem& item : *list) expected.insert(item.name);
    const Names names = NamesOf(curves.seHeaders);
    EXPECT_EQ(std::set<std::u16string>(names.begin(), names.end()), expected);
    EXPECT_EQ(curves.seCategories, Categories({1, 2, 3}));
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
