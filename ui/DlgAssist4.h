#pragma once
// Wizard page 4: the properties that become columns, by category, the Total marks and the
// table options. Leaving it forward builds the extraction table.
#include "engine/ExtractionEngine.h"
#include "kvui/CKvUiDialog.h"
#include "ui/GridListCtrl.h"
#include "kvui/KvUiImage.h"
#include "resources/UiResources.h"
#include "ui/WizardState.h"

class CListCtrl;

class DlgAssist4 : public CKvUiDialog, public PropertyPagesState {
public:
    static constexpr UINT IDD = IDD_ASSIST4;
    explicit DlgAssist4(CWnd* pParent = nullptr);

    PageTable veKindRows;
    PageTable veKindFilterRows;
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
