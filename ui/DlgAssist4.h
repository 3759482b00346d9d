#pragma once
// Wizard page 4: the properties that become columns, by category, the Total marks and the
// table options. Leaving it forward builds the extraction table.
#include "engine/ExtractionEngine.h"
#include "kvui/CKvUiDialog.h"
#include "ui/GridListCtrl.h"
#include "kvui/KvUiImage.h"
#include "ui/WizardState.h"

class CListCtrl;

class DlgAssist4 : public CKvUiDialog {
public:
    static constexpr UINT IDD = 111;
    explicit DlgAssist4(CWnd* pParent = nullptr);

    ExtractionEngine extEngine;
    KindSet seKinds;
    PageTable veKindRows;
    PageTable veKindFilterRows;
    PropItemSet seHeaders;
    PageTable vePropRows;      // header, then ("1"/"0", category, name, display name, total flag)
    PageTable veCategoryRows;  // no header: ("1"/"0", category name)
    TableOptions options;
    SettingsProps lsSettingsProps;

protected:
    void DoDataExchange() override;
    BOOL OnInitDialog() override;

private:
    LRESULT OnCategoryListChanged(NMHDR& hdr);
    LRESULT OnPropertyListChanged(NMHDR& hdr);
    void OnDisplayTotals();
    void OnCombineRows();
    void OnNext();
    void OnPrevious();
    CListCtrl* CategoryList() const;
    // Records the item's column-1 mark in its property row.
    void StorePropertyCheck(int iItem);
    bool IsImageChecked(int iItem, int iCol) const { return m_lstProps.GetCellImage(iItem, iCol) == m_iImageChecked; }

    GridListCtrl m_lstProps;
    CImageList m_imageList;
    int m_iImageUnchecked = 0;
    int m_iImageChecked = 1;
};
