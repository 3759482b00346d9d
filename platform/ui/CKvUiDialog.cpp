#include "kvui/CKvUiDialog.h"

void CKvUiDialog::BeginEditorCommand()
{
    m_bInEditor = true;
    ShowWindow(SW_HIDE);
}

void CKvUiDialog::CompleteEditorCommand(bool)
{
    m_bInEditor = false;
    if (!IsEnded()) ShowWindow(SW_SHOW);
}

void CKvUiDialog::CancelEditorCommand()
{
    m_bInEditor = false;
    if (!IsEnded()) ShowWindow(SW_SHOW);
}
