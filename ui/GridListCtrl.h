#pragma once
// The wizard's large lists: a grid list with a check-all menu on cells, a header column
// menu the page switches on, and one include flag per column that hiding a column clears.
#include "table/TableData.h"
#include "kvui/CGridListCtrlEx.h"

class GridListCtrl : public CGridListCtrlEx {
public:
    GridListCtrl() = default;
    ~GridListCtrl() override = default;

    // Image check mode: check boxes are two-image cells (unchecked 0, checked 1); otherwise
    // they are the list's own item check boxes.
    void SetImageCheckMode(bool bImages) { m_bImageCheckMode = bImages; }
    bool IsImageCheckMode() const { return m_bImageCheckMode; }
    void EnableHeaderMenu(bool bEnable) { m_bHeaderMenuEnabled = bEnable; }
    bool IsHeaderMenuEnabled() const { return m_bHeaderMenuEnabled; }

    ColumnIncludeFlags& IncludeFlags() { return m_veIncludeFlags; }
    const ColumnIncludeFlags& IncludeFlags() const { return m_veIncludeFlags; }

    void OnContextMenuHeader(CWnd* pWnd, CPoint point, int nCol) override;
    void OnContextMenuCell(CWnd* pWnd, CPoint point, int nRow, int nCol) override;

private:
    ColumnIncludeFlags m_veIncludeFlags;
    bool m_bHeaderMenuEnabled = false;
    bool m_bImageCheckMode = false;
};
