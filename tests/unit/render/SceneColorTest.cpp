// Colours in the drawing view: index and true colours, ByLayer, ByBlock and layer 0 inside
// block references, through nested references.
#include <gtest/gtest.h>

#include "kv/kv.h"
#include "kvrender/RenderColor.h"
#include "kvrender/SceneRenderer.h"
#include "support/DrawingFixture.h"

namespace {

constexpr std::uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kMagenta = 0xFF00FF;

class SceneColorTest : public DrawingFixture {
protected:
    void SetUp() override
    {
        DrawingFixture::SetUp();
        addLayer(u"Blue", 5);
        addLayer(u"Red", 1);
        addLayer(u"Tinted", 1, 0xABCDEF);
        addLayer(u"Off", -2);
        addLayer(u"Frozen", 2, -1, true);
    }

    void addLayer(const std::u16string& name, std::int16_t color, std::int32_t trueColor = -1, bool bFrozen = false)
    {
        KvDbLayerTable* pTable = nullptr;
        ASSERT_EQ(Db().getLayerTable(pTable, KvDb::kForWrite), Kvmo::eOk);
        auto* pLayer = new KvDbLayerTableRecord;
        pLayer->setName(name);
        pLayer->colorIndex = color;
        pLayer->trueColor = trueColor;
        pLayer->bFrozen = bFrozen;
        KvDbObjectId id;
        pTable->add(id, pLayer);
        pLayer->close();
        pTable->close();
    }
    static KvDbLine* line(double y, const std::u16string& layer, std::uint16_t color, double x = 0)
    {
        auto* pLine = new KvDbLine(KvGePoint3d(x, y, 0), KvGePoint3d(x + 10, y, 0));
        pLine->setLayer(layer);
        pLine->setColorIndex(color);
        return pLine;
    }
    static KvDbBlockReference* reference(KvDbObjectId block, double x, const std::u16string& layer, std::uint16_t color)
    {
        auto* pRef = new KvDbBlockReference;
        pRef->setBlockTableRecord(block);
        pRef->setPosition(KvGePoint3d(x, 0, 0));
        pRef->setLayer(layer);
        pRef->setColorIndex(color);
        return pRef;
    }
    KvDbObjectId block(const std::u16string& name, std::vector<KvDbEntity*> entities)
    {
        const KvDbObjectId id = BlockDefinition(Db(), name);
        KvDbBlockTableRecord* pBlock = nullptr;
        kvdbOpenObject(pBlock, id, KvDb::kForWrite);
        for (KvDbEntity* pEntity : entities) {
            pBlock->appendKvDbEntity(pEntity);
            pEntity->close();
        }
        pBlock->close();
        return id;
    }
    // The colour drawn at the middle of the horizontal line at (x .. x + 10, y).
    std::uint32_t colorAt(double x, double y)
    {
        const DrawingScene scene(Db());
        RenderView view(400, 100);
        view.setView({20, 4}, 10.0);
        RasterCanvas canvas(400, 100);
        SceneRenderer::render(scene, view, canvas);
        const RenderPoint p = view.toScreen({x + 5, y});
        return canvas.pixel(static_cast<int>(p.x), static_cast<int>(p.y));
    }
};

TEST_F(SceneColorTest, ByBlockAndLayerZeroTakeTheReferencesColourAndLayerThroughNesting)
{
    // MARK: ByBlock at y 0, ByLayer on layer 0 at y 4, ByLayer on layer Red at y 8.
    const KvDbObjectId mark = block(u"MARK", {line(0, u"0", 0), line(4, u"0", 256), line(8, u"Red", 256)});
    Add(reference(mark, 0, u"Blue", 3));
    // OUTER holds MARK by block and on layer 0: what MARK's ByBlock and layer 0 mean comes
    // from the reference to OUTER.
    const KvDbObjectId outer = block(u"OUTER", {reference(mark, 0, u"0", 0)});
    Add(reference(outer, 20, u"Blue", 6));

    EXPECT_EQ(colorAt(0, 0), kGreen);
    EXPECT_EQ(colorAt(0, 4), kBlue);
    EXPECT_EQ(colorAt(0, 8), kRed);
    EXPECT_EQ(colorAt(20, 0), kMagenta);
    EXPECT_EQ(colorAt(20, 4), kBlue);
    EXPECT_EQ(colorAt(20, 8), kRed);
}

TEST_F(SceneColorTest, TopLevelColoursComeFromTheEntityOrItsLayer)
{
    Add(line(0, u"Red", 256));  // ByLayer
    Add(line(4, u"Red", 30));   // index 30, an orange
    Add(line(8, u"Red", 0));    // ByBlock outside a block: white
    KvDbLine* pTrue = line(0, u"Red", 1, 20);
    pTrue->setTrueColor(0x123456);  // over the index
    Add(pTrue);
    Add(line(4, u"Tinted", 256, 20));  // the layer's true colour
    Add(line(8, u"Off", 1, 20));       // not drawn
    Add(line(8, u"Frozen", 1, 20));    // not drawn
    EXPECT_EQ(colorAt(0, 0), kRed);
    EXPECT_EQ(colorAt(0, 4), 0xFF7F00u);
    EXPECT_EQ(colorAt(0, 8), 0xFFFFFFu);
    EXPECT_EQ(colorAt(20, 0), 0x123456u);
    EXPECT_EQ(colorAt(20, 4), 0xABCDEFu);
    EXPECT_EQ(colorAt(20, 8), kRenderBackground);
    // Palette landmarks: greys at the end, a half-saturated hue, a dark one.
    EXPECT_EQ(RenderAciColor(8), 0x808080u);
    EXPECT_EQ(RenderAciColor(11), 0xFF7F7Fu);
    EXPECT_EQ(RenderAciColor(140), 0x00BFFFu);
    EXPECT_EQ(RenderAciColor(250), 0x333333u);
}

}  // namespace
