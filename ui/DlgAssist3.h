#pragma once
// Wizard page 3: the object kinds to extract, with a Block / Non-Block filter.
#include "engine/ExtractionEngine.h"
#include "kvui/CKvUiDialog.h"
#include "resources/UiResources.h"
#include "ui/GridListCtrl.h"
#include "ui/WizardState.h"

class CListCtrl;

class DlgAssist3 : public CKvUiDialog {
public:
    static constexpr UINT IDD = IDD_ASSIST3;
    explicit DlgAssist3(CWnd* pParent = nullptr);

    ExtractionEngine extEngine;
    KindSet seKinds;
    PageTable veKindRows;        // header ("Chk", name title), then one row per kind present
    PageTable veKindFilterRows;  // no header: the "Block" and "Non-Block" filters present
    SettingsProps lsSettingsProps;

protected:
    void DoDataExchange() override;
    BOOL OnInitDialog() override;

private:
    LRESULT OnKindListChanged(NMHDR& hdr);
    LRESULT OnFilterListChanged(NMHDR& hdr);
    void OnNext();
    void OnPrevious();
    CListCtrl* FilterList() const;
    // The kind rows a filter stands for, in table order, never the header.
    PageTable FilterSubset(DWORD_PTR iFilter) const;

    GridListCtrl m_lstKinds;
};
