#pragma once
// What the drawing operations need from the dialog that runs them: hiding it while the
// user picks in the drawing, and the save-file question of the export.
#include <string>

class EditorInteraction {
public:
    virtual ~EditorInteraction() = default;
    // Hides the dialog before interactive input.
    virtual void BeginEditorCommand() = 0;
    // Shows it again after input that completed.
    virtual void CompleteEditorCommand() = 0;
    // Shows it again after input that was cancelled or failed.
    virtual void CancelEditorCommand() = 0;
    // Save-file dialog with a filter text ("Name|*.ext|...||") and an initial file name.
    // On confirmation: true, the full path and the chosen filter's index (from 1).
    virtual bool AskSaveFile(const std::u16string& csFilter, const std::u16string& csInitialName,
                             std::u16string& csPath, int& iFilterIndex) = 0;
};
