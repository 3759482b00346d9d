#include "kvui/CKvUiDialog.h"

#include "kvui/KvUiDriver.h"

namespace {
void tellDriver(CKvUiDialog& dlg, bool bShown)
{
    if (KvUiDriver* driver = kvuiDriver()) driver->DialogShown(dlg, bShown);
}
}  // namespace

void CKvUiDialog::BeginEditorCommand()
{
    m_bInEditor = true;
    ShowWindow(SW_HIDE);
    tellDriver(*this, false);
}

void CKvUiDialog::CompleteEditorCommand(bool)
{
    m_bInEditor = false;
    if (!IsEnded()) ShowWindow(SW_SHOW);
    tellDriver(*this, IsWindowVisible() != FALSE);
}

void CKvUiDialog::CancelEditorCommand()
{
    m_bInEditor = false;
    if (!IsEnded()) ShowWindow(SW_SHOW);
    tellDriver(*this, IsWindowVisible() != FALSE);
}
