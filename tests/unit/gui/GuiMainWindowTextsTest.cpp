// The main window speaks the user's language: its menus, tool bar, prompt and the host's
// file choosers are built in English, Spanish and French, every text is there, the Spanish
// and French ones are translations, accelerators stay the same and no menu has two items on
// one mnemonic letter. Each open menu and chooser is also written as a picture
// (build/gui-menus) for review.
#include <gtest/gtest.h>

#include <gtk/gtk.h>

#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <set>
#include <sstream>

#include <wx/app.h>
#include <wx/filename.h>
#include <wx/frame.h>
#include <wx/menu.h>
#include <wx/stattext.h>
#include <wx/timer.h>
#include <wx/toolbar.h>

#include "kv/kv.h"
#include "kvgui/GuiDialogDriver.h"
#include "kvgui/GuiHost.h"
#include "kvgui/GuiHostTexts.h"
#include "kvgui/GuiPicture.h"
#include "kvgui/GuiToolkit.h"
#include "shell/HostShell.h"

namespace {

struct Item {
    wxString label, accelerator, help;  // label with its mnemonic, without the accelerator
};

struct Tool {
    wxString label, tip, statusText;
};

struct Chooser {
    wxString title, cancel, accept;
    std::vector<wxString> filters;
};

struct WindowTexts {
    std::vector<Chooser> choosers;         // Open, Save As
    std::vector<std::string> pictures;     // the screen with each menu open
    std::vector<Item> titles;              // the menu bar's
    std::vector<std::vector<Item>> menus;  // each menu's items, separators left out
    std::vector<Tool> tools;
    std::vector<wxString> labels;  // static texts (the command line's prompt)
};

// The mnemonic letter of a label, lower case; 0 when it has none.
wxUniChar mnemonic(const wxString& label)
{
    for (std::size_t i = 0; i + 1 < label.length(); ++i) {
        if (label[i] != '&') continue;
        if (label[i + 1] == '&') {
            ++i;
            continue;
        }
        return wxString(label[i + 1]).Lower()[0];
    }
    return 0;
}

void collectLabels(wxWindow* window, std::vector<wxString>& labels)
{
    for (wxWindow* child : window->GetChildren()) {
        if (auto* text = dynamic_cast<wxStaticText*>(child)) labels.push_back(text->GetLabel());
        collectLabels(child, labels);
    }
}

// GTK paints on its frame clock: let a few frames pass.
void settle()
{
    for (int i = 0; i < 6; ++i) {
        kvguiFlushEvents();
        g_usleep(10000);
    }
}

// The whole screen as a picture: an open menu is a window of its own.
void writeScreen(const wxString& path)
{
    settle();
    EXPECT_TRUE(kvguiWritePicture(nullptr, path.utf8_string())) << path;
}

WindowTexts readWindow(wxFrame& frame, const wxString& pictures)
{
    WindowTexts texts;
    wxMenuBar* bar = frame.GetMenuBar();
    for (std::size_t m = 0; m < bar->GetMenuCount(); ++m) {
        texts.titles.push_back({bar->GetMenuLabel(m), {}, {}});
        wxMenu* menu = bar->GetMenu(m);
        std::vector<Item>& items = texts.menus.emplace_back();
        for (wxMenuItem* item : menu->GetMenuItems()) {
            if (item->IsSeparator()) continue;
            const wxString full = item->GetItemLabel();
            std::unique_ptr<wxAcceleratorEntry> accelerator(item->GetAccel());
            items.push_back(
                {full.BeforeFirst('\t'), accelerator ? accelerator->ToString() : wxString(), item->GetHelp()});
        }
        if (!pictures.empty()) {
            gtk_menu_popup_at_widget(GTK_MENU(menu->m_menu), menu->m_owner, GDK_GRAVITY_SOUTH_WEST,
                                     GDK_GRAVITY_NORTH_WEST, nullptr);
            const wxString path = wxString::Format("%s-%zu.png", pictures, m + 1);
            writeScreen(path);
            texts.pictures.push_back(path.utf8_string());
            gtk_menu_popdown(GTK_MENU(menu->m_menu));
            settle();
        }
    }
    wxToolBar* toolbar = frame.GetToolBar();
    for (std::size_t t = 0; t < toolbar->GetToolsCount(); ++t) {
        const wxToolBarToolBase* tool = toolbar->GetToolByPos(t);
        if (!tool->IsSeparator()) texts.tools.push_back({tool->GetLabel(), tool->GetShortHelp(), tool->GetLongHelp()});
    }
    collectLabels(&frame, texts.labels);
    return texts;
}

wxString utf8(const char* text)
{
    return text ? wxString::FromUTF8(text) : wxString();
}

wxString buttonLabel(GtkWidget* dialog, int response)
{
    GtkWidget* button = gtk_dialog_get_widget_for_response(GTK_DIALOG(dialog), response);
    return button && GTK_IS_BUTTON(button) ? utf8(gtk_button_get_label(GTK_BUTTON(button))) : wxString();
}

GtkWidget* shownChooser()
{
    GtkWidget* found = nullptr;
    GList* windows = gtk_window_list_toplevels();
    for (GList* w = windows; w; w = w->next)
        if (GTK_IS_FILE_CHOOSER_DIALOG(w->data) && gtk_widget_get_mapped(GTK_WIDGET(w->data)))
            found = GTK_WIDGET(w->data);
    g_list_free(windows);
    return found;
}

// The host's Open and Save As choosers, opened from the menu, read and cancelled.
void readChoosers(wxFrame& frame, const wxString& pictures, WindowTexts& texts)
{
    for (int id : {wxID_OPEN, wxID_SAVEAS}) {
        Chooser& chooser = texts.choosers.emplace_back();
        wxTimer timer;
        timer.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
            GtkWidget* dialog = shownChooser();
            if (!dialog) return;  // not on the screen yet
            timer.Stop();
            chooser.title = utf8(gtk_window_get_title(GTK_WINDOW(dialog)));
            GSList* filters = gtk_file_chooser_list_filters(GTK_FILE_CHOOSER(dialog));
            for (GSList* f = filters; f; f = f->next)
                chooser.filters.push_back(utf8(gtk_file_filter_get_name(GTK_FILE_FILTER(f->data))));
            g_slist_free(filters);
            chooser.cancel = buttonLabel(dialog, GTK_RESPONSE_CANCEL);
            chooser.accept = buttonLabel(dialog, GTK_RESPONSE_ACCEPT);
            if (!pictures.empty()) {
                const wxString path = pictures + (id == wxID_OPEN ? "-open.png" : "-saveas.png");
                writeScreen(path);
                texts.pictures.push_back(path.utf8_string());
            }
            gtk_dialog_response(GTK_DIALOG(dialog), GTK_RESPONSE_CANCEL);
        });
        timer.Start(50);
        wxCommandEvent choose(wxEVT_MENU, id);
        frame.ProcessWindowEvent(choose);  // back when the chooser is closed
        timer.Stop();
    }
}

// Builds the main window in one language and reads its texts while it runs.
WindowTexts windowIn(KvUiLanguage language, const char* code)
{
    kvSetUiLanguage(language);
    HostShell shell(std::make_unique<KvDbDatabase>(), nullptr);
    WindowTexts texts;
    wxString pictures;
    if (const char* binary = std::getenv("KV_BINARY_DIR")) {
        const wxString folder = wxString::FromUTF8(binary) + "/gui-menus";
        wxFileName::Mkdir(folder, wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
        pictures = folder + "/menu-" + code;
    }
    shell.addHostCommand("TESTTEXTS", [&](HostShell&, const std::string&) {
        auto& frame = *dynamic_cast<wxFrame*>(KvGuiMainWindow());
        texts = readWindow(frame, pictures);
        readChoosers(frame, pictures, texts);
    });
    std::istringstream script("TESTTEXTS\n");
    HostOptions options;
    options.bGui = true;
    RunGuiHost(options, shell, nullptr, &script);
    kvdbHostApplicationServices()->setWorkingDatabase(nullptr);
    return texts;
}

void expectTranslated(const wxString& english, const wxString& text, const char* what)
{
    EXPECT_FALSE(text.empty()) << what << " of \"" << english << "\" is empty";
    EXPECT_TRUE(text != english) << what << " \"" << english << "\" is not translated";
}

TEST(GuiMainWindowTexts, MenusToolBarAndPromptFollowTheLanguage)
{
    KvConsole::instance().setEcho(false);
    std::string error;
    ASSERT_TRUE(kvguiStartToolkit("test_gui", error)) << error;
    const WindowTexts english = windowIn(KvUiLanguage::English, "en");
    const std::map<std::string, WindowTexts> others = {{"es", windowIn(KvUiLanguage::Spanish, "es")},
                                                       {"fr", windowIn(KvUiLanguage::French, "fr")}};
    kvguiStopToolkit();
    kvSetUiLanguage(kvUiLanguageFromEnvironment());

    ASSERT_EQ(english.titles.size(), 3u);
    ASSERT_EQ(english.tools.size(), 7u);
    EXPECT_EQ(english.menus[0].size(), 4u);  // Open, Save, Save As, Quit
    const auto checkMenu = [](const std::vector<Item>& items, const std::string& where) {
        std::set<wxUniChar> letters;
        for (const Item& item : items) {
            const wxUniChar letter = mnemonic(item.label);
            EXPECT_NE(letter, wxUniChar(0)) << where << ": \"" << item.label << "\" has no mnemonic";
            EXPECT_TRUE(letters.insert(letter).second)
                << where << ": \"" << item.label << "\" shares its mnemonic with another item";
        }
    };
    std::map<std::string, const WindowTexts*> all = {{"en", &english}};
    for (const auto& [code, texts] : others) all[code] = &texts;
    for (const auto& [code, texts] : all) {
        checkMenu(texts->titles, code + " menu bar");
        for (std::size_t m = 0; m < texts->menus.size(); ++m)
            checkMenu(texts->menus[m], code + " menu " + std::to_string(m));
        for (const auto& menu : texts->menus)
            for (const Item& item : menu) EXPECT_FALSE(item.help.empty()) << code << ": \"" << item.label << "\"";
        for (const Tool& tool : texts->tools) {
            EXPECT_FALSE(tool.label.empty() || tool.tip.empty() || tool.statusText.empty()) << code;
        }
    }
    for (const auto& [code, texts] : others) {
        SCOPED_TRACE(code);
        ASSERT_EQ(texts.titles.size(), english.titles.size());
        ASSERT_EQ(texts.menus.size(), english.menus.size());
        ASSERT_EQ(texts.tools.size(), english.tools.size());
        for (std::size_t m = 0; m < english.menus.size(); ++m) {
            expectTranslated(english.titles[m].label, texts.titles[m].label, "menu title");
            ASSERT_EQ(texts.menus[m].size(), english.menus[m].size());
            for (std::size_t i = 0; i < english.menus[m].size(); ++i) {
                const Item &ours = texts.menus[m][i], &base = english.menus[m][i];
                expectTranslated(base.label, ours.label, "menu item");
                expectTranslated(base.help, ours.help, "status text");
                EXPECT_EQ(ours.accelerator, base.accelerator) << "accelerator of " << ours.label;
            }
        }
        for (std::size_t t = 0; t < english.tools.size(); ++t) {
            expectTranslated(english.tools[t].label, texts.tools[t].label, "tool");
            expectTranslated(english.tools[t].tip, texts.tools[t].tip, "tool tip");
            expectTranslated(english.tools[t].statusText, texts.tools[t].statusText, "tool's status text");
        }
        for (std::size_t c = 0; c < english.choosers.size(); ++c) {
            const Chooser &ours = texts.choosers[c], &base = english.choosers[c];
            expectTranslated(base.title, ours.title, "chooser's title");
            expectTranslated(base.cancel, ours.cancel, "chooser's button");
            expectTranslated(base.accept, ours.accept, "chooser's button");
            ASSERT_EQ(ours.filters.size(), base.filters.size());
            for (std::size_t f = 0; f < base.filters.size(); ++f)
                expectTranslated(base.filters[f], ours.filters[f], "file type");
        }
        EXPECT_EQ(texts.labels.size(), english.labels.size());
        for (std::size_t l = 0; l < std::min(texts.labels.size(), english.labels.size()); ++l)
            expectTranslated(english.labels[l], texts.labels[l], "label");
    }
    // Every picture shows another menu (a stale copy of the screen would repeat one).
    std::set<std::string> seen;
    std::size_t pictures = 0;
    for (const auto& [code, texts] : all) {
        for (const std::string& path : texts->pictures) {
            std::ifstream file(path, std::ios::binary);
            seen.insert(std::string(std::istreambuf_iterator<char>(file), {}));
            ++pictures;
        }
    }
    EXPECT_EQ(seen.size(), pictures);
    ASSERT_EQ(english.choosers.size(), 2u);
    EXPECT_EQ(english.choosers[0].title, "Open drawing");
    EXPECT_EQ(english.choosers[0].filters, (std::vector<wxString>{"Drawings (*.dxf)", "All files"}));
    EXPECT_EQ(english.choosers[1].accept, "_Save");
    EXPECT_EQ(others.at("es").choosers[0].accept, "_Abrir");
    EXPECT_EQ(others.at("fr").choosers[1].cancel, "_Annuler");
    EXPECT_EQ(english.menus[0][0].accelerator, "Ctrl+O");
    EXPECT_EQ(english.menus[0][2].accelerator, "Ctrl+Shift+S");
}

// Texts the window shows only now and then (status messages, file choosers, progress).
TEST(GuiMainWindowTexts, EveryTextOfTheTableIsTranslated)
{
    for (int i = 0; i < static_cast<int>(GuiHostText::kCount); ++i) {
        const auto id = static_cast<GuiHostText>(i);
        const wxString english = kvguiHostText(id, KvUiLanguage::English);
        EXPECT_FALSE(english.empty()) << i;
        for (KvUiLanguage language : {KvUiLanguage::Spanish, KvUiLanguage::French}) {
            const wxString text = kvguiHostText(id, language);
            expectTranslated(english, text, "text");
            // Placeholders and mnemonics survive the translation.
            EXPECT_EQ(text.Freq('%'), english.Freq('%')) << text;
            EXPECT_EQ(mnemonic(text) != 0, mnemonic(english) != 0) << text;
        }
    }
}

}  // namespace
