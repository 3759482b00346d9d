#pragma once
// One modal dialog on screen, built from its dialog template and shown from its model.
// Places and sizes are the template's dialog units converted with the dialog font's
// metrics; where a translated text does not fit its control, the control grows into the
// free room beside or below it (never over another control). Widget events become the
// actions the dialog model carries out; Sync shows the model again afterwards.
#include <memory>
#include <string>
#include <vector>

#include <wx/dialog.h>
#include <wx/image.h>

#include "kvgui/GuiListViews.h"
#include "kvui/CKpUiBaseDialog.h"

class GuiDialogWindow {
public:
    GuiDialogWindow(CKpUiBaseDialog& model, wxWindow* parent, GuiActionSink sink);
    ~GuiDialogWindow();
    GuiDialogWindow(const GuiDialogWindow&) = delete;
    GuiDialogWindow& operator=(const GuiDialogWindow&) = delete;

    wxDialog* Window() const { return m_window; }
    CKpUiBaseDialog& Model() const { return m_model; }
    // The widget that shows the control, or null.
    wxWindow* Widget(int id) const;

    // Texts, checks, states, entries and lists from the model; the window shown or
    // hidden as the model is.
    void Sync();
    void SyncVisibility();
    // Carries out a scripted dialog action on the widgets, as the user's gesture would.
    // False when no widget offers the gesture (the action then goes to the model as it is).
    bool Perform(const KvUiAction& action);

    // Pixels of the template's size in dialog units.
    wxSize TemplateClientSize() const;
    // The window's client area as it is on screen.
    wxImage Grab() const;
    // What does not fit, given the window's picture: controls that overlap, texts wider (or
    // taller) than their control, controls smaller than the toolkit needs to draw them,
    // images that do not show whole.
    std::vector<std::string> LayoutProblems(const wxImage& shot) const;

private:
    struct Control {
        CWnd* model = nullptr;
        KvUiControlKind kind = KvUiControlKind::Label;
        wxWindow* widget = nullptr;
        std::unique_ptr<GuiListView> list;
        wxRect rect;  // the template's place in pixels
        std::u16string shownText;
        bool bTextShown = false;
        const void* shownImage = nullptr;
        wxBitmap shownBitmap;  // what shows the image on screen
        std::vector<std::u16string> shownEntries;
    };

    wxRect ToPixels(int x, int y, int cx, int cy) const;
    void Create(Control& control, const KvUiControlTemplate& tmpl);
    void SyncControl(Control& control);
    void FitText(Control& control);
    int RoomRight(const Control& control) const;
    bool TextFits(const Control& control, std::string* why) const;
    std::string ToolkitShortfall(const Control& control) const;
    wxSize TextNeed(const Control& control) const;
    bool Overlaps(const Control& a, const Control& b) const;
    void Emit(KvUiActionKind kind, int id, bool bOn = false, const std::u16string& text = {});

    CKpUiBaseDialog& m_model;
    GuiActionSink m_sink;
    wxDialog* m_window = nullptr;
    int m_baseX = 0, m_baseY = 0;  // the font's dialog base units
    std::vector<Control> m_controls;
};
