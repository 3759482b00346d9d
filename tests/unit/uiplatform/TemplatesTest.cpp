#include <gtest/gtest.h>

#include <set>

#include "resources/UiResources.h"

namespace {
const KvUiDialogTemplate& Dialog(int id)
{
    const KvUiDialogTemplate* d = kvuiFindDialogTemplate(id);
    if (!d)
        throw std::runtime_error("no template " + std::to_string(id));
    return *d;
}
}  // namespace

TEST(DialogTemplates, AreInTheChainWithUniqueIdsInsideTheirDialog)
{
    DataExtractionUiResources();
    for (int id : {IDD_ASSIST1, IDD_ASSIST2, IDD_ASSIST3, IDD_ASSIST4, IDD_ASSIST5, IDD_UPDATE}) {
        const KvUiDialogTemplate& d = Dialog(id);
        std::set<int> ids;
        for (const auto& c : d.controls) {
            if (c.id != -1) {
                EXPECT_TRUE(ids.insert(c.id).second) << "dialog " << id << " control " << c.id;
            }
            EXPECT_GE(c.x, 0);
            EXPECT_LE(c.x + c.cx, d.cx) << "dialog " << id << " control " << c.id;
            EXPECT_LE(c.y + c.cy, d.cy) << "dialog " << id << " control " << c.id;
            EXPECT_TRUE(c.style & WS_VISIBLE);
        }
        // Every dialog ends with Next or Finish and Cancel.
        ASSERT_NE(d.control(IDOK), nullptr);
        ASSERT_NE(d.control(IDCANCEL), nullptr);
        EXPECT_EQ(d.control(IDOK)->style & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    }
}

TEST(DialogTemplates, WizardPagesShareTheirFrame)
{
    for (int id : {IDD_ASSIST1, IDD_ASSIST2, IDD_ASSIST3, IDD_ASSIST4, IDD_ASSIST5}) {
        const KvUiDialogTemplate& d = Dialog(id);
        EXPECT_EQ(d.cy, 271);
        const KvUiControlTemplate* picture = d.control(-1);
        ASSERT_NE(picture, nullptr);
        EXPECT_EQ(picture->kind, KvUiControlKind::Picture);
        EXPECT_EQ(picture->imageId, IDB_SIDE);
        EXPECT_EQ(picture->y, id == IDD_ASSIST4 ? 6 : 7);
        for (int button : {1001, IDOK, IDCANCEL}) {
            const KvUiControlTemplate* b = d.control(button);
            ASSERT_NE(b, nullptr);
            EXPECT_EQ(b->y, 250);
            EXPECT_EQ(b->cx, 50);
            EXPECT_EQ(b->cy, 14);
        }
        // Previous, Next, Cancel from the left; Previous, Cancel, Finish on the last page.
        int prev = d.control(1001)->x, next = d.control(IDOK)->x, cancel = d.control(IDCANCEL)->x;
        if (id == IDD_ASSIST5) {
            EXPECT_TRUE(prev < cancel && cancel < next);
        } else {
            EXPECT_TRUE(prev < next && next < cancel);
        }
    }
    EXPECT_TRUE(Dialog(IDD_ASSIST1).control(1001)->style & WS_DISABLED);
}

TEST(DialogTemplates, ControlKindsThePagesRelyOn)
{
    EXPECT_EQ(Dialog(IDD_ASSIST2).control(1037)->kind, KvUiControlKind::RadioButton);
    EXPECT_EQ(Dialog(IDD_ASSIST2).control(1011)->style & LVS_TYPEMASK, LVS_LIST);
    EXPECT_EQ(Dialog(IDD_ASSIST3).control(1022)->style & LVS_TYPEMASK, LVS_REPORT);
    EXPECT_EQ(Dialog(IDD_ASSIST3).control(1023)->style & LVS_TYPEMASK, LVS_LIST);
    const KvUiControlTemplate* combo = Dialog(IDD_ASSIST4).control(1034);
    EXPECT_EQ(combo->kind, KvUiControlKind::ComboBox);
    EXPECT_TRUE(combo->style & CBS_SORT);
    for (int box : {1028, 1030, 1032, 1033})
        EXPECT_EQ(Dialog(IDD_ASSIST4).control(box)->kind, KvUiControlKind::CheckBox);
    EXPECT_TRUE(Dialog(IDD_ASSIST5).control(1031)->style & BS_ICON);
    for (int button = 1051; button <= 1054; ++button)
        EXPECT_EQ(Dialog(IDD_UPDATE).control(button)->text, u"...");
}

TEST(DialogTemplates, ArtworkHasItsSizes)
{
    HBITMAP side = kvuiLoadBitmap(IDB_SIDE);
    ASSERT_NE(side, nullptr);
    EXPECT_EQ(side->width, 150);
    EXPECT_EQ(side->height, 383);
    EXPECT_EQ(side->bitsPerPixel, 24);
    EXPECT_EQ(side->pixels.size(), 150u * 383u * 3u);
    for (int icon : {IDI_INSERT_TABLE, IDI_DRAWING_FILE}) {
        HICON i = kvuiLoadIcon(icon);
        ASSERT_NE(i, nullptr);
        EXPECT_EQ(i->width, 16);
        EXPECT_EQ(i->height, 16);
        EXPECT_EQ(i->pixels.size(), 16u * 16u * 3u);
    }
}
