#pragma once
// A dialog with the wizard's three kinds of report list, laid out as a real page: image
// check marks in two columns with draggable headers and the column menu, native check
// boxes, and a list without rows.
#include "kvui/CKvUiDialog.h"
#include "kvui/KvUiImage.h"
#include "ui/GridListCtrl.h"

enum : int {
    kListsDialog = 9101,
    kProps = 1201,  // hidden label column 0; 1 Property (marks), 2 Display name, 3 Total (marks)
    kKinds = 1202,  // native check boxes in column 0, names in column 1
    kEmpty = 1203,
    kCrampedDialog = 9102,  // controls too small for what they show
    kIconButton = 1301,
    kLongLabel = 1302,
    kCoveredButton = 1303,
};

// Registers the template (and the plug-in's texts, for the menus) for the test process.
void RegisterListsDialog();

class ListsDialog : public CKvUiDialog {
public:
    ListsDialog();

    GridListCtrl m_props;
    GridListCtrl m_kinds;
    GridListCtrl m_empty;
    CImageList m_images;
    int m_iChecked = 0;

protected:
    void DoDataExchange() override;
    BOOL OnInitDialog() override;
};

class CrampedDialog : public CKvUiDialog {
public:
    CrampedDialog();

protected:
    BOOL OnInitDialog() override;
};
