#pragma once
// The host's dialog: a modal dialog that can step aside while the drawing editor takes
// the user's input (a pick, a point) and come back afterwards.
#include "kvui/CKpUiBaseDialog.h"

class CKvUiDialog : public CKpUiBaseDialog {
public:
    explicit CKvUiDialog(UINT nIDTemplate, CWnd* pParent = nullptr) : CKpUiBaseDialog(nIDTemplate, pParent) {}

    // Hides the dialog and gives the editor the input focus.
    void BeginEditorCommand();
    // Shows the dialog again after the editor's input.
    void CompleteEditorCommand(bool bRestoreCursor = true);
    void CancelEditorCommand();
    bool IsInEditorCommand() const { return m_bInEditor; }

private:
    bool m_bInEditor = false;
};
