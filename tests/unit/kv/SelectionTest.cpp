#include "support/DrawingFixture.h"
#include "support/QueuedEditorInput.h"

class SelectionTest : public DrawingFixture {
protected:
    void SetUp() override
    {
        DrawingFixture::SetUp();
        kvedSetInputProvider(&input);
        line = Add(new KvDbLine({0, 0, 0}, {1, 0, 0}));
        circle = Add(new KvDbCircle(KvGePoint3d(), 2.0));
        table = Add(new KvDbTable());
        text = Add(new KvDbGenericEntity(u"TEXT"));
    }
    // The ids of a selection set, freed.
    std::vector<KvDbObjectId> take(kv_name ss)
    {
        std::vector<KvDbObjectId> ids;
        std::int32_t n = 0;
        EXPECT_EQ(kvedSSLength(ss, &n), RTNORM);
        for (std::int32_t i = 0; i < n; ++i) {
            kv_name ent;
            EXPECT_EQ(kvedSSName(ss, i, ent), RTNORM);
            KvDbObjectId id;
            EXPECT_EQ(kvdbGetObjectId(id, ent), Kvmo::eOk);
            ids.push_back(id);
        }
        EXPECT_EQ(kvedSSFree(ss), RTNORM);
        EXPECT_EQ(kvedSSLength(ss, &n), RTERROR);  // gone once freed
        return ids;
    }

    QueuedEditorInput input;
    KvDbObjectId line, circle, table, text;
};

TEST_F(SelectionTest, AllTakesEveryLiveLayoutEntityInCreationOrder)
{
    KvDbEntity* pEntity = nullptr;
    ASSERT_EQ(kvdbOpenKvDbEntity(pEntity, circle, KvDb::kForWrite), Kvmo::eOk);
    pEntity->erase();
    pEntity->close();
    kv_name ss;
    ASSERT_EQ(kvedSSGet(u"A", nullptr, nullptr, nullptr, ss), RTNORM);
    EXPECT_EQ(take(ss), (std::vector<KvDbObjectId>{line, table, text}));
    EXPECT_TRUE(input.prompts.empty());  // no user involved
}

TEST_F(SelectionTest, FilterOnEntityTypeIgnoresCase)
{
    resbuf* pFilter = kvutBuildList(RTDXF0, u"acad_table", 0);
    ASSERT_NE(pFilter, nullptr);
    EXPECT_EQ(pFilter->restype, 0);  // stands for group 0 in the chain
    kv_name ss;
    ASSERT_EQ(kvedSSGet(u"A", nullptr, nullptr, pFilter, ss), RTNORM);
    EXPECT_EQ(take(ss), std::vector<KvDbObjectId>{table});

    resbuf* pTwo = kvutBuildList(RTDXF0, u"LINE,CIRCLE", 0);
    ASSERT_EQ(kvedSSGet(u"A", nullptr, nullptr, pTwo, ss), RTNORM);
    EXPECT_EQ(take(ss), (std::vector<KvDbObjectId>{line, circle}));

    resbuf* pNone = kvutBuildList(RTDXF0, u"HATCH", 0);
    EXPECT_EQ(kvedSSGet(u"A", nullptr, nullptr, pNone, ss), RTERROR);
    kvutRelRb(pFilter);
    kvutRelRb(pTwo);
    kvutRelRb(pNone);
}

TEST_F(SelectionTest, InteractiveSelectionReportsUnknownHandlesAndDropsRepeats)
{
    input.answers.push_back(QueuedEditorInput::Picked(
        {ObjectHandle(circle), KvDbHandle(0xFFFF), ObjectHandle(circle), ObjectHandle(line)}));
    kv_name ss;
    ASSERT_EQ(kvedSSGet(nullptr, nullptr, nullptr, nullptr, ss), RTNORM);
    EXPECT_EQ(take(ss), (std::vector<KvDbObjectId>{circle, line}));  // in the order picked
    EXPECT_NE(KvConsole::instance().recorded().find(u"No object with handle FFFF in the drawing."),
              std::u16string::npos);

    // A handle of a non-graphical object cannot be picked either.
    input.answers.push_back(QueuedEditorInput::Picked({Db().objectAt(Db().modelSpaceId())->handle()}));
    EXPECT_EQ(kvedSSGet(nullptr, nullptr, nullptr, nullptr, ss), RTERROR);

    input.answers.push_back(QueuedEditorInput::All());
    ASSERT_EQ(kvedSSGet(nullptr, nullptr, nullptr, nullptr, ss), RTNORM);
    EXPECT_EQ(take(ss).size(), 4u);

    kvedSetInputProvider(nullptr);  // nobody to ask: cancelled
    EXPECT_EQ(kvedSSGet(nullptr, nullptr, nullptr, nullptr, ss), RTCAN);
}

TEST_F(SelectionTest, EntNextWalksCreationOrderAndEntLastFindsTheNewest)
{
    kv_name name = {0, 0}, next;
    std::vector<KvDbObjectId> walked;
    while (kvdbEntNext(name, next) == RTNORM) {
        KvDbObjectId id;
        kvdbGetObjectId(id, next);
        walked.push_back(id);
        name[0] = next[0];
        name[1] = next[1];
    }
    EXPECT_EQ(walked, (std::vector<KvDbObjectId>{line, circle, table, text}));

    kv_name last;
    ASSERT_EQ(kvdbEntLast(last), RTNORM);
    const KvDbObjectId added = Add(new KvDbLine({5, 5, 0}, {6, 6, 0}));
    ASSERT_EQ(kvdbEntNext(last, next), RTNORM);  // what a table writer does to find its table
    KvDbObjectId id;
    kvdbGetObjectId(id, next);
    EXPECT_EQ(id, added);

    KvDbDatabase empty;
    kvdbHostApplicationServices()->setWorkingDatabase(&empty);
    EXPECT_EQ(kvdbEntLast(last), RTERROR);
    kv_name none = {0, 0};
    EXPECT_EQ(kvdbEntNext(none, next), RTERROR);
}

TEST_F(SelectionTest, EntGetGivesTypeHandleLayerAndColour)
{
    kv_name ent;
    kvdbGetAdsName(ent, table);
    resbuf* pData = kvdbEntGet(ent);
    const KvTypedValueList values = kvRbToTypedValues(pData);
    kvutRelRb(pData);
    ASSERT_EQ(values.size(), 4u);
    EXPECT_EQ(values[0], KvTypedValue(0, std::u16string(u"ACAD_TABLE")));
    EXPECT_EQ(values[1], KvTypedValue(5, HandleText(table)));
    EXPECT_EQ(values[2], KvTypedValue(8, std::u16string(u"0")));
    EXPECT_EQ(values[3], KvTypedValue(62, std::int64_t{256}));
}

// Reading LUPREC, VERLAN and CMDECHO: the engine, CSV and table writer tests.
TEST_F(SelectionTest, VariablesRefuseValuesOutOfRangeAndTheHostsOwn)
{
    Db().setLuprec(2);
    resbuf value;
    value.restype = RTSHORT;
    value.resval.rint = 7;
    EXPECT_EQ(kvedSetVar(u"CMDECHO", &value), RTERROR);
    value.resval.rint = 9;
    EXPECT_EQ(kvedSetVar(u"LUPREC", &value), RTERROR);
    EXPECT_EQ(Db().luprec(), 2);
    EXPECT_EQ(kvedSetVar(u"VERLAN", &value), RTERROR);
    EXPECT_EQ(kvedGetVar(u"NOSUCHVAR", &value), RTERROR);
}
