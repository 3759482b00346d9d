#pragma once
// Lets the drawing operations hide and restore a running dialog around the user's input in
// the drawing, and ask for a file to save with the dialog as owner.
#include "drawing/EditorInteraction.h"
#include "kvui/CKvUiDialog.h"

class DialogEditorInteraction : public EditorInteraction {
public:
    explicit DialogEditorInteraction(CKvUiDialog& dialog) : m_dialog(dialog) {}

    void BeginEditorCommand() override { m_dialog.BeginEditorCommand(); }
    void CompleteEditorCommand() override { m_dialog.CompleteEditorCommand(true); }
    void CancelEditorCommand() override { m_dialog.CancelEditorCommand(); }
    bool AskSaveFile(const std::u16string& csFilter, const std::u16string& csInitialName, std::u16string& csPath,
                     int& iFilterIndex) override;

private:
    CKvUiDialog& m_dialog;
};
