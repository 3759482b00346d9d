#pragma once
// Starts and stops the toolkit for a host that runs its dialogs in windows.
#include <string>

// False with a message when there is no display to show windows on.
bool kvguiStartToolkit(const char* argv0, std::string& error);
void kvguiStopToolkit();
