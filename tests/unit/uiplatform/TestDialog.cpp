#include "TestDialog.h"

namespace {
KvUiControlTemplate make(int id, KvUiControlKind kind, DWORD style, const std::u16string& text = u"")
{
    KvUiControlTemplate c;
    c.id = id;
    c.kind = kind;
    c.style = style | WS_VISIBLE;
    c.text = text;
    c.cx = 50;
    c.cy = 14;
    return c;
}
}  // namespace

void RegisterTestDialogTemplate()
{
    static KvUiResourceModule module;
    if (module.dialogs.count(kTestDialog)) return;
    KvUiDialogTemplate d;
    d.id = kTestDialog;
    d.title = u"Test dialog";
    using K = KvUiControlKind;
    d.controls = {
        make(kOption, K::CheckBox, BS_AUTOCHECKBOX, u"Option"),
        make(kRadioA, K::RadioButton, BS_AUTORADIOBUTTON | WS_GROUP, u"A"),
        make(kRadioB, K::RadioButton, BS_AUTORADIOBUTTON, u"B"),
        make(kRadioC, K::RadioButton, BS_AUTORADIOBUTTON, u"C"),
        make(kCaption, K::Label, WS_GROUP, u"Caption"),
        make(kCombo, K::ComboBox, CBS_DROPDOWNLIST | CBS_SORT),
        make(kKinds, K::ListView, LVS_REPORT),
        make(kProps, K::ListView, LVS_REPORT),
        make(kFilter, K::ListView, LVS_LIST),
        make(kBrowse, K::PushButton, BS_PUSHBUTTON, u"..."),
        make(kAsk, K::PushButton, BS_PUSHBUTTON, u"Ask"),
        make(IDOK, K::PushButton, BS_DEFPUSHBUTTON, u"OK"),
        make(IDCANCEL, K::PushButton, BS_PUSHBUTTON, u"Cancel"),
    };
    module.dialogs[kTestDialog] = d;
    kvuiAddResourceModule(&module);
}

TestDialog::TestDialog() : CKvUiDialog(kTestDialog, kpsw_kvmoMainWnd())
{
    for (int id : {kOption, kRadioA, kRadioB, kRadioC})
        MapCommand(id, BN_CLICKED, [this, id] { clicks.push_back(id); });
    MapCommand(kCombo, CBN_SELCHANGE, [this] { comboChanges.push_back(GetDlgItemAs<CComboBox>(kCombo)->GetCurSel()); });
    for (int list : {kKinds, kProps, kFilter})
        MapNotify(list, LVN_ITEMCHANGED, [this, list](NMHDR& hdr) -> LRESULT {
            auto& nm = reinterpret_cast<NMLISTVIEW&>(hdr);
            auto* ctl = GetDlgItemAs<CListCtrl>(list);
            changes.push_back({list, nm.iItem, nm.uOldState, nm.uNewState, static_cast<long>(nm.lParam),
                               ctl->GetItemImage(nm.iItem, 1)});
            return 0;
        });
    MapCommand(kBrowse, BN_CLICKED, [this] {
        CFileDialog dlg(FALSE, nullptr, u"*.csv", fileFlags, u"Csv file (*.csv)|*.csv| Xls file (*.xls)|*.xls||", this);
        fileResult = static_cast<int>(dlg.DoModal());
        if (fileResult == IDOK) {
            chosenPath = dlg.GetPathName();
            chosenFilter = static_cast<int>(dlg.m_ofn.nFilterIndex);
        }
    });
    MapCommand(kAsk, BN_CLICKED, [this] { answer = MessageBox(u"Quit?", u"Question", MB_YESNO | MB_ICONQUESTION); });
}

void TestDialog::DoDataExchange()
{
    DDX_Control(kKinds, m_kinds);
    DDX_Control(kProps, m_props);
    DDX_Control(kFilter, m_filter);
}

BOOL TestDialog::OnInitDialog()
{
    auto* combo = GetDlgItemAs<CComboBox>(kCombo);
    for (const char16_t* entry : {u"Gamma", u"alpha", u"Beta"}) combo->AddString(entry);
    combo->SetCurSel(0);

    m_kinds.SetExtendedStyle(m_kinds.GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_CHECKBOXES);
    m_kinds.InsertColumn(0, u" ", LVCFMT_LEFT, 20);
    m_kinds.InsertColumn(1, u"Name", LVCFMT_LEFT, 100);
    int at = 0;
    for (const char16_t* name : {u"Line", u"3D Solid", u"Block"}) {
        at = m_kinds.InsertItem(at, u"") + 1;
        m_kinds.SetItemData(at - 1, static_cast<DWORD_PTR>(at * 10));
        m_kinds.SetItemText(at - 1, 1, name);
        m_kinds.SetCheck(at - 1, TRUE);
    }

    m_props.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_HEADERDRAGDROP);
    m_props.InsertHiddenLabelColumn();
    int first = m_props.AppendCheckBoxImages(m_images);
    m_props.SetImageList(&m_images, LVSIL_SMALL);
    m_props.InsertColumnTrait(1, u"Property", LVCFMT_LEFT, 100, 1, new CGridColumnTraitImage(first, 2));
    m_props.InsertColumnTrait(2, u"Display name", LVCFMT_LEFT, 100, 2, new CGridColumnTraitText);
    m_props.InsertColumnTrait(3, u"Total", LVCFMT_LEFT, 100, 3, new CGridColumnTraitImage(first, 2));
    m_props.SetTotalMarkColumn(3);
    int row = 0;
    for (const char16_t* name : {u"Layer", u"Color", u"Area"}) {
        row = m_props.InsertItem(row, u"1") + 1;
        m_props.SetItemText(row - 1, 1, name);
        m_props.SetCellImage(row - 1, 1, first + 1);
        m_props.SetItemText(row - 1, 2, std::u16string(u"~") + name);
        m_props.SetCellImage(row - 1, 3, first);
    }
    m_props.SetSortArrow(1, false);

    m_filter.SetExtendedStyle(LVS_EX_CHECKBOXES);
    m_filter.InsertItem(0, u"Block");
    m_filter.InsertItem(0, u"Non-Block");
    m_filter.SetCheck(0, TRUE);
    return TRUE;
}
