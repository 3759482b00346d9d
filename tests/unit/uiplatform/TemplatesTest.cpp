#include <gtest/gtest.h>

#include <set>

#include "resources/UiResources.h"

namespace {
const KvUiDialogTemplate& Dialog(int id)
{
    const KvUiDialogTemplate* d = kvuiFindDialogTemplate(id);
    if (!d) throw std::runtime_error("no template " + std::to_string(id));
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
    EXPECT_TRUE(Dialog(IDD_ASSIST1).control(1001)->style & WS_DISABLED);  // no Previous on the first page
}

TEST(DialogTemplates, ArtworkLoadsWithPixelsForItsSize)
{
    for (HBITMAP image : {kvuiLoadBitmap(IDB_SIDE), kvuiLoadIcon(IDI_INSERT_TABLE), kvuiLoadIcon(IDI_DRAWING_FILE)}) {
        ASSERT_NE(image, nullptr);
        EXPECT_GT(image->width, 0);
        EXPECT_EQ(image->pixels.size(), static_cast<std::size_t>(image->width * image->height * 3));
    }
}
