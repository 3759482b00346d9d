#pragma once
// A small dialog exercising every kind of control, run by the tests under a driver.
#include <string>
#include <vector>

#include "kvui/CFileDialog.h"
#include "kvui/CGridListCtrlEx.h"
#include "kvui/CKvUiDialog.h"
#include "kvui/KvUiControls.h"
#include "kvui/KvUiMessageBox.h"

enum : int {
    kTestDialog = 9001,
    kBrowse = 1002,
    kAsk = 1003,
    kOption = 1004,
    kRadioA = 1005,
    kRadioB = 1006,
    kRadioC = 1007,
    kCaption = 1008,
    kCombo = 1009,
    kKinds = 1010,   // native check boxes, two columns
    kProps = 1011,   // image check cells, hidden label column, draggable headers
    kFilter = 1012,  // list mode with check boxes
};

// Registers the template for the lifetime of the test process.
void RegisterTestDialogTemplate();

struct SeenChange {
    int list;
    int item;
    unsigned oldState;
    unsigned newState;
    long data;
    int imageAtNotification;  // column-1 image of the item when the parent heard of it
};

class TestDialog : public CKvUiDialog {
public:
    TestDialog();

    std::vector<int> clicks;
    std::vector<SeenChange> changes;
    std::vector<int> comboChanges;
    std::u16string chosenPath;
    int chosenFilter = 0;
    int fileResult = 0;
    int answer = 0;

    CGridListCtrlEx m_kinds;
    CGridListCtrlEx m_props;
    CListCtrl m_filter;
    CImageList m_images;
    DWORD fileFlags = OFN_HIDEREADONLY;

protected:
    void DoDataExchange() override;
    BOOL OnInitDialog() override;
};
