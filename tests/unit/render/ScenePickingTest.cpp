// Picking in the drawing view: single clicks, windows, crossings and the single pick's type
// filter, on a drawing made through the host interface.
#include <gtest/gtest.h>

#include <algorithm>

#include "kv/kv.h"
#include "kvrender/DrawingScene.h"
#include "kvrender/ScenePicker.h"
#include "support/DrawingFixture.h"

namespace {

class ScenePickingTest : public DrawingFixture {
protected:
    void SetUp() override
    {
        DrawingFixture::SetUp();
        // A square block of side 10 with its origin at the lower left corner.
        idSquare = BlockDefinition(Db(), u"SQUARE");
        KvDbBlockTableRecord* pBlock = nullptr;
        kvdbOpenObject(pBlock, idSquare, KvDb::kForWrite);
        auto* pOutline = new KvDbPolyline;
        for (auto [x, y] : {std::pair{0.0, 0.0}, {10.0, 0.0}, {10.0, 10.0}, {0.0, 10.0}})
            pOutline->addVertexAt(pOutline->numVerts(), KvGePoint2d(x, y));
        pOutline->setClosed(true);
        pBlock->appendKvDbEntity(pOutline);
        pOutline->close();
        pBlock->close();
    }

    KvDbObjectId line(double x0, double y0, double x1, double y1)
    {
        return Add(new KvDbLine(KvGePoint3d(x0, y0, 0), KvGePoint3d(x1, y1, 0)));
    }
    KvDbObjectId circle(double x, double y, double r) { return Add(new KvDbCircle(KvGePoint3d(x, y, 0), r)); }
    KvDbObjectId square(double x, double y, double rotation = 0.0)
    {
        auto* pRef = new KvDbBlockReference;
        pRef->setBlockTableRecord(idSquare);
        pRef->setPosition(KvGePoint3d(x, y, 0));
        pRef->setRotation(rotation);
        return Add(pRef);
    }
    // Handles of the items, in the order given.
    std::vector<std::u16string> handles(const DrawingScene& scene, const std::vector<std::uint32_t>& items)
    {
        std::vector<std::u16string> out;
        for (std::uint32_t i : items) out.push_back(HandleText(scene.items()[i].id));
        return out;
    }
    std::u16string picked(const DrawingScene& scene, int item)
    {
        return item < 0 ? u"none" : HandleText(scene.items()[static_cast<std::size_t>(item)].id);
    }

    KvDbObjectId idSquare;
};

TEST_F(ScenePickingTest, AClickPicksTheNearestEntityWithinTheToleranceAndNothingElsewhere)
{
    const KvDbObjectId a = line(0, 0, 100, 0);
    const KvDbObjectId b = line(0, 5, 100, 5);
    const KvDbObjectId c = circle(50, 50, 10);
    const KvDbObjectId s = square(200, 0, M_PI / 4);
    const DrawingScene scene(Db());
    const ScenePicker picker(scene);
    EXPECT_EQ(picked(scene, picker.pickAt({50, 1}, 2)), HandleText(a));
    EXPECT_EQ(picked(scene, picker.pickAt({50, 3.5}, 2)), HandleText(b));
    EXPECT_EQ(picked(scene, picker.pickAt({57.07, 57.07}, 0.5)), HandleText(c));  // on the circle at 45 degrees
    EXPECT_EQ(picked(scene, picker.pickAt({50, 50}, 2)), u"none");                // a circle is not filled
    EXPECT_EQ(picked(scene, picker.pickAt({50, 2.5}, 3)), HandleText(b));         // equally near: the later one
    EXPECT_EQ(picked(scene, picker.pickAt({150, 50}, 2)), u"none");
    // The rotated block: its outline, not its box.
    EXPECT_EQ(picked(scene, picker.pickAt({200 + 7.07, 7.07}, 0.5)), HandleText(s));
    EXPECT_EQ(picked(scene, picker.pickAt({200 + 6.5, 1}, 0.5)), u"none");
}

TEST_F(ScenePickingTest, AWindowSelectsTheWhollyInsideAndACrossingWhatTouchesIt)
{
    const KvDbObjectId inside = line(10, 10, 20, 20);
    const KvDbObjectId across = line(40, 10, 60, 10);  // crosses the right edge
    const KvDbObjectId outside = line(70, 0, 90, 0);   // nowhere near
    const KvDbObjectId corner = line(45, 62, 62, 45);  // its box meets the window's corner, the line does not
    const KvDbObjectId ring = circle(30, 30, 8);       // inside
    const KvDbObjectId around = circle(25, 25, 40);    // encloses the window: touches nothing of it
    const KvDbObjectId block = square(5, 30);          // inside
    const KvDbObjectId blockAcross = square(45, 30);   // half out
    const DrawingScene scene(Db());
    const ScenePicker picker(scene);
    const RenderBox window = RenderBox::of(0, 0, 50, 50);
    EXPECT_EQ(handles(scene, picker.window(window)),
              (std::vector<std::u16string>{HandleText(inside), HandleText(ring), HandleText(block)}));
    EXPECT_EQ(handles(scene, picker.crossing(window)),
              (std::vector<std::u16string>{HandleText(inside), HandleText(across), HandleText(ring), HandleText(block),
                                           HandleText(blockAcross)}));
    (void)outside, (void)corner, (void)around;
}

// Answers a single pick as a click would in the view: the entity the picker finds at a point,
// among those the request's filter takes.
class ClickAt : public KvEdInputProvider {
public:
    ClickAt(KvDbDatabase& db, RenderPoint at) : m_db(db), m_at(at) {}
    int selectObjects(const std::u16string&, std::vector<KvDbHandle>&, bool&) override { return RTCAN; }
    int getPoint(const std::u16string&, const KvGePoint3d*, KvGePoint3d&) override { return RTCAN; }
    int pickObject(const std::u16string& prompt, KvDbHandle& handle) override
    {
        return pickFilteredObject(prompt, nullptr, handle);
    }
    int pickFilteredObject(const std::u16string&, const std::function<bool(const KvDbEntity&)>& accepts,
                           KvDbHandle& handle) override
    {
        const DrawingScene scene(m_db);
        const int item = ScenePicker(scene).pickAt(m_at, 1.0, [&](const SceneItem& i) {
            const auto* pEntity = dynamic_cast<const KvDbEntity*>(m_db.objectAt(i.id));
            return pEntity && (!accepts || accepts(*pEntity));
        });
        if (item < 0) return RTERROR;
        handle = m_db.objectAt(scene.items()[static_cast<std::size_t>(item)].id)->handle();
        return RTNORM;
    }

private:
    KvDbDatabase& m_db;
    RenderPoint m_at;
};

TEST_F(ScenePickingTest, ATableOnlyPickIgnoresWhatLiesOverTheTable)
{
    auto* pTable = new KvDbTable;
    pTable->setSize(3, 2);
    pTable->setColumnWidth(20.0);
    pTable->setRowHeight(5.0);
    pTable->setPosition(KvGePoint3d(0, 15, 0));  // top left corner: the table spans y 0 to 15
    const KvDbObjectId table = Add(pTable);
    const KvDbObjectId over = line(0, 7, 40, 7);  // drawn over the table, nearer to the click
    auto pickWith = [&](const resbuf* filter) {
        ClickAt click(Db(), {10, 7.2});
        kvedSetInputProvider(&click);
        kv_name ss, entity;
        std::u16string handle = u"none";
        if (kvedSSGet(u":S", nullptr, nullptr, filter, ss) == RTNORM) {
            kvedSSName(ss, 0, entity);
            KvDbObjectId id;
            kvdbGetObjectId(id, entity);
            handle = HandleText(id);
            kvedSSFree(ss);
        }
        return handle;
    };
    resbuf* pTablesOnly = kvutBuildList(RTDXF0, u"ACAD_TABLE", RTNONE);
    EXPECT_EQ(pickWith(pTablesOnly), HandleText(table));
    kvutRelRb(pTablesOnly);
    EXPECT_EQ(pickWith(nullptr), HandleText(over));
    resbuf* pCirclesOnly = kvutBuildList(RTDXF0, u"CIRCLE", RTNONE);
    EXPECT_EQ(pickWith(pCirclesOnly), u"none");
    kvutRelRb(pCirclesOnly);
}

}  // namespace
