#include "GuiCommandLine.h"

#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "kvgui/GuiHostTexts.h"

GuiCommandLine::GuiCommandLine(wxWindow* parent, std::function<void(const std::string&)> entered,
                               std::function<void()> escape)
    : wxPanel(parent, wxID_ANY), m_entered(std::move(entered)), m_escape(std::move(escape))
{
    const wxFont mono(wxFontInfo(10).Family(wxFONTFAMILY_TELETYPE));
    m_output = new wxTextCtrl(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxSize(-1, 120),
                              wxTE_MULTILINE | wxTE_READONLY | wxTE_DONTWRAP);
    m_output->SetFont(mono);
    m_prompt = new wxStaticText(this, wxID_ANY, kvguiHostText(GuiHostText::kCommandPrompt));
    m_prompt->SetFont(mono);
    m_entry = new wxTextCtrl(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize, wxTE_PROCESS_ENTER);
    m_entry->SetFont(mono);
    auto* line = new wxBoxSizer(wxHORIZONTAL);
    line->Add(m_prompt, 0, wxALIGN_CENTER_VERTICAL | wxLEFT | wxRIGHT, 4);
    line->Add(m_entry, 1, wxEXPAND);
    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(m_output, 1, wxEXPAND);
    column->Add(line, 0, wxEXPAND | wxTOP, 2);
    SetSizer(column);
    m_entry->Bind(wxEVT_TEXT_ENTER, [this](wxCommandEvent&) { OnEnter(); });
    m_entry->Bind(wxEVT_KEY_DOWN, &GuiCommandLine::OnKey, this);
}

void GuiCommandLine::AppendOutput(const std::string& utf8)
{
    m_output->AppendText(wxString::FromUTF8(utf8));
}

std::string GuiCommandLine::Transcript() const
{
    return m_output->GetValue().utf8_string();
}

void GuiCommandLine::SetPrompt(const std::string& utf8)
{
    m_prompt->SetLabel(wxString::FromUTF8(utf8));
    Layout();
}

void GuiCommandLine::FocusEntry()
{
    m_entry->SetFocus();
}

void GuiCommandLine::Type(const std::string& utf8)
{
    m_entry->SetValue(wxString::FromUTF8(utf8));
    wxCommandEvent enter(wxEVT_TEXT_ENTER, m_entry->GetId());
    enter.SetEventObject(m_entry);
    enter.SetString(m_entry->GetValue());
    m_entry->GetEventHandler()->ProcessEvent(enter);
}

void GuiCommandLine::OnEnter()
{
    const std::string text = m_entry->GetValue().utf8_string();
    m_entry->Clear();
    if (!text.empty() && (m_history.empty() || m_history.back() != text)) m_history.push_back(text);
    m_historyAt = m_history.size();
    m_entered(text);
}

void GuiCommandLine::OnKey(wxKeyEvent& event)
{
    switch (event.GetKeyCode()) {
    case WXK_UP:
        if (m_historyAt > 0) m_entry->ChangeValue(wxString::FromUTF8(m_history[--m_historyAt]));
        m_entry->SetInsertionPointEnd();
        break;
    case WXK_DOWN:
        if (m_historyAt < m_history.size()) ++m_historyAt;
        m_entry->ChangeValue(m_historyAt < m_history.size() ? wxString::FromUTF8(m_history[m_historyAt]) : wxString());
        m_entry->SetInsertionPointEnd();
        break;
    case WXK_ESCAPE:
        m_entry->Clear();
        m_escape();
        break;
    default: event.Skip(); break;
    }
}
