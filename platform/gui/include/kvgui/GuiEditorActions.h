#pragma once
// What a user does in the main window to answer the editor's requests, performed on the
// real widgets: used for the UI script's editor lines in the graphical mode, and by tests.
// Each works only while the main window exists and returns at once; the answer reaches
// the request through the same event handlers as the user's own typing and clicking.
#include <string>

#include "kv/KvDbHandle.h"

// Types the text on the command line and presses Enter.
void GuiTypeCommandLine(const std::string& text);
// Clicks with the left button on a point of the entity's drawing in the view where a
// click picks that entity (zooming to it when it is too small or hidden at the current
// view). False when there is no such point (the entity is not drawn, or the running
// request does not take it).
bool GuiClickEntity(const KvDbHandle& handle);
// Drags a window from left to right around the drawing's extents (zoomed to them first),
// then presses Enter.
void GuiDragWindowAroundExtents();
// Presses Escape in the view.
void GuiPressEscape();
