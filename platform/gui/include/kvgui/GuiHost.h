#pragma once
// kvhost --gui: the graphical host. The main window shows the drawing, takes commands on
// its command line (printing what the console prints, which also goes to standard output)
// and the user's picks in the view; dialogs open as real windows.
#include <istream>

#include "shell/HostOptions.h"

class HostShell;
class KvScript;
class wxWindow;

// Runs the main window until the user quits or the script (commands from `script`, when
// not null) ends; the toolkit has been started (kvguiStartToolkit).
void RunGuiHost(const HostOptions& options, HostShell& shell, KvScript* uiScript, std::istream* script);

// The main window, for dialogs to take as their parent; null outside the graphical mode.
wxWindow* KvGuiMainWindow();
