#include "kvgui/GuiDialogWindow.h"

#include <gtk/gtk.h>

#include <algorithm>

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/radiobut.h>
#include <wx/renderer.h>
#include <wx/settings.h>
#include <wx/statbmp.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "kv/KvString.h"
#include "kvgui/GuiDialogStyle.h"
#include "kvgui/GuiImages.h"
#include "kvgui/GuiText.h"
#include "kvui/CListCtrl.h"
#include "kvui/KvUiControls.h"

namespace {
bool hasText(KvUiControlKind kind)
{
    switch (kind) {
    case KvUiControlKind::Label:
    case KvUiControlKind::PushButton:
    case KvUiControlKind::CheckBox:
    case KvUiControlKind::RadioButton:
    case KvUiControlKind::GroupBox: return true;
    default: return false;
    }
}

// Words of a text wrapped into lines no wider than `width`; a word wider than that gets a
// line of its own.
std::vector<wxString> wrapped(const wxWindow& widget, const wxString& text, int width)
{
    std::vector<wxString> lines;
    for (const wxString& paragraph : wxSplit(text, '\n', 0)) {
        wxString line;
        for (const wxString& word : wxSplit(paragraph, ' ', 0)) {
            wxString candidate = line.empty() ? word : line + " " + word;
            if (!line.empty() && widget.GetTextExtent(candidate).x > width) {
                lines.push_back(line);
                line = word;
            } else {
                line = candidate;
            }
        }
        lines.push_back(line);
    }
    return lines;
}

std::string describe(const CWnd& control)
{
    return "control " + std::to_string(control.GetDlgCtrlID());
}
}  // namespace

GuiDialogWindow::GuiDialogWindow(CKpUiBaseDialog& model, wxWindow* parent, GuiActionSink sink)
    : m_model(model), m_sink(std::move(sink))
{
    const KvUiDialogTemplate* tmpl = kvuiFindDialogTemplate(static_cast<int>(model.GetTemplateId()));
    m_window = new wxDialog(parent, wxID_ANY, kvguiText(model.GetWindowText()), wxDefaultPosition, wxDefaultSize,
                            wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX);
    kvguiUseDialogStyle(*m_window);
    wxFont font = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
    font.SetPointSize(tmpl ? tmpl->fontSize : 8);
    m_window->SetFont(font);
    // Dialog base units: half the average width of the alphabet, rounded, and the height.
    wxSize alphabet = m_window->GetTextExtent("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    m_baseX = (alphabet.x / 26 + 1) / 2;
    m_baseY = alphabet.y;
    m_window->SetClientSize(TemplateClientSize());

    std::vector<CWnd*> controls = model.GetControls();
    for (std::size_t i = 0; tmpl && i < controls.size() && i < tmpl->controls.size(); ++i) {
        Control control;
        control.model = controls[i];
        control.kind = tmpl->controls[i].kind;
        Create(control, tmpl->controls[i]);
        m_controls.push_back(std::move(control));
    }
    // Closing the window is pressing its Cancel button, if it has one.
    m_window->Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) {
        CWnd* cancel = m_model.GetDlgItem(IDCANCEL);
        if (cancel && cancel->IsWindowEnabled() && cancel->IsWindowVisible())
            Emit(KvUiActionKind::Click, IDCANCEL);
        else
            Emit(KvUiActionKind::None, 0);
    });
    m_window->Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& event) {
        if (event.GetKeyCode() == WXK_ESCAPE)
            m_window->Close();
        else
            event.Skip();
    });
    Sync();
}

GuiDialogWindow::~GuiDialogWindow()
{
    m_controls.clear();
    m_window->Destroy();
}

wxWindow* GuiDialogWindow::Widget(int id) const
{
    for (const Control& control : m_controls)
        if (control.model->GetDlgCtrlID() == id) return control.widget;
    return nullptr;
}

wxSize GuiDialogWindow::TemplateClientSize() const
{
    const KvUiDialogTemplate* tmpl = kvuiFindDialogTemplate(static_cast<int>(m_model.GetTemplateId()));
    if (!tmpl) return wxSize(200, 100);
    return ToPixels(0, 0, tmpl->cx, tmpl->cy).GetSize();
}

wxRect GuiDialogWindow::ToPixels(int x, int y, int cx, int cy) const
{
    auto px = [this](int v) { return (v * m_baseX + 2) / 4; };
    auto py = [this](int v) { return (v * m_baseY + 4) / 8; };
    return wxRect(px(x), py(y), px(x + cx) - px(x), py(y + cy) - py(y));
}

void GuiDialogWindow::Emit(KvUiActionKind kind, int id, bool bOn, const std::u16string& text)
{
    KvUiAction action;
    action.kind = kind;
    action.id = id;
    action.bOn = bOn;
    action.text = text;
    m_sink(action);
}

void GuiDialogWindow::Create(Control& control, const KvUiControlTemplate& tmpl)
{
    control.rect = ToPixels(tmpl.x, tmpl.y, tmpl.cx, tmpl.cy);
    const wxPoint at = control.rect.GetPosition();
    const wxSize size = control.rect.GetSize();
    const int id = tmpl.id;
    switch (control.kind) {
    case KvUiControlKind::Label:
        control.widget = new wxStaticText(m_window, wxID_ANY, "", at, size, wxST_NO_AUTORESIZE);
        break;
    case KvUiControlKind::Picture: control.widget = new wxStaticBitmap(m_window, wxID_ANY, wxBitmap(), at, size); break;
    case KvUiControlKind::PushButton: {
        // An icon button never shows its text, whatever the model puts in it.
        auto* button = new wxButton(m_window, wxID_ANY, "", at, size, (tmpl.style & BS_ICON) ? wxBU_NOTEXT : 0);
        if ((tmpl.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) button->SetDefault();
        button->Bind(wxEVT_BUTTON, [this, id](wxCommandEvent&) { Emit(KvUiActionKind::Click, id); });
        control.widget = button;
        break;
    }
    case KvUiControlKind::CheckBox: {
        auto* box = new wxCheckBox(m_window, wxID_ANY, "", at, size);
        box->Bind(wxEVT_CHECKBOX, [this, id](wxCommandEvent& e) { Emit(KvUiActionKind::Check, id, e.IsChecked()); });
        control.widget = box;
        break;
    }
    case KvUiControlKind::RadioButton: {
        auto* radio = new wxRadioButton(m_window, wxID_ANY, "", at, size, (tmpl.style & WS_GROUP) ? wxRB_GROUP : 0);
        radio->Bind(wxEVT_RADIOBUTTON, [this, id](wxCommandEvent&) { Emit(KvUiActionKind::Check, id, true); });
        control.widget = radio;
        break;
    }
    case KvUiControlKind::GroupBox: control.widget = new wxStaticBox(m_window, wxID_ANY, "", at, size); break;
    case KvUiControlKind::Edit: control.widget = new wxTextCtrl(m_window, wxID_ANY, "", at, size); break;
    case KvUiControlKind::ComboBox: {
        // The template's height is that of the open list; the closed box is one line.
        auto* choice = new wxChoice(m_window, wxID_ANY, at, wxSize(size.x, -1));
        choice->Bind(wxEVT_CHOICE, [this, id, choice](wxCommandEvent& e) {
            Emit(KvUiActionKind::Select, id, false, kvguiText(choice->GetString(static_cast<unsigned>(e.GetInt()))));
        });
        control.widget = choice;
        break;
    }
    case KvUiControlKind::ListView:
        if (auto* list = dynamic_cast<CListCtrl*>(control.model)) {
            control.list = kvguiMakeListView(*list, m_window, control.rect, m_sink);
            control.widget = control.list->Widget();
        }
        break;
    }
    if (control.widget) control.widget->SetFont(m_window->GetFont());
}

void GuiDialogWindow::Sync()
{
    m_window->SetTitle(kvguiText(m_model.GetWindowText()));
    for (Control& control : m_controls) SyncControl(control);
    SyncVisibility();
}

void GuiDialogWindow::SyncVisibility()
{
    const bool bShow = m_model.IsRunning() && !m_model.IsEnded() && m_model.IsWindowVisible();
    // wx may think a window shown that GTK hid (a dialog unmapped and mapped again in a
    // pick): what is on screen decides.
    const bool bShown = gtk_widget_get_visible(m_window->GetHandle());
    if (bShown == bShow) return;
    if (m_window->IsShown() == bShow) m_window->Show(!bShow);
    m_window->Show(bShow);
}

void GuiDialogWindow::SyncControl(Control& control)
{
    CWnd& model = *control.model;
    wxWindow* widget = control.widget;
    if (!widget) return;
    widget->Enable(model.IsWindowEnabled() != FALSE);
    widget->Show(model.IsWindowVisible() != FALSE);
    const std::u16string text = model.GetWindowText();
    const bool bNewText = !control.bTextShown || text != control.shownText;
    control.shownText = text;
    control.bTextShown = true;
    switch (control.kind) {
    case KvUiControlKind::Label:
    case KvUiControlKind::GroupBox:
    case KvUiControlKind::CheckBox:
    case KvUiControlKind::RadioButton:
        if (bNewText) {
            widget->SetSize(control.rect);
            widget->SetLabel(wxControl::EscapeMnemonics(kvguiText(text)));
            FitText(control);
        }
        if (auto* box = dynamic_cast<wxCheckBox*>(widget))
            box->SetValue(static_cast<CButton&>(model).GetCheck() == BST_CHECKED);
        if (auto* radio = dynamic_cast<wxRadioButton*>(widget))
            radio->SetValue(static_cast<CButton&>(model).GetCheck() == BST_CHECKED);
        break;
    case KvUiControlKind::PushButton: {
        auto& button = static_cast<CButton&>(model);
        auto* wxb = static_cast<wxButton*>(widget);
        const bool bNewIcon = button.GetIcon() != control.shownImage;
        if (bNewIcon) {
            control.shownImage = button.GetIcon();
            control.shownBitmap = button.GetIcon() ? kvguiBitmap(*button.GetIcon()) : wxBitmap();
            wxb->SetBitmap(control.shownBitmap);
            // GTK leaves a button's image out unless told to show it with or without text.
            gtk_button_set_always_show_image(GTK_BUTTON(wxb->GetHandle()), TRUE);
        }
        if (!wxb->HasFlag(wxBU_NOTEXT) && (bNewText || bNewIcon))
            wxb->SetLabel(wxControl::EscapeMnemonics(kvguiText(text)));
        break;
    }
    case KvUiControlKind::Picture: {
        auto& picture = static_cast<CStatic&>(model);
        if (picture.GetBitmap() != control.shownImage) {
            control.shownImage = picture.GetBitmap();
            control.shownBitmap =
                picture.GetBitmap() ? kvguiBitmap(*picture.GetBitmap(), control.rect.GetSize()) : wxBitmap();
            static_cast<wxStaticBitmap*>(widget)->SetBitmap(control.shownBitmap);
            widget->SetSize(control.rect);
        }
        break;
    }
    case KvUiControlKind::Edit:
        // Text typed by the user stays until the model puts a text of its own.
        if (bNewText) static_cast<wxTextCtrl*>(widget)->ChangeValue(kvguiText(text));
        break;
    case KvUiControlKind::ComboBox: {
        auto& combo = static_cast<CComboBox&>(model);
        auto* choice = static_cast<wxChoice*>(widget);
        std::vector<std::u16string> entries;
        for (int i = 0; i < combo.GetCount(); ++i) entries.push_back(combo.GetLBText(i));
        if (entries != control.shownEntries) {
            control.shownEntries = entries;
            choice->Clear();
            for (const auto& entry : entries) choice->Append(kvguiText(entry));
        }
        // The closed box is as high as the toolkit draws one line of it, in the dialog's font.
        int least = 0;
        gtk_widget_get_preferred_height(choice->GetHandle(), &least, nullptr);
        if (const int height = std::min(control.rect.height, least); choice->GetSize().y != height)
            choice->SetSize(wxRect(control.rect.GetPosition(), wxSize(control.rect.width, height)));
        if (choice->GetSelection() != combo.GetCurSel()) choice->SetSelection(combo.GetCurSel());
        break;
    }
    case KvUiControlKind::ListView:
        if (control.list) {
            control.list->Sync();
            // Items wider than the list widen it into the free room beside it.
            if (const int need = control.list->WidthNeeded(); need > widget->GetSize().x) {
                wxRect rect = widget->GetRect();
                rect.width = std::max(control.rect.width, std::min(need, RoomRight(control) - rect.x + 1));
                widget->SetSize(rect);
            }
        }
        break;
    }
}

wxSize GuiDialogWindow::TextNeed(const Control& control) const
{
    const wxWindow& widget = *control.widget;
    const wxString text = kvguiText(control.shownText);
    wxSize need = widget.GetTextExtent(text.empty() ? wxString(" ") : text);
    switch (control.kind) {
    case KvUiControlKind::CheckBox:
    case KvUiControlKind::RadioButton: {
        // The box, its spacing and the text, as the toolkit lays them out.
        int least = 0;
        gtk_widget_get_preferred_width(widget.GetHandle(), &least, nullptr);
        wxSize box = wxRendererNative::Get().GetCheckBoxSize(const_cast<wxWindow*>(&widget));
        need.x = std::max(need.x + box.x + 4, least);
        need.y = std::max(need.y, box.y);
        break;
    }
    case KvUiControlKind::GroupBox: need.x += 2 * m_baseX; break;
    case KvUiControlKind::PushButton:
        if (widget.HasFlag(wxBU_NOTEXT)) need = wxSize(0, 0);
        break;
    default: break;
    }
    return need;
}

// Whether the control's text fits it: labels wrap into as many lines as their height holds.
bool GuiDialogWindow::TextFits(const Control& control, std::string* why) const
{
    if (!control.widget || !hasText(control.kind) || control.shownText.empty()) return true;
    const wxRect rect = control.widget->GetRect();
    wxSize need = TextNeed(control);
    if (control.kind == KvUiControlKind::Label) {
        const int lineHeight = control.widget->GetTextExtent("Ag").y;
        std::vector<wxString> lines = wrapped(*control.widget, kvguiText(control.shownText), rect.width);
        need.x = 0;
        for (const auto& line : lines) need.x = std::max(need.x, control.widget->GetTextExtent(line).x);
        need.y = static_cast<int>(lines.size()) * lineHeight;
        if (need.y > rect.height && lines.size() > 1) {
            if (why)
                *why = describe(*control.model) + " \"" + kvToUtf8(control.shownText) + "\" needs " +
                       std::to_string(lines.size()) + " lines (" + std::to_string(need.y) + " px), it has " +
                       std::to_string(rect.height) + " px";
            return false;
        }
    }
    if (need.x > rect.width) {
        if (why)
            *why = describe(*control.model) + " \"" + kvToUtf8(control.shownText) + "\" needs " +
                   std::to_string(need.x) + " px, it has " + std::to_string(rect.width) + " px";
        return false;
    }
    return true;
}

bool GuiDialogWindow::Overlaps(const Control& a, const Control& b) const
{
    const wxRect ra = a.widget->GetRect(), rb = b.widget->GetRect();
    if (!ra.Intersects(rb)) return false;
    // A frame holds what lies inside it.
    if (a.kind == KvUiControlKind::GroupBox && ra.Contains(rb)) return false;
    if (b.kind == KvUiControlKind::GroupBox && rb.Contains(ra)) return false;
    return true;
}

// A text that does not fit grows its control into the free room to the right (within its
// frame and the window) and, for a label, downwards.
// The rightmost pixel a control may grow to: the free room beside it, within its frame and
// the window.
int GuiDialogWindow::RoomRight(const Control& control) const
{
    const int gap = std::max(2, m_baseX / 2);
    const wxRect rect = control.widget->GetRect();
    int right = m_window->GetClientSize().x - gap;
    for (const Control& other : m_controls) {
        if (&other == &control || !other.widget || !other.model->IsWindowVisible()) continue;
        const wxRect o = other.widget->GetRect();
        if (other.kind == KvUiControlKind::GroupBox && o.Contains(rect))
            right = std::min(right, o.GetRight() - gap);
        else if (o.GetTop() <= rect.GetBottom() && o.GetBottom() >= rect.GetTop() && o.GetLeft() > rect.GetLeft())
            right = std::min(right, o.GetLeft() - gap);
    }
    return right;
}

void GuiDialogWindow::FitText(Control& control)
{
    if (TextFits(control, nullptr)) return;
    const wxSize client = m_window->GetClientSize();
    const int gap = std::max(2, m_baseX / 2);
    wxRect rect = control.widget->GetRect();
    int right = RoomRight(control), bottom = client.y - gap;
    for (const Control& other : m_controls)
        if (&other != &control && other.widget && other.kind == KvUiControlKind::GroupBox &&
            other.widget->GetRect().Contains(rect))
            bottom = std::min(bottom, other.widget->GetRect().GetBottom() - gap);
    const int widest = TextNeed(control).x;
    // A caption pushes the button it names (the next control on its row) aside when the
    // frame has room for it.
    if (control.kind == KvUiControlKind::Label && rect.x + widest > right) {
        Control* next = nullptr;
        for (Control& other : m_controls) {
            if (&other == &control || !other.widget || other.kind != KvUiControlKind::PushButton) continue;
            const wxRect o = other.widget->GetRect();
            if (o.GetTop() <= rect.GetBottom() && o.GetBottom() >= rect.GetTop() && o.GetLeft() > rect.GetLeft() &&
                (!next || o.GetLeft() < next->widget->GetRect().GetLeft()))
                next = &other;
        }
        if (next) {
            wxRect o = next->widget->GetRect();
            const int shift = rect.x + widest + gap - o.x;
            int limit = client.x - gap;
            for (const Control& frame : m_controls)
                if (frame.kind == KvUiControlKind::GroupBox && frame.widget->GetRect().Contains(o))
                    limit = std::min(limit, frame.widget->GetRect().GetRight() - gap);
            if (shift > 0 && o.GetRight() + shift <= limit) {
                o.x += shift;
                next->widget->SetSize(o);
                right = o.x - gap;
            }
        }
    }
    rect.width = std::max(rect.width, std::min(widest, right - rect.x + 1));
    control.widget->SetSize(rect);
    if (TextFits(control, nullptr) || control.kind != KvUiControlKind::Label) return;
    for (const Control& other : m_controls) {
        if (&other == &control || !other.widget || !other.model->IsWindowVisible()) continue;
        const wxRect o = other.widget->GetRect();
        const bool bColumnsMeet = o.GetLeft() <= rect.GetRight() && o.GetRight() >= rect.GetLeft();
        if (bColumnsMeet && o.GetTop() > rect.GetTop() &&
            !(other.kind == KvUiControlKind::GroupBox && o.Contains(rect)))
            bottom = std::min(bottom, o.GetTop() - gap);
    }
    const int lineHeight = control.widget->GetTextExtent("Ag").y;
    const auto lines = wrapped(*control.widget, kvguiText(control.shownText), rect.width);
    rect.height = std::max(rect.height, std::min(static_cast<int>(lines.size()) * lineHeight, bottom - rect.y + 1));
    control.widget->SetSize(rect);
}

// What the toolkit needs to draw the control, where it has less: GTK then clips the
// control's text or image, or leaves it out. Entries and drop-downs are only measured in
// height, their width being the text's room, not the text.
std::string GuiDialogWindow::ToolkitShortfall(const Control& control) const
{
    GtkWidget* widget = control.widget->GetHandle();
    if (!widget || control.kind == KvUiControlKind::ListView || control.kind == KvUiControlKind::Picture) return {};
    GtkAllocation has;
    gtk_widget_get_allocation(widget, &has);
    int needX = 0, needY = 0;
    gtk_widget_get_preferred_width(widget, &needX, nullptr);
    gtk_widget_get_preferred_height_for_width(widget, std::max(has.width, needX), &needY, nullptr);
    if (control.kind == KvUiControlKind::Edit || control.kind == KvUiControlKind::ComboBox) needX = 0;
    if (needX <= has.width && needY <= has.height) return {};
    return describe(*control.model) + " needs " + std::to_string(needX) + " x " + std::to_string(needY) +
           " px to be drawn, it has " + std::to_string(has.width) + " x " + std::to_string(has.height) + " px";
}

std::vector<std::string> GuiDialogWindow::LayoutProblems(const wxImage& shot) const
{
    std::vector<std::string> problems;
    const wxSize client = m_window->GetClientSize(), wanted = TemplateClientSize();
    if (client != wanted)
        problems.push_back("the window is " + std::to_string(client.x) + " x " + std::to_string(client.y) +
                           " px, its template " + std::to_string(wanted.x) + " x " + std::to_string(wanted.y));
    for (std::size_t i = 0; i < m_controls.size(); ++i) {
        const Control& a = m_controls[i];
        if (!a.widget || !a.model->IsWindowVisible()) continue;
        std::string why;
        if (!TextFits(a, &why) || !(why = ToolkitShortfall(a)).empty()) problems.push_back(why);
        if (!wxRect(client).Contains(a.widget->GetRect()))
            problems.push_back(describe(*a.model) + " lies outside the window");
        // A disabled control's image is drawn faded.
        if (a.shownBitmap.IsOk() && a.widget->IsEnabled() &&
            !kvguiShowsImage(shot, a.shownBitmap.ConvertToImage(), a.widget->GetRect()))
            problems.push_back(describe(*a.model) + " does not show its image whole");
        if (a.list)
            for (const std::string& problem : a.list->LayoutProblems(shot, *m_window))
                problems.push_back(describe(*a.model) + ": " + problem);
        for (std::size_t j = i + 1; j < m_controls.size(); ++j) {
            const Control& b = m_controls[j];
            if (b.widget && b.model->IsWindowVisible() && Overlaps(a, b))
                problems.push_back(describe(*a.model) + " and " + describe(*b.model) + " overlap");
        }
    }
    return problems;
}

wxImage GuiDialogWindow::Grab() const
{
    const wxSize size = m_window->GetClientSize();
    wxBitmap bitmap(size);
    {
        wxClientDC screen(m_window);
        wxMemoryDC memory(bitmap);
        memory.Blit(0, 0, size.x, size.y, &screen, 0, 0);
    }
    return bitmap.ConvertToImage();
}

bool GuiDialogWindow::Perform(const KvUiAction& action)
{
    if (action.kind == KvUiActionKind::None) return false;
    auto at = std::find_if(m_controls.begin(), m_controls.end(),
                           [&](const Control& c) { return c.model->GetDlgCtrlID() == action.id; });
    if (at == m_controls.end() || !at->widget || !at->widget->IsShown() || !at->widget->IsEnabled()) return false;
    wxWindow* widget = at->widget;
    // Buttons, check boxes and radio buttons are pressed through the toolkit itself.
    auto press = [widget] {
        GtkWidget* handle = widget->GetHandle();
        if (!handle || !GTK_IS_BUTTON(handle)) return false;
        gtk_button_clicked(GTK_BUTTON(handle));
        return true;
    };
    switch (action.kind) {
    case KvUiActionKind::Click:
        if (at->kind == KvUiControlKind::GroupBox) return false;
        return press();
    case KvUiActionKind::Check:
        if (auto* box = dynamic_cast<wxCheckBox*>(widget)) return box->GetValue() != action.bOn && press();
        if (auto* radio = dynamic_cast<wxRadioButton*>(widget)) return action.bOn && !radio->GetValue() && press();
        return false;
    case KvUiActionKind::Select: {
        auto* choice = dynamic_cast<wxChoice*>(widget);
        if (!choice) return false;
        int index = choice->FindString(kvguiText(action.text), true);
        if (index == wxNOT_FOUND || index == choice->GetSelection()) return false;
        gtk_combo_box_set_active(GTK_COMBO_BOX(widget->GetHandle()), index);
        return true;
    }
    default: return at->list && at->list->Perform(action);
    }
}
