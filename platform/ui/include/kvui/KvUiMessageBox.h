#pragma once
// Message boxes without an owner window; the user's answer comes from the driver.
#include <string>

#include "kvui/KvUiDefs.h"

int AfxMessageBox(const std::u16string& text, UINT nType = MB_OK);
// The answer of a box of this type that the user could not give: what closing it means.
int kvuiDefaultMessageBoxAnswer(UINT nType);
