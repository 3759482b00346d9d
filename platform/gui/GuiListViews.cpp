#include "kvgui/GuiListViews.h"

#include <gtk/gtk.h>

#include <algorithm>
#include <map>
#include <vector>

#include <wx/checklst.h>
#include <wx/dc.h>
#include <wx/dcmemory.h>
#include <wx/stattext.h>
#include <wx/dataview.h>
#include <wx/imaglist.h>
#include <wx/listctrl.h>
#include <wx/renderer.h>

#include "GuiPointer.h"
#include "kvgui/GuiDialogDriver.h"
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
        // A right click names its cell by where it happened, not where the pointer is now. Its
        // menu opens when the button comes up, as on Windows: a menu opened on the press would
        // take the release as a click beside it and close at once.
        g_signal_connect(m_view->GtkGetTreeView(), "button-release-event", G_CALLBACK(&ReportList::OnRightClick), this);
        g_signal_connect(m_view->GtkGetTreeView(), "columns-changed", G_CALLBACK(&ReportList::OnColumnsChanged), this);
        m_empty = new wxStaticText(m_view, wxID_ANY, "", wxPoint(4, 30), wxDefaultSize, wxST_NO_AUTORESIZE);
    }

    ~ReportList() override
    {
        // The tree view outlives this object for a while and still signals as it goes.
        g_signal_handlers_disconnect_by_data(m_view->GtkGetTreeView(), this);
        DisconnectColumns();
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
            return ClickOnCell(row, col, 1);
        }
        case KvUiActionKind::CellMenu:
            if (action.row < 0 || action.row >= m_list.GetItemCount() || action.col < 0 ||
                action.col >= static_cast<int>(m_columns.size()) || !m_list.IsColumnShown(action.col))
                return false;
            return ClickOnCell(action.row, action.col, 3);
        case KvUiActionKind::HeaderMenu:
            for (int col : m_list.GetColumnOrder())
                if (m_list.IsColumnShown(col)) {
                    kvguiFlushEvents();
                    GtkWidget* header = gtk_tree_view_column_get_button(GtkColumn(col));
                    GdkWindow* window = header ? gtk_button_get_event_window(GTK_BUTTON(header)) : nullptr;
                    if (!window) return false;
                    kvguiClick(window, 4, gtk_widget_get_allocated_height(header) / 2.0, 3);
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

    // What a cell draws before its text: the native check box, then the image.
    struct Marks {
        wxSize box;             // zero without a check box
        const wxBitmap* image;  // null without an image
        wxSize Size() const
        {
            wxSize size = box;
            if (image)
                size = wxSize(size.x + (box.x ? 2 : 0) + image->GetWidth(), std::max(size.y, image->GetHeight()));
            return size;
        }
    };
    Marks MarksOf(int row, int col) const
    {
        Marks marks{wxSize(), nullptr};
        if (col == 0 && m_list.HasCheckBoxes()) marks.box = wxRendererNative::Get().GetCheckBoxSize(m_view);
        const int image = m_list.GetItemImage(row, col);
        if (image >= 0 && (col == 0 || (m_list.GetExtendedStyle() & LVS_EX_SUBITEMIMAGES)))
            marks.image = m_images.Get(m_list.GetImageList(LVSIL_SMALL), image);
        return marks;
    }

    std::vector<std::string> LayoutProblems(const wxImage& shot, const wxWindow& dialog) const override
    {
        std::vector<std::string> problems;
        GtkTreeView* tree = TreeView();
        GtkTreePath *first = nullptr, *last = nullptr;
        if (!gtk_tree_view_get_visible_range(tree, &first, &last)) return problems;
        const int from = gtk_tree_path_get_indices(first)[0], to = gtk_tree_path_get_indices(last)[0];
        gtk_tree_path_free(first);
        gtk_tree_path_free(last);
        // The rows' area in the dialog: only cells wholly inside it are judged.
        GdkRectangle visible;
        gtk_tree_view_get_visible_rect(tree, &visible);
        int left = 0, top = 0;
        gtk_tree_view_convert_tree_to_widget_coords(tree, visible.x, visible.y, &left, &top);
        gtk_widget_translate_coordinates(GTK_WIDGET(tree), dialog.m_wxwindow, left, top, &left, &top);
        const wxRect rows(left, top, visible.width, visible.height);
        for (std::size_t c = 0; c < m_columns.size(); ++c) {
            const int col = static_cast<int>(c);
            if (!m_list.IsColumnShown(col)) continue;
            for (int row = from; row <= to && row < m_list.GetItemCount(); ++row) {
                const Marks marks = MarksOf(row, col);
                if (!marks.box.x && !marks.image) continue;
                GtkTreePath* path = gtk_tree_path_new_from_indices(row, -1);
                GdkRectangle cell;
                gtk_tree_view_get_cell_area(tree, path, GtkColumn(col), &cell);
                gtk_tree_path_free(path);
                int x = 0, y = 0;
                gtk_tree_view_convert_bin_window_to_widget_coords(tree, cell.x, cell.y, &x, &y);
                gtk_widget_translate_coordinates(GTK_WIDGET(tree), dialog.m_wxwindow, x, y, &x, &y);
                const wxRect area(x, y, cell.width, cell.height);
                if (!rows.Contains(area)) continue;
                std::string what;
                if (marks.Size().x > area.width || marks.Size().y > area.height)
                    what = "needs " + std::to_string(marks.Size().x) + " x " + std::to_string(marks.Size().y) +
                           " px for its marks, its cells have " + std::to_string(area.width) + " x " +
                           std::to_string(area.height);
                else if (marks.image && !kvguiShowsImage(shot, marks.image->ConvertToImage(), area))
                    what = "does not show the image of row " + std::to_string(row) + " whole";
                else if (marks.box.x && !kvguiShowsImage(shot, CheckBoxInside(m_list.GetCheck(row) != FALSE), area))
                    what = "does not show the check box of row " + std::to_string(row) + " whole";
                if (!what.empty()) {
                    problems.push_back("column " + std::to_string(col) + " " + what);
                    break;
                }
            }
        }
        return problems;
    }

private:
    GtkTreeView* TreeView() const { return GTK_TREE_VIEW(m_view->GtkGetTreeView()); }
    GtkTreeViewColumn* GtkColumn(int col) const
    {
        return GTK_TREE_VIEW_COLUMN(m_columns[static_cast<std::size_t>(col)]->GetGtkHandle());
    }

    void DisconnectColumns()
    {
        for (std::size_t c = 0; c < m_columns.size(); ++c) {
            GtkTreeViewColumn* column = GtkColumn(static_cast<int>(c));
            g_signal_handlers_disconnect_by_data(column, this);
            if (GtkWidget* header = gtk_tree_view_column_get_button(column))
                g_signal_handlers_disconnect_by_data(header, this);
        }
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
        DisconnectColumns();
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
            // Marks and images sit in the middle of the row, whatever the text's height.
            auto* renderer = new CellRenderer(*this, col, static_cast<wxAlignment>(align | wxALIGN_CENTER_VERTICAL));
            auto* column = new wxDataViewColumn(kvguiText(m_list.GetColumnTitle(col)), renderer,
                                                static_cast<unsigned>(col), m_list.GetColumnWidth(col), align,
                                                wxDATAVIEW_COL_RESIZABLE | (bDrag ? wxDATAVIEW_COL_REORDERABLE : 0));
            m_view->AppendColumn(column);
            m_columns.push_back(column);
            m_titles.push_back(m_list.GetColumnTitle(col));
            m_formats.push_back(format);
            GtkTreeViewColumn* gtkColumn = GtkColumn(col);
            gtk_tree_view_column_set_clickable(gtkColumn, TRUE);
            g_object_set_data(G_OBJECT(gtkColumn), "kv-column", GINT_TO_POINTER(col + 1));
            g_signal_connect(gtkColumn, "clicked", G_CALLBACK(&ReportList::OnHeaderClicked), this);
            if (GtkWidget* header = gtk_tree_view_column_get_button(gtkColumn)) {
                g_object_set_data(G_OBJECT(header), "kv-column", GINT_TO_POINTER(col + 1));
                g_signal_connect(header, "button-release-event", G_CALLBACK(&ReportList::OnHeaderRightClick), this);
            }
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

    // Clicks a cell where the user would: on its marks, or in its middle.
    bool ClickOnCell(int row, int col, unsigned button)
    {
        const wxSize marks = MarksOf(row, col).Size();
        return kvguiClickCell(TreeView(), row, GtkColumn(col), marks.x > 0 ? marks.x / 2.0 + 1 : -1, button);
    }

    static gboolean OnRightClick(GtkWidget* tree, GdkEventButton* event, gpointer self)
    {
        auto* list = static_cast<ReportList*>(self);
        if (event->type != GDK_BUTTON_RELEASE || event->button != 3 ||
            event->window != gtk_tree_view_get_bin_window(GTK_TREE_VIEW(tree)))
            return FALSE;
        GtkTreePath* path = nullptr;
        GtkTreeViewColumn* column = nullptr;
        if (!gtk_tree_view_get_path_at_pos(GTK_TREE_VIEW(tree), static_cast<int>(event->x), static_cast<int>(event->y),
                                           &path, &column, nullptr, nullptr))
            return FALSE;
        const int row = gtk_tree_path_get_indices(path)[0];
        gtk_tree_path_free(path);
        const int col = GPOINTER_TO_INT(g_object_get_data(G_OBJECT(column), "kv-column")) - 1;
        if (col < 0) return FALSE;
        list->RightClickCell(row, col);
        return TRUE;
    }

    static gboolean OnHeaderRightClick(GtkWidget* header, GdkEventButton* event, gpointer self)
    {
        const int col = GPOINTER_TO_INT(g_object_get_data(G_OBJECT(header), "kv-column")) - 1;
        if (event->type != GDK_BUTTON_RELEASE || event->button != 3 || col < 0) return FALSE;
        static_cast<ReportList*>(self)->RightClickHeader(col);
        return TRUE;
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

    // The inside of a native check box as the renderer draws it, without the rounded
    // border that blends with what is behind it.
    wxImage CheckBoxInside(bool bChecked) const
    {
        const wxSize box = wxRendererNative::Get().GetCheckBoxSize(m_view);
        wxBitmap bitmap(box);
        {
            wxMemoryDC dc(bitmap);
            dc.SetBackground(*wxWHITE_BRUSH);
            dc.Clear();
            wxRendererNative::Get().DrawCheckBox(m_view, dc, wxRect(box), bChecked ? int(wxCONTROL_CHECKED) : 0);
        }
        const int inset = std::min(3, std::min(box.x, box.y) / 4);
        return bitmap.ConvertToImage().GetSubImage(wxRect(box).Deflate(inset));
    }

    CListCtrl& m_list;
    GuiActionSink m_sink;
    wxDataViewCtrl* m_view = nullptr;
    RowModel* m_model = nullptr;
    wxStaticText* m_empty = nullptr;
    std::vector<wxDataViewColumn*> m_columns;
    std::vector<std::u16string> m_titles;
    std::vector<int> m_formats;
    mutable ImageCache m_images;
    bool m_bSyncing = false;
};

wxSize CellRenderer::GetSize() const
{
    const wxSize marks = m_owner.MarksOf(m_row, m_col).Size();
    wxSize size = GetTextExtent(kvguiText(m_owner.List().GetItemText(m_row, m_col)));
    return wxSize(size.x + marks.x + (marks.x ? 2 : 0) + 4, std::max(size.y, marks.y));
}

bool CellRenderer::Render(wxRect cell, wxDC* dc, int state)
{
    const CListCtrl& list = m_owner.List();
    const ReportList::Marks marks = m_owner.MarksOf(m_row, m_col);
    int x = cell.x;
    if (marks.box.x) {
        wxRect at(x, cell.y + (cell.height - marks.box.y) / 2, marks.box.x, marks.box.y);
        wxRendererNative::Get().DrawCheckBox(GetView(), *dc, at, list.GetCheck(m_row) ? int(wxCONTROL_CHECKED) : 0);
        x += marks.box.x + (marks.image ? 2 : 0);
    }
    if (marks.image) {
        dc->DrawBitmap(*marks.image, x, cell.y + (cell.height - marks.image->GetHeight()) / 2, true);
        x += marks.image->GetWidth() + 2;
    }
    if (marks.box.x && !marks.image) x += 2;
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
        // Box and text as close as a list view puts them: the template's width is made for that.
        for (int c = 0; GtkTreeViewColumn* column = gtk_tree_view_get_column(m_box->m_treeview, c); ++c) {
            GList* cells = gtk_cell_layout_get_cells(GTK_CELL_LAYOUT(column));
            for (GList* cell = cells; cell; cell = cell->next) g_object_set(cell->data, "xpad", 1, nullptr);
            g_list_free(cells);
        }
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
        // A click on the item's box, the toolkit's first column.
        return kvguiClickCell(m_box->m_treeview, i, gtk_tree_view_get_column(m_box->m_treeview, 0), -1, 1);
    }

    // The toolkit draws the rows itself; only their width is ours to check.
    std::vector<std::string> LayoutProblems(const wxImage&, const wxWindow&) const override
    {
        int need = 0;
        gtk_widget_get_preferred_width(GTK_WIDGET(m_box->m_treeview), &need, nullptr);
        const int has = gtk_widget_get_allocated_width(GTK_WIDGET(m_box->m_treeview));
        if (need <= has) return {};
        return {"its items need " + std::to_string(need) + " px, it has " + std::to_string(has) + " px"};
    }
    // The rows and the list's frame around them.
    int WidthNeeded() const override
    {
        int need = 0;
        gtk_widget_get_preferred_width(GTK_WIDGET(m_box->m_treeview), &need, nullptr);
        const int rows = gtk_widget_get_allocated_width(GTK_WIDGET(m_box->m_treeview));
        return need + (rows > 1 ? m_box->GetSize().x - rows : 4);
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
        std::vector<std::pair<std::u16string, int>> items;
        for (int i = 0; i < m_list.GetItemCount(); ++i)
            items.emplace_back(m_list.GetItemText(i, 0), m_list.GetItemImage(i, 0));
        if (items == m_shown) return;
        m_shown = items;
        m_view->DeleteAllItems();
        for (std::size_t i = 0; i < items.size(); ++i)
            m_view->InsertItem(static_cast<long>(i), kvguiText(items[i].first), items[i].second);
    }

    bool Perform(const KvUiAction&) override { return false; }

    std::vector<std::string> LayoutProblems(const wxImage& shot, const wxWindow& dialog) const override
    {
        const CImageList* images = m_list.GetImageList(LVSIL_SMALL);
        for (int i = 0; images && i < m_list.GetItemCount(); ++i) {
            const KvUiImage* image = images->GetImage(m_list.GetItemImage(i, 0));
            wxRect at;
            if (!image || !m_view->GetItemRect(i, at, wxLIST_RECT_ICON)) continue;
            at.SetPosition(dialog.ScreenToClient(m_view->ClientToScreen(at.GetPosition())));
            if (!wxRect(m_view->GetRect()).Contains(at)) continue;  // scrolled away
            if (!kvguiShowsImage(shot, kvguiBitmap(*image).ConvertToImage(), at))
                return {"does not show the icon of item " + std::to_string(i) + " whole"};
        }
        return {};
    }

private:
    CListCtrl& m_list;
    wxListCtrl* m_view = nullptr;
    int m_imageCount = 0;
    std::vector<std::pair<std::u16string, int>> m_shown;
};

}  // namespace

std::unique_ptr<GuiListView> kvguiMakeListView(CListCtrl& list, wxWindow* parent, const wxRect& rect,
                                               GuiActionSink sink)
{
    if (list.IsReportView()) return std::make_unique<ReportList>(list, parent, rect, std::move(sink));
    if (list.HasCheckBoxes()) return std::make_unique<CheckList>(list, parent, rect, std::move(sink));
    return std::make_unique<PlainList>(list, parent, rect);
}
