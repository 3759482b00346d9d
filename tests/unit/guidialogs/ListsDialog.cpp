#include "ListsDialog.h"

#include "kvui/KvUiControls.h"
#include "resources/UiResources.h"

void RegisterListsDialog()
{
    static KvUiResourceModule module;
    if (module.dialogs.count(kListsDialog)) return;
    KvUiDialogTemplate d;
    d.id = kListsDialog;
    d.cx = 300;
    d.cy = 200;
    d.title = u"Lists";
    using K = KvUiControlKind;
    const DWORD report = LVS_REPORT | LVS_SHOWSELALWAYS | WS_BORDER;
    d.controls = {
        kvuiControl(kProps, K::ListView, 7, 7, 286, 80, report),
        kvuiControl(kKinds, K::ListView, 7, 92, 140, 80, report),
        kvuiControl(kEmpty, K::ListView, 153, 92, 140, 80, report),
        kvuiControl(IDOK, K::PushButton, 188, 180, 50, 14, BS_DEFPUSHBUTTON, u"OK"),
        kvuiControl(IDCANCEL, K::PushButton, 243, 180, 50, 14, BS_PUSHBUTTON, u"Cancel"),
    };
    module.dialogs[kListsDialog] = d;
    KvUiDialogTemplate cramped;
    cramped.id = kCrampedDialog;
    cramped.cx = 120;
    cramped.cy = 60;
    cramped.title = u"Cramped";
    cramped.controls = {
        kvuiControl(kIconButton, K::PushButton, 5, 5, 8, 6, BS_PUSHBUTTON | BS_ICON),
        kvuiControl(kLongLabel, K::Label, 5, 20, 40, 8, SS_LEFT, u"A caption far too long for its place"),
        kvuiControl(kCoveredButton, K::PushButton, 40, 20, 30, 12, BS_PUSHBUTTON, u"Go"),
        kvuiControl(IDCANCEL, K::PushButton, 80, 44, 14, 8, BS_PUSHBUTTON, u"Cancel"),
    };
    module.dialogs[kCrampedDialog] = cramped;
    kvuiAddResourceModule(&module);
    kvuiAddResourceModule(&DataExtractionUiResources());
}

ListsDialog::ListsDialog() : CKvUiDialog(kListsDialog, kpsw_kvmoMainWnd()) {}

void ListsDialog::DoDataExchange()
{
    DDX_Control(kProps, m_props);
    DDX_Control(kKinds, m_kinds);
    DDX_Control(kEmpty, m_empty);
}

BOOL ListsDialog::OnInitDialog()
{
    m_props.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_HEADERDRAGDROP);
    m_props.SetImageCheckMode(true);
    m_props.EnableHeaderMenu(true);
    m_props.InsertHiddenLabelColumn();
    const int unchecked = m_props.AppendCheckBoxImages(m_images);
    m_iChecked = unchecked + 1;
    m_props.SetImageList(&m_images, LVSIL_SMALL);
    m_props.InsertColumnTrait(1, u"Property", LVCFMT_LEFT, 100, 1, new CGridColumnTraitImage(unchecked, 2));
    m_props.InsertColumnTrait(2, u"Display name", LVCFMT_LEFT, 100, 2, new CGridColumnTraitText);
    m_props.InsertColumnTrait(3, u"Total", LVCFMT_LEFT, 100, 3, new CGridColumnTraitImage(unchecked, 2));
    m_props.SetTotalMarkColumn(3);
    m_props.IncludeFlags().assign(4, true);
    int row = 0;
    for (const char16_t* name : {u"Layer", u"Color", u"Area"}) {
        row = m_props.InsertItem(row, u"") + 1;
        m_props.SetItemText(row - 1, 1, name);
        m_props.SetCellImage(row - 1, 1, m_iChecked);
        m_props.SetItemText(row - 1, 2, std::u16string(u"~") + name);
        m_props.SetCellImage(row - 1, 3, unchecked);
    }

    m_kinds.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_CHECKBOXES);
    m_kinds.InsertColumn(0, u" ", LVCFMT_LEFT, 20);
    m_kinds.InsertColumn(1, u"Name", LVCFMT_LEFT, 100);
    int at = 0;
    for (const char16_t* name : {u"Line", u"Arc", u"Block"}) {
        at = m_kinds.InsertItem(at, u"") + 1;
        m_kinds.SetItemText(at - 1, 1, name);
        m_kinds.SetCheck(at - 1, TRUE);
    }

    m_empty.InsertColumn(0, u"Name", LVCFMT_LEFT, 100);
    return TRUE;
}

CrampedDialog::CrampedDialog() : CKvUiDialog(kCrampedDialog, kpsw_kvmoMainWnd()) {}

BOOL CrampedDialog::OnInitDialog()
{
    GetDlgItemAs<CButton>(kIconButton)->SetIcon(kvuiLoadIcon(IDI_INSERT_TABLE));
    return TRUE;
}
