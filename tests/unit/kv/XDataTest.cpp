#include "support/DrawingFixture.h"

namespace {

KvTypedValueList groupOf(const KvDbObject& object, const char16_t* app)
{
    resbuf* pChain = object.xData(app);
    KvTypedValueList values = kvRbToTypedValues(pChain);
    kvutRelRb(pChain);
    return values;
}

resbuf* chain(const char16_t* app, std::initializer_list<const char16_t*> items)
{
    KvTypedValueList values{KvTypedValue(1001, std::u16string(app))};
    for (const char16_t* pItem : items) values.emplace_back(1000, std::u16string(pItem));
    return kvTypedValuesToRb(values);
}

}  // namespace

class XDataTest : public DrawingFixture {
protected:
    void SetUp() override
    {
        DrawingFixture::SetUp();
        id = Add(new KvDbLine({0, 0, 0}, {1, 0, 0}));
        ASSERT_EQ(kvdbOpenKvDbEntity(pEntity, id, KvDb::kForWrite), Kvmo::eOk);
    }
    void TearDown() override
    {
        pEntity->close();
        DrawingFixture::TearDown();
    }
    Kvmo::ErrorStatus set(resbuf* pChain)
    {
        const Kvmo::ErrorStatus es = pEntity->setXData(pChain);
        kvutRelRb(pChain);
        return es;
    }
    KvDbObjectId id;
    KvDbEntity* pEntity = nullptr;
};

TEST_F(XDataTest, UnregisteredApplicationIsRefusedWithNothingWritten)
{
    EXPECT_EQ(set(chain(u"obj_handles", {u"2A"})), Kvmo::eInvalidInput);
    EXPECT_EQ(pEntity->xData(u"obj_handles"), nullptr);
    ASSERT_EQ(kvdbRegApp(u"obj_handles"), RTNORM);
    ASSERT_EQ(kvdbRegApp(u"OBJ_HANDLES"), RTNORM);  // again, any case: still one record
    KvDbRegAppTable* pApps = nullptr;
    ASSERT_EQ(Db().getRegAppTable(pApps, KvDb::kForRead), Kvmo::eOk);
    EXPECT_EQ(pApps->recordIds().size(), 2u);  // ACAD and obj_handles
    pApps->close();
    EXPECT_EQ(set(chain(u"obj_handles", {u"2A"})), Kvmo::eOk);

    // One unregistered group in a chain spoils the whole chain.
    KvTypedValueList two = {KvTypedValue(1001, std::u16string(u"obj_handles")),
                            KvTypedValue(1000, std::u16string(u"3B")), KvTypedValue(1001, std::u16string(u"nobody")),
                            KvTypedValue(1000, std::u16string(u"x"))};
    EXPECT_EQ(set(kvTypedValuesToRb(two)), Kvmo::eInvalidInput);
    EXPECT_EQ(groupOf(*pEntity, u"obj_handles").size(), 2u);
}

// Replacing, appending to and cutting a group: ExtractionTagTest, through the tag.
TEST_F(XDataTest, ChainMustStartWithAnApplicationNameAndNeedsAWriteOpen)
{
    EXPECT_EQ(set(kvutBuildList(1000, u"orphan", 0)), Kvmo::eInvalidInput);
    ASSERT_EQ(kvdbRegApp(u"obj_types"), RTNORM);
    ASSERT_EQ(pEntity->downgradeOpen(), Kvmo::eOk);
    EXPECT_EQ(set(chain(u"obj_types", {u"Line"})), Kvmo::eNotOpenForWrite);
    EXPECT_EQ(pEntity->xData(), nullptr);
}

TEST_F(XDataTest, HyperlinksTravelAsTheirOwnApplicationGroup)
{
    KvDbEntityHyperlinkPE* pPE = KvDbEntityHyperlinkPE::cast(pEntity);
    ASSERT_NE(pPE, nullptr);
    bool bHas = true;
    ASSERT_EQ(pPE->hasHyperlink(pEntity, bHas), Kvmo::eOk);
    EXPECT_FALSE(bHas);

    KvDbHyperlinkCollection links;
    links.addTail(KvDbHyperlink(u"https://example.org/a", u"Data sheet", u"page 2"));
    links.addTail(KvDbHyperlink(u"file:///plans/b.pdf"));
    ASSERT_EQ(pPE->setHyperlinkCollection(pEntity, &links), Kvmo::eOk);

    KvDbHyperlinkCollection* pRead = nullptr;
    ASSERT_EQ(pPE->getHyperlinkCollection(pEntity, pRead), Kvmo::eOk);
    ASSERT_EQ(pRead->count(), 2);  // the first one shown: DxfDrawingTest
    EXPECT_EQ(pRead->item(0)->description(), u"Data sheet");
    EXPECT_EQ(pRead->item(0)->subLocation(), u"page 2");
    EXPECT_EQ(pRead->item(2), nullptr);
    delete pRead;
    EXPECT_EQ(groupOf(*pEntity, u"PE_URL").front().code, 1001);

    KvDbDictionary dictionary;
    EXPECT_EQ(KvDbEntityHyperlinkPE::cast(&dictionary), nullptr);  // only entities carry hyperlinks
}
