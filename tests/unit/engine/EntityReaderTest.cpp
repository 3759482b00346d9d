// What a user reads of texts and solids, and the by-layer values in every language, beyond what
// DxfDrawingTest checks against ezdxf.
#include "EngineDrawing.h"
#include "engine/ValueTexts.h"

namespace {

using EntityReaderTest = EngineDrawingTest;
using Texts = std::vector<std::u16string>;

// The values shown under the names given, in that order; a name not offered reads "<none>".
Texts ShownAs(const GeomEnt& record, const PropertyCatalog& catalog, std::initializer_list<const char16_t*> names)
{
    const auto shown = Shown(record, catalog);
    Texts values;
    for (const char16_t* name : names) {
        const auto it = shown.find(name);
        values.push_back(it == shown.end() ? u"<none>" : it->second);
    }
    return values;
}

TEST_F(EntityReaderTest, MTextShowsItsEnumerations)
{
    struct Case {
        int attachment;
        const char16_t* justify;
        int flow;
        const char16_t* direction;
        int spacing;
        const char16_t* spacingStyle;
    };
    const Case cases[] = {
        {1, u"Top left", 1, u"Horizontal", 1, u"At least"}, {5, u"Middle center", 2, u"Horizontal", 2, u"Exactly"},
        {13, u"Aligned", 3, u"Vertical", 1, u"At least"},   {15, u"", 4, u"Vertical", 2, u"Exactly"},
        {17, u"Fit", 5, u"By style", 1, u"At least"},       {21, u"Middle", 1, u"Horizontal", 1, u"At least"},
        {24, u"", 1, u"Horizontal", 1, u"At least"},
    };
    for (const Case& c : cases) {
        Add(new KvDbMText, [&](KvDbMText& mtext) {
            mtext.setAttachment(c.attachment);
            mtext.setFlowDirection(c.flow);
            mtext.setLineSpacingStyle(c.spacing);
            mtext.setBackgroundFill(c.attachment == 1);
        });
    }
    const ExtractionEngine engine = Read();
    ASSERT_EQ(engine.lsMTexts.size(), std::size(cases));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(ShownAs(engine.lsMTexts[i], engine.catalog,
                          {u"Justify", u"Direction", u"Line spacing style", u"Background mask"}),
                  (Texts{cases[i].justify, cases[i].direction, cases[i].spacingStyle, i == 0 ? u"Yes" : u"No"}))
            << i;
    }

    // Values the host never stores have no text either.
    for (int value : {0, 14}) EXPECT_EQ(AttachmentText(value), u"") << value;
    EXPECT_EQ(FlowDirectionText(0) + FlowDirectionText(6) + LineSpacingStyleText(0) + LineSpacingStyleText(3), u"");
}

TEST_F(EntityReaderTest, SolidsShowOnlyCommonProperties)
{
    Add(new KvDbSolid, [](KvDbSolid& solid) { solid.setThickness(1.5); });
    Add(new KvDb3dSolid);
    const ExtractionEngine engine = Read();
    ASSERT_EQ(engine.lsSolids.size(), 1u);
    ASSERT_EQ(engine.lsSolids3D.size(), 1u);
    EXPECT_TRUE(engine.lsSolids[0].GetProps(engine.catalog.lineDatas).empty());
    EXPECT_TRUE(engine.lsSolids3D[0].GetProps(engine.catalog.mTextDatas).empty());
    EXPECT_EQ(Shown(engine.lsSolids[0], engine.catalog).size(), 8u);
    EXPECT_EQ(Shown(engine.lsSolids[0], engine.catalog)[u"Thickness"], u"1.5");
    EXPECT_EQ(Shown(engine.lsSolids3D[0], engine.catalog)[u"Thickness"], u"0");
}

TEST_F(EntityReaderTest, ByLayerAndByBlockValuesInEveryLanguage)
{
    Db().setLuprec(8);
    Add(new KvDbLine({0, 0, 0}, {1, 0, 0}), [](KvDbLine& line) {
        line.setLinetype(u"BYLAYER");
        line.setLineWeight(KvDb::kLnWtByLayer);
        line.setColorIndex(256);
        line.setLinetypeScale(3e-7);
    });
    Add(new KvDbLine({0, 0, 0}, {1, 0, 0}), [](KvDbLine& line) {
        line.setLinetype(u"byblock");
        line.setPlotStyleName(u"ByBlock");
        line.setLineWeight(KvDb::kLnWtByBlock);
        line.setColorIndex(0);
    });
    Add(new KvDbLine({0, 0, 0}, {1, 0, 0}), [](KvDbLine& line) {
        line.setLayer(u"Walls");
        line.setLinetype(u"DASHED");
        line.setPlotStyleName(u"Thick");
        line.setLineWeight(KvDb::kLnWtByLwDefault);
        line.setColorIndex(5);
        line.setLinetypeScale(2.5);
    });
    Add(new KvDbLine({0, 0, 0}, {1, 0, 0}), [](KvDbLine& line) { line.setLineWeight(25); });

    struct Language {
        KvUiLanguage language;
        const char16_t* byLayer;
        const char16_t* byBlock;
        const char16_t* byDefault;
        const char16_t* layer;
        const char16_t* color;
        const char16_t* lineWeight;
        const char16_t* linetype;
        const char16_t* plotStyle;
        const char16_t* scale;
    };
    const Language languages[] = {
        {KvUiLanguage::English, u"ByLayer", u"ByBlock", u"Default", u"Layer", u"Color", u"Line thickness", u"Linetype",
         u"Plot style", u"Linetype scale"},
        {KvUiLanguage::Spanish, u"PorCapa", u"PorBloque", u"Por defecto", u"Capa", u"Color", u"Grosor de línea",
         u"Tipo de línea", u"Estilo de trazado", u"Escala de tipo de línea"},
        {KvUiLanguage::French, u"DuCalque", u"DuBloc", u"Par défaut", u"Calque", u"Couleur", u"Épaisseur de ligne",
         u"Type de ligne", u"Style de tracé", u"Échelle du type de ligne"},
    };
    for (const Language& l : languages) {
        kvSetUiLanguage(l.language);
        const ExtractionEngine engine = Read();
        ASSERT_EQ(engine.lsLines.size(), 4u);
        // The scale has six decimals at most, whatever the precision; line weights are
        // hundredths of a millimetre, not converted.
        const auto names = {l.color, l.lineWeight, l.linetype, l.plotStyle, l.scale, l.layer};
        EXPECT_EQ(ShownAs(engine.lsLines[0], engine.catalog, names),
                  (Texts{l.byLayer, l.byLayer, l.byLayer, l.byLayer, u"0", u"0"}));
        EXPECT_EQ(ShownAs(engine.lsLines[1], engine.catalog, names),
                  (Texts{l.byBlock, l.byBlock, l.byBlock, l.byBlock, u"1", u"0"}));
        EXPECT_EQ(ShownAs(engine.lsLines[2], engine.catalog, names),
                  (Texts{u"5", l.byDefault, u"DASHED", u"Thick", u"2.5", u"Walls"}));
        EXPECT_EQ(ShownAs(engine.lsLines[3], engine.catalog, {l.lineWeight}), Texts{u"25"});
    }
}

}  // namespace
