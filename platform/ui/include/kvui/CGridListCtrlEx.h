#pragma once
// A report-view list with per-column traits (text cells, image cells that toggle when
// clicked), a hidden label column, columns the user can hide and show from the header's
// column menu, a sort arrow, sorting by a column's text when its header is clicked, and a
// text shown when the list is empty.
#include <memory>
#include <string>
#include <vector>

#include "kvui/CListCtrl.h"

class CGridListCtrlEx;

class CGridColumnTrait {
public:
    struct ColumnState {
        bool m_Visible = true;
        int m_OrgWidth = 0;            // width to restore when shown again
        bool m_AlwaysHidden = false;   // never shown, not even offered in the column menu
        bool m_AlwaysVisible = false;  // offered in the column menu but cannot be hidden
    };

    virtual ~CGridColumnTrait() = default;
    ColumnState& GetColumnState() { return m_ColumnState; }
    const ColumnState& GetColumnState() const { return m_ColumnState; }
    // A left click on a cell of the column; returns true when it changed the cell.
    virtual bool OnClickCell(CGridListCtrlEx& owner, int nRow, int nCol);

private:
    ColumnState m_ColumnState;
};

class CGridColumnTraitText : public CGridColumnTrait {};

// Cells show one of the trait's images; a click moves to the next one (two images: a toggle).
// Sorting still goes by the cell's text.
class CGridColumnTraitImage : public CGridColumnTraitText {
public:
    CGridColumnTraitImage() = default;
    // nImageCount consecutive images starting at nImageIndex.
    CGridColumnTraitImage(int nImageIndex, int nImageCount);
    void AddImageIndex(int nImageIndex);
    const std::vector<int>& GetImageIndexes() const { return m_vecImages; }
    bool OnClickCell(CGridListCtrlEx& owner, int nRow, int nCol) override;

private:
    std::vector<int> m_vecImages;
};

class CGridListCtrlEx : public CListCtrl {
public:
    CGridListCtrlEx() = default;
    ~CGridListCtrlEx() override = default;

    // Column 0 that holds the item labels but is never shown.
    int InsertHiddenLabelColumn();
    // Takes ownership of the trait (a text trait when null).
    int InsertColumnTrait(int nCol, const std::u16string& heading, int nFormat = LVCFMT_LEFT, int nWidth = -1,
                          int nSubItem = -1, CGridColumnTrait* pTrait = nullptr);
    CGridColumnTrait* GetColumnTrait(int nCol) const;

    // Adds the unchecked and the checked box images to the list (creating it at 16 x 16
    // when needed) and turns on sub-item images; returns the index of the unchecked one.
    int AppendCheckBoxImages(CImageList& imageList);

    int GetCellImage(int nRow, int nCol) const { return GetItemImage(nRow, nCol); }
    BOOL SetCellImage(int nRow, int nCol, int nImage) { return SetItemImage(nRow, nCol, nImage); }

    bool IsColumnVisible(int nCol) const;
    bool IsColumnShown(int nCol) const override { return IsColumnVisible(nCol); }
    bool IsColumnAlwaysHidden(int nCol) const;
    bool IsColumnAlwaysVisible(int nCol) const;
    BOOL ShowColumn(int nCol, bool bShow);

    // The arrow only: the rows are not touched.
    void SetSortArrow(int nCol, bool bAscending);
    int GetSortColumn() const { return m_nSortCol; }
    bool IsSortAscending() const { return m_bSortAscending; }
    // Sorts the rows by the column's text and moves the arrow there.
    virtual bool SortColumn(int nCol, bool bAscending);

    std::u16string GetEmptyMarkupText() const override { return m_strEmptyMarkupText; }
    void SetEmptyMarkupText(const std::u16string& text) { m_strEmptyMarkupText = text; }
    std::u16string GetCellDisplayText(int nItem, int nCol) const override;

    // Right-click on a header: the column menu (one item per column that is not always
    // hidden, id 4 + column, checked when visible, greyed when it must stay visible);
    // choosing an item toggles the column's visibility.
    virtual void OnContextMenuHeader(CWnd* pWnd, CPoint point, int nCol);
    // Right-click on a cell: nothing by default.
    virtual void OnContextMenuCell(CWnd* pWnd, CPoint point, int nRow, int nCol);

    std::string UserSetCheck(int nItem, bool bChecked) override;
    std::string UserSetCellMark(int nItem, int nCol, bool bChecked) override;
    std::string UserClickCell(int nItem, int nCol);
    std::string UserRightClickCell(int nItem, int nCol) override;
    std::string UserRightClickHeader(int nCol) override;
    std::string UserClickHeader(int nCol) override;
    std::string UserDragHeader(int nCol, int nToPosition) override;

protected:
    void OnColumnInserted(int nCol) override;
    void OnColumnDeleted(int nCol) override;
    void OnDestroyed() override;

private:
    std::vector<std::unique_ptr<CGridColumnTrait>> m_traits;  // one per column
    int m_nSortCol = -1;
    bool m_bSortAscending = true;
    std::u16string m_strEmptyMarkupText = u"There are no items to show in this view.";
};
