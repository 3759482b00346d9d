#pragma once
// Pictures of what the display shows, read back from the X server (wxScreenDC keeps
// handing out its first picture of the screen under GTK 3).
#include <string>

class wxWindow;

// Writes the window's pixels, or the whole screen's when window is null, as a PNG file;
// false when the picture cannot be taken or written.
bool kvguiWritePicture(wxWindow* window, const std::string& path);
