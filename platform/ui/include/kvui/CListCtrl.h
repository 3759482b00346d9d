#pragma once
// The list-view control in report or list mode: items with a text per column, an image per
// cell, item data and a state (selection, focus, and the check box as state image 1 or 2
// in bits 12 to 15), columns with title, width and format, and an on-screen column order.
// Changes of an item's state are told to the parent with LVN_ITEMCHANGED.
#include <string>
#include <vector>

#include "kvui/CWnd.h"
#include "kvui/KvUiImage.h"

using DWORD_PTR = std::uintptr_t;

class CListCtrl : public CWnd {
public:
    bool AcceptsKind(KvUiControlKind kind) const override;
    void CreateFromTemplate(const KvUiControlTemplate& tmpl, CWnd* pParent) override;
    void DestroyWindow() override;

    bool IsReportView() const { return (m_dwStyle & LVS_TYPEMASK) == LVS_REPORT; }
    bool IsListView() const { return (m_dwStyle & LVS_TYPEMASK) == LVS_LIST; }
    DWORD GetExtendedStyle() const { return m_dwExStyle; }
    DWORD SetExtendedStyle(DWORD dwExStyle);  // returns the previous one
    bool HasCheckBoxes() const { return (m_dwExStyle & LVS_EX_CHECKBOXES) != 0; }

    // Columns. A new column takes its place in the on-screen order at its index.
    int InsertColumn(int nCol, const std::u16string& heading, int nFormat = LVCFMT_LEFT, int nWidth = -1,
                     int nSubItem = -1);
    BOOL DeleteColumn(int nCol);
    int GetColumnCount() const { return static_cast<int>(m_columns.size()); }
    std::u16string GetColumnTitle(int nCol) const;
    int GetColumnWidth(int nCol) const;
    BOOL SetColumnWidth(int nCol, int cx);
    int GetColumnFormat(int nCol) const;
    BOOL SetColumnFormat(int nCol, int nFormat);
    BOOL GetColumnOrderArray(int* piArray, int iCount = -1) const;
    BOOL SetColumnOrderArray(int iCount, const int* piArray);
    std::vector<int> GetColumnOrder() const { return m_order; }
    // The column whose marks a script's or the console's `total` line sets; -1 (the
    // default) when the list has none. The dialog that fills the list says which it is.
    void SetTotalMarkColumn(int nCol) { m_nTotalMarkColumn = nCol; }
    int GetTotalMarkColumn() const { return m_nTotalMarkColumn; }
    // Whether the column is on screen; a plain list view shows all of them.
    virtual bool IsColumnShown(int nCol) const;

    // Items.
    int InsertItem(int nItem, const std::u16string& label, int nImage = -1);
    BOOL DeleteItem(int nItem);
    BOOL DeleteAllItems();
    int GetItemCount() const { return static_cast<int>(m_items.size()); }
    BOOL SetItemText(int nItem, int nSubItem, const std::u16string& text);
    std::u16string GetItemText(int nItem, int nSubItem) const;
    BOOL SetItemData(int nItem, DWORD_PTR data);
    DWORD_PTR GetItemData(int nItem) const;
    UINT GetItemState(int nItem, UINT nMask) const;
    BOOL SetItemState(int nItem, UINT nState, UINT nMask);
    BOOL GetCheck(int nItem) const;
    BOOL SetCheck(int nItem, BOOL bCheck = TRUE);
    int GetItemImage(int nItem, int nSubItem) const;  // -1 for a cell without image
    BOOL SetItemImage(int nItem, int nSubItem, int nImage);
    int GetNextSelectedItem(int nAfter = -1) const;

    CImageList* SetImageList(CImageList* pImageList, int nImageList);  // returns the previous one
    CImageList* GetImageList(int nImageList) const;

    // Reorders the items by the texts of a column (ignoring case; equal texts keep their order).
    void SortItemsByText(int nCol, bool bAscending);
    // Text a list without items shows in its place; plain list views show nothing.
    virtual std::u16string GetEmptyMarkupText() const { return {}; }
    // The item's name as the user reads it: column 1 of a report view with several
    // columns, the item text otherwise.
    std::u16string GetShownName(int nItem) const;
    int FindItemByShownName(const std::u16string& name) const;
    // How a cell reads on a text screen (text with its check mark or image).
    virtual std::u16string GetCellDisplayText(int nItem, int nCol) const;

    // What the user does with the mouse. Each returns an empty text when done, or why it
    // cannot be done (unknown row or column, hidden column, no check boxes...).
    std::string UserSelectItem(int nItem);
    virtual std::string UserSetCheck(int nItem, bool bChecked);
    virtual std::string UserSetCellMark(int nItem, int nCol, bool bChecked);
    virtual std::string UserRightClickCell(int nItem, int nCol);
    virtual std::string UserRightClickHeader(int nCol);
    virtual std::string UserClickHeader(int nCol);
    virtual std::string UserDragHeader(int nCol, int nToPosition);

protected:
    struct Cell {
        std::u16string text;
        int image = -1;
    };
    struct Item {
        std::vector<Cell> cells;  // one per column; at least one
        UINT state = 0;
        DWORD_PTR data = 0;
    };
    struct Column {
        std::u16string title;
        int width = 100;
        int format = LVCFMT_LEFT;
    };

    bool ValidItem(int nItem) const { return nItem >= 0 && nItem < GetItemCount(); }
    bool ValidColumn(int nCol) const { return nCol >= 0 && nCol < GetColumnCount(); }
    std::string CheckCell(int nItem, int nCol) const;
    void NotifyItemChanged(int nItem, UINT nOldState, UINT nNewState, UINT nChanged);
    void NotifySimple(UINT nCode, int nItem, int nSubItem);
    // Hooks for controls that keep data per column or per window.
    virtual void OnColumnInserted(int) {}
    virtual void OnColumnDeleted(int) {}
    virtual void OnDestroyed() {}

    std::vector<Column> m_columns;
    std::vector<int> m_order;
    std::vector<Item> m_items;
    DWORD m_dwExStyle = 0;
    int m_nTotalMarkColumn = -1;
    CImageList* m_pImageLists[3] = {nullptr, nullptr, nullptr};
};
