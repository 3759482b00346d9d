#include "kvgui/GuiListViews.h"

#include <gtk/gtk.h>

#include <algorithm>
#include <map>
#include <vector>

#include <wx/checklst.h>
#include <wx/dc.h>
#include <wx/stattext.h>
#include <wx/dataview.h>
#include <wx/imaglist.h>
#include <wx/listctrl.h>
#include <wx/renderer.h>

#include "kvgui/GuiImages.h"
#include "kvgui/GuiText.h"
#include "kvui/CGridListCtrlEx.h"

namespace {

// The image list's pictures as bitmaps, rebuilt when the list grows.
class ImageCache {
public:
    const wxBitmap* Get(const CImageList* images, int index)
    {
        if (!images || index < 0 || index >= images->GetImageCount()) return nullptr;
        if (images != m_source || static_cast<int>(m_bitmaps.size()) != images->GetImageCount()) {
            m_source = images;
            m_bitmaps.clear();
            for (int i = 0; i < images->GetImageCount(); ++i) m_bitmaps.push_back(kvguiBitmap(*images->GetImage(i)));
        }
        return &m_bitmaps[static_cast<std::size_t>(index)];
    }

private:
    const CImageList* m_source = nullptr;
    std::vector<wxBitmap> m_bitmaps;
};

// A check mark of a cell: the two images of a two-image column.
struct CellMark {
    bool bHasMark = false;
    bool bChecked = false;
};

CellMark cellMark(const CListCtrl& list, int row, int col)
{
    const auto* grid = dynamic_cast<const CGridListCtrlEx*>(&list);
    if (!grid) return {};
    const auto* trait = dynamic_cast<const CGridColumnTraitImage*>(grid->GetColumnTrait(col));
    int image = list.GetItemImage(row, col);
    if (!trait || trait->GetImageIndexes().size() != 2 || image < 0) return {};
    return {true, image == trait->GetImageIndexes()[1]};
}

class ReportList;

// Every cell draws itself from the list model: the row number is its value.
class CellRenderer : public wxDataViewCustomRenderer {
public:
    CellRenderer(ReportList& owner, int col, wxAlignment align)
        : wxDataViewCustomRenderer("long", wxDATAVIEW_CELL_ACTIVATABLE, align), m_owner(owner), m_col(col)
    {
    }
    bool SetValue(const wxVariant& value) override
    {
        m_row = static_cast<int>(value.GetLong());
        return true;
    }
    bool GetValue(wxVariant& value) const override
    {
        value = static_cast<long>(m_row);
        return true;
    }
    wxSize GetSize() const override;
    bool Render(wxRect cell, wxDC* dc, int state) override;
    bool ActivateCell(const wxRect&, wxDataViewModel*, const wxDataViewItem&, unsigned, const wxMouseEvent*) override;

private:
    ReportList& m_owner;
    int m_col;
    int m_row = 0;
};

class RowModel : public wxDataViewVirtualListModel {
public:
    RowModel() : wxDataViewVirtualListModel(0) {}
    void GetValueByRow(wxVariant& value, unsigned row, unsigned) const override { value = static_cast<long>(row); }
    bool SetValueByRow(const wxVariant&, unsigned, unsigned) override { return false; }
};

class ReportList : public GuiListView {
public:
    ReportList(CListCtrl& list, wxWindow* parent, const wxRect& rect, GuiActionSink sink)
        : m_list(list), m_sink(std::move(sink))
    {
        long style = wxDV_SINGLE | wxBORDER_THEME;
        if (list.GetExtendedStyle() & LVS_EX_GRIDLINES) style |= wxDV_HORIZ_RULES | wxDV_VERT_RULES;
        m_view = new wxDataViewCtrl(parent, wxID_ANY, rect.GetPosition(), rect.GetSize(), style);
        m_model = new RowModel;
        m_view->AssociateModel(m_model);
        m_model->DecRef();
        m_view->Bind(wxEVT_DATAVIEW_ITEM_CONTEXT_MENU, [this](wxDataViewEvent& e) { OnItemMenu(e); });
        m_view->Bind(wxEVT_DATAVIEW_COLUMN_HEADER_RIGHT_CLICK, [this](wxDataViewEvent& e) {
            if (e.GetDataViewColumn()) RightClickHeader(static_cast<int>(e.GetDataViewColumn()->GetModelColumn()));
        });
        g_signal_connect(m_view->GtkGetTreeView(), "columns-changed", G_CALLBACK(&ReportList::OnColumnsChanged), this);
        m_empty = new wxStaticText(m_view, wxID_ANY, "", wxPoint(4, 30), wxDefaultSize, wxST_NO_AUTORESIZE);
    }

    ~ReportList() override
    {
        // The tree view outlives this object for a while and still signals as it goes.
        g_signal_handlers_disconnect_by_data(m_view->GtkGetTreeView(), this);
        for (std::size_t c = 0; c < m_columns.size(); ++c)
            g_signal_handlers_disconnect_by_data(GtkColumn(static_cast<int>(c)), this);
        m_view->ClearColumns();  // their cells draw from this object
    }

    wxWindow* Widget() override { return m_view; }

    void Sync() override
    {
        m_bSyncing = true;
        if (ColumnsChanged()) RebuildColumns();
        for (std::size_t c = 0; c < m_columns.size(); ++c) {
            const int col = static_cast<int>(c);
            const bool bShown = m_list.IsColumnShown(col);
            if (m_columns[c]->IsHidden() == bShown) m_columns[c]->SetHidden(!bShown);
            if (bShown && m_columns[c]->GetWidth() != m_list.GetColumnWidth(col))
                m_columns[c]->SetWidth(m_list.GetColumnWidth(col));
        }
        ApplyOrder();
        ShowSortArrow();
        m_model->Reset(static_cast<unsigned>(m_list.GetItemCount()));
        const std::u16string empty = m_list.GetItemCount() == 0 ? m_list.GetEmptyMarkupText() : std::u16string();
        m_empty->SetLabelText(kvguiText(empty));
        m_empty->SetSize(m_empty->GetBestSize());
        m_empty->Show(!empty.empty());
        m_bSyncing = false;
    }

    bool Perform(const KvUiAction& action) override
    {
        switch (action.kind) {
        case KvUiActionKind::Item:
        case KvUiActionKind::Total: {
            int row = m_list.FindItemByShownName(action.text);
            if (row < 0) return false;
            int col =
                action.kind == KvUiActionKind::Total ? m_list.GetTotalMarkColumn() : (m_list.HasCheckBoxes() ? 0 : 1);
            if (col < 0 || (col != 0 && !m_list.IsColumnShown(col))) return false;
            if (CurrentlyOn(row, col) == action.bOn) return false;  // the user leaves it as it is
            ClickCell(row, col);
            return true;
        }
        case KvUiActionKind::CellMenu:
            if (action.row < 0 || action.row >= m_list.GetItemCount() || action.col < 0 ||
                action.col >= static_cast<int>(m_columns.size()) || !m_list.IsColumnShown(action.col))
                return false;
            RightClickCell(action.row, action.col);
            return true;
        case KvUiActionKind::HeaderMenu:
            for (int col : m_list.GetColumnOrder())
                if (m_list.IsColumnShown(col)) {
                    RightClickHeader(col);
                    return true;
                }
            return false;
        case KvUiActionKind::Sort:
            if (action.col < 0 || action.col >= static_cast<int>(m_columns.size()) || !m_list.IsColumnShown(action.col))
                return false;
            gtk_tree_view_column_clicked(GtkColumn(action.col));
            return true;
        case KvUiActionKind::MoveCol: {
            if (!(m_list.GetExtendedStyle() & LVS_EX_HEADERDRAGDROP)) return false;
            const int count = static_cast<int>(m_columns.size());
            if (action.col < 0 || action.col >= count || action.to < 0 || action.to >= count ||
                !m_list.IsColumnShown(action.col))
                return false;
            // Drop the header where it lands: after the column now at the target position.
            std::vector<int> order = ScreenOrder();
            order.erase(std::find(order.begin(), order.end(), action.col));
            GtkTreeViewColumn* after =
                action.to == 0 ? nullptr : GtkColumn(order[static_cast<std::size_t>(action.to - 1)]);
            gtk_tree_view_move_column_after(TreeView(), GtkColumn(action.col), after);
            return true;
        }
        default: return false;
        }
    }

    // The gestures, shared by the mouse and by scripts.
    void ClickCell(int row, int col)
    {
        if (row < 0 || row >= m_list.GetItemCount()) return;
        KvUiAction action;
        action.id = m_list.GetDlgCtrlID();
        action.text = m_list.GetShownName(row);
        if (col == 0 && m_list.HasCheckBoxes()) {
            action.kind = KvUiActionKind::Item;
            action.bOn = !m_list.GetCheck(row);
        } else if (CellMark mark = cellMark(m_list, row, col);
                   mark.bHasMark && (col == 1 || col == m_list.GetTotalMarkColumn())) {
            action.kind = col == 1 ? KvUiActionKind::Item : KvUiActionKind::Total;
            action.bOn = !mark.bChecked;
        } else {
            return;
        }
        m_sink(action);
    }

    void RightClickCell(int row, int col)
    {
        KvUiAction action;
        action.kind = KvUiActionKind::CellMenu;
        action.id = m_list.GetDlgCtrlID();
        action.row = row;
        action.col = col;
        action.bMenuOnScreen = true;
        m_sink(action);
    }

    void RightClickHeader(int col)
    {
        KvUiAction action;
        action.kind = KvUiActionKind::HeaderMenu;
        action.id = m_list.GetDlgCtrlID();
        action.col = col;
        action.bMenuOnScreen = true;
        m_sink(action);
    }

    bool CurrentlyOn(int row, int col) const
    {
        if (col == 0 && m_list.HasCheckBoxes()) return m_list.GetCheck(row) != FALSE;
        return cellMark(m_list, row, col).bChecked;
    }

    const CListCtrl& List() const { return m_list; }
    ImageCache& Images() { return m_images; }

private:
    GtkTreeView* TreeView() const { return GTK_TREE_VIEW(m_view->GtkGetTreeView()); }
    GtkTreeViewColumn* GtkColumn(int col) const
    {
        return GTK_TREE_VIEW_COLUMN(m_columns[static_cast<std::size_t>(col)]->GetGtkHandle());
    }

    bool ColumnsChanged() const
    {
        if (static_cast<int>(m_columns.size()) != m_list.GetColumnCount()) return true;
        for (std::size_t c = 0; c < m_columns.size(); ++c)
            if (m_titles[c] != m_list.GetColumnTitle(static_cast<int>(c)) ||
                m_formats[c] != m_list.GetColumnFormat(static_cast<int>(c)))
                return true;
        return false;
    }

    void RebuildColumns()
    {
        for (std::size_t c = 0; c < m_columns.size(); ++c)
            g_signal_handlers_disconnect_by_data(GtkColumn(static_cast<int>(c)), this);
        m_view->ClearColumns();
        m_columns.clear();
        m_titles.clear();
        m_formats.clear();
        const bool bDrag = (m_list.GetExtendedStyle() & LVS_EX_HEADERDRAGDROP) != 0;
        for (int col = 0; col < m_list.GetColumnCount(); ++col) {
            const int format = m_list.GetColumnFormat(col);
            const wxAlignment align = (format & LVCFMT_JUSTIFYMASK) == LVCFMT_RIGHT    ? wxALIGN_RIGHT
                                      : (format & LVCFMT_JUSTIFYMASK) == LVCFMT_CENTER ? wxALIGN_CENTER_HORIZONTAL
                                                                                       : wxALIGN_LEFT;
            auto* column = new wxDataViewColumn(
                kvguiText(m_list.GetColumnTitle(col)), new CellRenderer(*this, col, align), static_cast<unsigned>(col),
                m_list.GetColumnWidth(col), align, wxDATAVIEW_COL_RESIZABLE | (bDrag ? wxDATAVIEW_COL_REORDERABLE : 0));
            m_view->AppendColumn(column);
            m_columns.push_back(column);
            m_titles.push_back(m_list.GetColumnTitle(col));
            m_formats.push_back(format);
            GtkTreeViewColumn* gtkColumn = GtkColumn(col);
            gtk_tree_view_column_set_clickable(gtkColumn, TRUE);
            g_object_set_data(G_OBJECT(gtkColumn), "kv-column", GINT_TO_POINTER(col + 1));
            g_signal_connect(gtkColumn, "clicked", G_CALLBACK(&ReportList::OnHeaderClicked), this);
        }
    }

    std::vector<int> ScreenOrder() const
    {
        std::vector<int> order;
        GList* columns = gtk_tree_view_get_columns(TreeView());
        for (GList* at = columns; at; at = at->next) {
            int col = GPOINTER_TO_INT(g_object_get_data(G_OBJECT(at->data), "kv-column")) - 1;
            if (col >= 0) order.push_back(col);
        }
        g_list_free(columns);
        return order;
    }

    void ApplyOrder()
    {
        std::vector<int> wanted = m_list.GetColumnOrder();
        if (wanted.size() != m_columns.size() || ScreenOrder() == wanted) return;
        GtkTreeViewColumn* previous = nullptr;
        for (int col : wanted) {
            gtk_tree_view_move_column_after(TreeView(), GtkColumn(col), previous);
            previous = GtkColumn(col);
        }
    }

    void ShowSortArrow()
    {
        const auto* grid = dynamic_cast<const CGridListCtrlEx*>(&m_list);
        for (std::size_t c = 0; c < m_columns.size(); ++c) {
            const bool bArrow = grid && grid->GetSortColumn() == static_cast<int>(c);
            gtk_tree_view_column_set_sort_indicator(GtkColumn(static_cast<int>(c)), bArrow);
            if (bArrow)
                gtk_tree_view_column_set_sort_order(GtkColumn(static_cast<int>(c)),
                                                    grid->IsSortAscending() ? GTK_SORT_ASCENDING : GTK_SORT_DESCENDING);
        }
    }

    void OnItemMenu(wxDataViewEvent& event)
    {
        wxDataViewItem item;
        wxDataViewColumn* column = nullptr;
        m_view->HitTest(m_view->ScreenToClient(wxGetMousePosition()), item, column);
        if (!item.IsOk()) item = event.GetItem();
        if (!item.IsOk() || !column) return;
        RightClickCell(static_cast<int>(m_model->GetRow(item)), static_cast<int>(column->GetModelColumn()));
    }

    static void OnHeaderClicked(GtkTreeViewColumn* column, gpointer self)
    {
        auto* list = static_cast<ReportList*>(self);
        int col = GPOINTER_TO_INT(g_object_get_data(G_OBJECT(column), "kv-column")) - 1;
        if (col < 0 || list->m_bSyncing) return;
        KvUiAction action;
        action.kind = KvUiActionKind::Sort;
        action.id = list->m_list.GetDlgCtrlID();
        action.col = col;
        list->m_sink(action);
    }

    // A header dropped elsewhere: which column moved, and to which position.
    static void OnColumnsChanged(GtkTreeView*, gpointer self)
    {
        auto* list = static_cast<ReportList*>(self);
        if (list->m_bSyncing) return;
        std::vector<int> screen = list->ScreenOrder();
        std::vector<int> model = list->m_list.GetColumnOrder();
        if (screen.size() != model.size() || screen == model) return;
        for (std::size_t to = 0; to < screen.size(); ++to) {
            std::vector<int> moved = model;
            moved.erase(std::find(moved.begin(), moved.end(), screen[to]));
            moved.insert(moved.begin() + static_cast<long>(to), screen[to]);
            if (moved == screen) {
                KvUiAction action;
                action.kind = KvUiActionKind::MoveCol;
                action.id = list->m_list.GetDlgCtrlID();
                action.col = screen[to];
                action.to = static_cast<int>(to);
                list->m_sink(action);
                return;
            }
        }
    }

    CListCtrl& m_list;
    GuiActionSink m_sink;
    wxDataViewCtrl* m_view = nullptr;
    RowModel* m_model = nullptr;
    wxStaticText* m_empty = nullptr;
    std::vector<wxDataViewColumn*> m_columns;
    std::vector<std::u16string> m_titles;
    std::vector<int> m_formats;
    ImageCache m_images;
    bool m_bSyncing = false;
};

wxSize CellRenderer::GetSize() const
{
    const CListCtrl& list = m_owner.List();
    wxSize size = GetTextExtent(kvguiText(list.GetItemText(m_row, m_col)));
    size.x += 24;
    return size;
}

bool CellRenderer::Render(wxRect cell, wxDC* dc, int state)
{
    const CListCtrl& list = m_owner.List();
    int x = cell.x;
    if (m_col == 0 && list.HasCheckBoxes()) {
        wxSize box = wxRendererNative::Get().GetCheckBoxSize(GetView());
        wxRect at(x, cell.y + (cell.height - box.y) / 2, box.x, box.y);
        wxRendererNative::Get().DrawCheckBox(GetView(), *dc, at, list.GetCheck(m_row) ? int(wxCONTROL_CHECKED) : 0);
        x += box.x + 2;
    }
    const int image = list.GetItemImage(m_row, m_col);
    if (image >= 0 && (m_col == 0 || (list.GetExtendedStyle() & LVS_EX_SUBITEMIMAGES))) {
        if (const wxBitmap* bitmap = m_owner.Images().Get(list.GetImageList(LVSIL_SMALL), image)) {
            dc->DrawBitmap(*bitmap, x, cell.y + (cell.height - bitmap->GetHeight()) / 2, true);
            x += bitmap->GetWidth() + 2;
        }
    }
    RenderText(kvguiText(list.GetItemText(m_row, m_col)), x - cell.x, cell, dc, state);
    return true;
}

bool CellRenderer::ActivateCell(const wxRect&, wxDataViewModel*, const wxDataViewItem&, unsigned, const wxMouseEvent*)
{
    m_owner.ClickCell(m_row, m_col);
    return true;
}

// List mode with check boxes: the filters.
class CheckList : public GuiListView {
public:
    CheckList(CListCtrl& list, wxWindow* parent, const wxRect& rect, GuiActionSink sink)
        : m_list(list), m_sink(std::move(sink))
    {
        m_box = new wxCheckListBox(parent, wxID_ANY, rect.GetPosition(), rect.GetSize());
        m_box->Bind(wxEVT_CHECKLISTBOX, [this](wxCommandEvent& e) { Toggled(e.GetInt()); });
    }
    wxWindow* Widget() override { return m_box; }

    void Sync() override
    {
        wxArrayString texts;
        for (int i = 0; i < m_list.GetItemCount(); ++i) texts.push_back(kvguiText(m_list.GetShownName(i)));
        if (texts != m_box->GetStrings()) m_box->Set(texts);
        for (int i = 0; i < m_list.GetItemCount(); ++i)
            if (m_box->IsChecked(static_cast<unsigned>(i)) != (m_list.GetCheck(i) != FALSE))
                m_box->Check(static_cast<unsigned>(i), m_list.GetCheck(i) != FALSE);
    }

    bool Perform(const KvUiAction& action) override
    {
        if (action.kind != KvUiActionKind::Item) return false;
        int i = m_list.FindItemByShownName(action.text);
        if (i < 0 || m_box->IsChecked(static_cast<unsigned>(i)) == action.bOn) return false;
        // What a click on the box does: toggle it, then tell the owner.
        m_box->Check(static_cast<unsigned>(i), action.bOn);
        wxCommandEvent event(wxEVT_CHECKLISTBOX, m_box->GetId());
        event.SetEventObject(m_box);
        event.SetInt(i);
        m_box->ProcessWindowEvent(event);
        return true;
    }

private:
    void Toggled(int i)
    {
        if (i < 0 || i >= m_list.GetItemCount()) return;
        KvUiAction action;
        action.kind = KvUiActionKind::Item;
        action.id = m_list.GetDlgCtrlID();
        action.text = m_list.GetShownName(i);
        action.bOn = m_box->IsChecked(static_cast<unsigned>(i));
        m_sink(action);
    }

    CListCtrl& m_list;
    GuiActionSink m_sink;
    wxCheckListBox* m_box = nullptr;
};

// List mode without check boxes: names with their small icons.
class PlainList : public GuiListView {
public:
    PlainList(CListCtrl& list, wxWindow* parent, const wxRect& rect) : m_list(list)
    {
        m_view = new wxListCtrl(parent, wxID_ANY, rect.GetPosition(), rect.GetSize(),
                                wxLC_LIST | wxLC_SINGLE_SEL | wxBORDER_THEME);
    }
    wxWindow* Widget() override { return m_view; }

    void Sync() override
    {
        const CImageList* images = m_list.GetImageList(LVSIL_SMALL);
        if (images && images->GetImageCount() != m_imageCount) {
            m_imageCount = images->GetImageCount();
            auto* list = new wxImageList(images->ImageWidth(), images->ImageHeight(), true, m_imageCount);
            for (int i = 0; i < m_imageCount; ++i) list->Add(kvguiBitmap(*images->GetImage(i)));
            m_view->AssignImageList(list, wxIMAGE_LIST_SMALL);
        }
        m_view->DeleteAllItems();
        for (int i = 0; i < m_list.GetItemCount(); ++i)
            m_view->InsertItem(i, kvguiText(m_list.GetItemText(i, 0)), m_list.GetItemImage(i, 0));
    }

    bool Perform(const KvUiAction&) override { return false; }

private:
    CListCtrl& m_list;
    wxListCtrl* m_view = nullptr;
    int m_imageCount = 0;
};

}  // namespace

std::unique_ptr<GuiListView> kvguiMakeListView(CListCtrl& list, wxWindow* parent, const wxRect& rect,
                                               GuiActionSink sink)
{
    if (list.IsReportView()) return std::make_unique<ReportList>(list, parent, rect, std::move(sink));
    if (list.HasCheckBoxes()) return std::make_unique<CheckList>(list, parent, rect, std::move(sink));
    return std::make_unique<PlainList>(list, parent, rect);
}
