#pragma once
// The look of the dialogs' controls. The templates are sized for compact controls (a
// push button of 15 x 11 dialog units holds "...", a check box fits a line of 10 units);
// the desktop theme's roomy padding would not leave their texts and icons room inside
// them, so the dialogs' own controls get a compact style. Other windows keep the theme's.
#include <wx/window.h>

void kvguiUseDialogStyle(wxWindow& dialog);
