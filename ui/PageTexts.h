#pragma once
// The pages show every text in the user's language: the templates' own texts never appear.
#include <initializer_list>
#include <utility>

#include "kvui/CKpUiBaseDialog.h"

// Resource ids of the wizard frame's texts.
inline constexpr unsigned int kIdPrevious = 138;
inline constexpr unsigned int kIdNext = 139;
inline constexpr unsigned int kIdCancel = 140;
inline constexpr unsigned int kIdFinish = 164;
inline constexpr int kCtrlPrevious = 1001;

// Sets the title and each control's text from the string table (control id, string id).
void SetPageTexts(CKpUiBaseDialog& dlg, unsigned int idTitle,
                  std::initializer_list<std::pair<int, unsigned int>> controlTexts);
