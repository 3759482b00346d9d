#include <gtest/gtest.h>
#include <unistd.h>

#include <ext/stdio_filebuf.h>

#include <istream>
#include <sstream>
#include <string>

#include "TestDialog.h"
#include "kv/KvString.h"
#include "support/ScratchDir.h"
#include "kvui/KvUiDriver.h"
#include "kvui/KvUiTerminalDriver.h"

namespace {
// The user's typing arrives through a pipe, as from a terminal or another program.
class PipedTerminal {
public:
    explicit PipedTerminal(const std::string& typed)
    {
        int fds[2];
        if (pipe(fds) != 0) throw std::runtime_error("pipe");
        // Small enough to fit in the pipe's buffer before anyone reads.
        if (write(fds[1], typed.data(), typed.size()) != static_cast<ssize_t>(typed.size()))
            throw std::runtime_error("write");
        close(fds[1]);
        m_buf = std::make_unique<__gnu_cxx::stdio_filebuf<char>>(fds[0], std::ios::in);
        m_in = std::make_unique<std::istream>(m_buf.get());
        m_driver = std::make_unique<KvUiTerminalDriver>(*m_in, m_out);
        kvuiSetDriver(m_driver.get());
    }
    ~PipedTerminal() { kvuiSetDriver(nullptr); }
    std::string Shown() const { return m_out.str(); }

private:
    std::unique_ptr<__gnu_cxx::stdio_filebuf<char>> m_buf;
    std::unique_ptr<std::istream> m_in;
    std::ostringstream m_out;
    std::unique_ptr<KvUiTerminalDriver> m_driver;
};

bool Has(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}
}  // namespace

TEST(TerminalDriver, ShowsTheDialogAndReadsTypedActions)
{
    RegisterTestDialogTemplate();
    PipedTerminal terminal("check 1004 on\nitem 1010 Block off\nclick 1\n");
    TestDialog dlg;
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.clicks, std::vector<int>{kOption});
    const std::string shown = terminal.Shown();
    EXPECT_TRUE(Has(shown, "=== Test dialog  (dialog 9001) ===")) << shown;
    EXPECT_TRUE(Has(shown, "[1004]  check box  [ ] Option"));
    EXPECT_TRUE(Has(shown, "[1004]  check box  [x] Option")) << "shown again after the action";
    EXPECT_TRUE(Has(shown, "drop-down  \"alpha\" of: alpha | Beta | Gamma"));
    // Lists as tables: the label column is hidden, image checks read as marks, the
    // descending arrow is on column 1.
    EXPECT_TRUE(Has(shown, "row | [1] Property v | [2] Display name | [3] Total")) << shown;
    EXPECT_TRUE(Has(shown, "0   | [x] Layer      | ~Layer           | [ ]")) << shown;
    EXPECT_TRUE(Has(shown, "row | chk | [0]   | [1] Name"));
    EXPECT_TRUE(Has(shown, "2   | [ ] |       | Block")) << shown;
    EXPECT_TRUE(Has(shown, "(default)"));
}

TEST(TerminalDriver, ExplainsMistakesAndAsksAgain)
{
    RegisterTestDialogTemplate();
    PipedTerminal terminal("frobnicate\nclick 4242\nfile /tmp/a.csv\nhelp\nclick 2\n");
    TestDialog dlg;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    const std::string shown = terminal.Shown();
    EXPECT_TRUE(Has(shown, "unknown action 'frobnicate'"));
    EXPECT_TRUE(Has(shown, "cannot do that: dialog 9001 has no control 4242"));
    EXPECT_TRUE(Has(shown, "'file' is not an action on a dialog"));
    EXPECT_TRUE(Has(shown, "cellmenu ID ROW COL [CHOICE]"));
}

TEST(TerminalDriver, AnswersBoxesFileDialogsAndMenusAtThePrompt)
{
    RegisterTestDialogTemplate();
    PipedTerminal terminal(
        "click 1003\nmaybe\nyes\n"
        "click 1002\n/tmp/out.xls 5\n/tmp/out.xls 2\n"
        "click 1\n");
    TestDialog dlg;
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.answer, IDYES);
    EXPECT_EQ(dlg.chosenPath, u"/tmp/out.xls");
    EXPECT_EQ(dlg.chosenFilter, 2);
    const std::string shown = terminal.Shown();
    EXPECT_TRUE(Has(shown, "--- Question ---\n(?) Quit?"));
    EXPECT_TRUE(Has(shown, "unknown answer 'maybe'"));
    EXPECT_TRUE(Has(shown, "file type 2:  Xls file (*.xls)"));
    EXPECT_TRUE(Has(shown, "no file type 5"));
}

TEST(TerminalDriver, FileDialogRefusesFoldersAndAsksBeforeReplacing)
{
    RegisterTestDialogTemplate();
    ScratchDir dir;
    WriteBytes(dir.Path("old.csv"), "kept");
    const std::string old = dir.Path("old.csv").string();
    PipedTerminal terminal("click 1002\n/nonexistent/out.csv\n" + old + "\nno\n" + old + "\nyes\nclick 1\n");
    TestDialog dlg;
    dlg.fileFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.fileResult, IDOK);
    EXPECT_EQ(dlg.chosenPath, kvFromUtf8(old));
    const std::string shown = terminal.Shown();
    EXPECT_TRUE(Has(shown, "the folder '/nonexistent' does not exist\nfile> ")) << shown;
    EXPECT_TRUE(Has(shown, old + " already exists.\nDo you want to replace it?\nyes/no> ")) << shown;
    EXPECT_TRUE(Has(shown, "type another path, or cancel\nfile> ")) << shown;
    EXPECT_EQ(ReadBytes(dir.Path("old.csv")), "kept");
}

TEST(TerminalDriver, MenusOpenedWithoutAChoiceAreListedAndAsked)
{
    RegisterTestDialogTemplate();
    PipedTerminal terminal("headermenu 1011\nx\n9\n2\nheadermenu 1011\n\ncellmenu 1011 0 2\nclick 1\n");
    TestDialog dlg;
    EXPECT_EQ(dlg.DoModal(), IDOK);
    const std::string shown = terminal.Shown();
    EXPECT_TRUE(Has(shown,
                    "--- menu ---\n  1: Property (checked)\n  2: Display name (checked)\n  3: Total (checked)\n"
                    "  0: none\n  type the number of an item; 0 or an empty line closes the menu\nmenu> "))
        << shown;
    EXPECT_TRUE(Has(shown, "menu>   type the number of an item\nmenu>   no item 9\nmenu> ")) << shown;
    EXPECT_TRUE(Has(shown, "  2: Display name\n  3: Total (checked)\n")) << "item 2 hid column 2: " << shown;
}

TEST(TerminalDriver, LongListsShowAPageOfRowsAndPage)
{
    RegisterTestDialogTemplate();
    struct LongList : TestDialog {
        BOOL OnInitDialog() override
        {
            TestDialog::OnInitDialog();
            for (int i = 2; i < 95; ++i) m_filter.InsertItem(i, u"Item " + kvFromUtf8(std::to_string(i)));
            return TRUE;
        }
    };
    PipedTerminal terminal("rows 1012 40\nrows 1012 80\nrows 1012 95\nrows 1009 0\nclick 1\n");
    LongList dlg;
    EXPECT_EQ(dlg.DoModal(), IDOK);
    const std::string shown = terminal.Shown();
    // The first page and the second's heading are checked through kvhost (console_host.py).
    EXPECT_TRUE(Has(shown, "rows 40 to 79 of 95; 15 more: rows 1012 80; back to the top: rows 1012 0\n"));
    EXPECT_TRUE(
        Has(shown, "         94  | [ ] | Item 94\n         rows 80 to 94 of 95; back to the top: rows 1012 0\n"));
    EXPECT_TRUE(Has(shown, "list 1012 has rows 0 to 94")) << shown;
    EXPECT_TRUE(Has(shown, "dialog 9001 shows no list 1009")) << shown;
}

TEST(TerminalDriver, EndOfInputCancels)
{
    RegisterTestDialogTemplate();
    PipedTerminal terminal("check 1004 on\n");
    TestDialog dlg;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_TRUE(Has(terminal.Shown(), "end of input"));
}
