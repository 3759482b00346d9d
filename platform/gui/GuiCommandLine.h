#pragma once
// The command line below the drawing: the lines the console prints above, and a prompt
// with an entry field that keeps a history of what was typed (Up and Down recall it).
#include <wx/panel.h>

#include <functional>
#include <string>
#include <vector>

class wxStaticText;
class wxTextCtrl;

class GuiCommandLine : public wxPanel {
public:
    // entered: the text typed when Enter is pressed; escape: Esc pressed in the field.
    GuiCommandLine(wxWindow* parent, std::function<void(const std::string&)> entered, std::function<void()> escape);

    // What the console prints, as it prints it.
    void AppendOutput(const std::string& utf8);
    // Shown before the entry field ("Command:" or the running request's prompt).
    void SetPrompt(const std::string& utf8);
    // As typed by the user: the field's text replaced, then Enter.
    void Type(const std::string& utf8);
    void FocusEntry();
    std::string Transcript() const;

private:
    void OnEnter();
    void OnKey(wxKeyEvent& event);

    std::function<void(const std::string&)> m_entered;
    std::function<void()> m_escape;
    wxTextCtrl* m_output;
    wxStaticText* m_prompt;
    wxTextCtrl* m_entry;
    std::vector<std::string> m_history;
    std::size_t m_historyAt = 0;
};
