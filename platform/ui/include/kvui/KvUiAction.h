#pragma once
// One user action as a line of text, the same for scripts and for the terminal:
//   click ID | check ID on|off | select ID TEXT | item ID TEXT on|off | total ID TEXT on|off
//   cellmenu ID ROW COL [CHOICE] | headermenu ID [COL] | sort ID COL | movecol ID FROM TO
//   file PATH [FILTER] | file cancel | answer ok|yes|no
// and the editor's answers objects ..., pick ..., point ..., recognised so that a line of
// the wrong sort can be named.
#include <string>
#include <string_view>

enum class KvUiActionKind {
    None,
    Click,
    Check,
    Select,
    Item,
    Total,
    CellMenu,
    HeaderMenu,
    Sort,
    MoveCol,  // dialog actions
    File,
    Answer,  // file dialog, message box
    Objects,
    Pick,
    Point,  // editor input
};

struct KvUiAction {
    KvUiActionKind kind = KvUiActionKind::None;
    int id = 0;           // control
    std::u16string text;  // drop-down entry, item name, file path
    bool bOn = false;
    int row = 0;
    int col = 0;
    int to = 0;            // movecol target position
    int choice = 0;        // cellmenu choice
    bool bCancel = false;  // file cancel
    int filterIndex = 0;   // file filter index, 0 when not given
    int answer = 0;        // IDOK, IDYES or IDNO
    // cellmenu, headermenu: the user chooses in the menu when it shows (a graphical driver,
    // or a console line without the choice); choice is then unused and col names the header
    // right-clicked (-1: the first header on screen).
    bool bMenuOnScreen = false;
};

// Parses one line (UTF-8, already trimmed). On failure returns false with a message.
bool KvUiParseAction(std::string_view line, KvUiAction& action, std::string& error);
bool KvUiIsDialogAction(KvUiActionKind kind);
// The word that starts a line of this kind ("click", "file"...).
const char* KvUiActionVerb(KvUiActionKind kind);
