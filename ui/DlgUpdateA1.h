#pragma once
// The update command's dialog: four ways of bringing an extraction table up to date, each
// starting with a pick of the table.
#include <functional>

#include "drawing/EditorInteraction.h"
#include "drawing/UpdateDialogState.h"
#include "kvui/CKvUiDialog.h"
#include "resources/UiResources.h"

class DlgUpdateA1 : public CKvUiDialog {
public:
    static constexpr UINT IDD = IDD_UPDATE;
    explicit DlgUpdateA1(CWnd* pParent = nullptr);

    const UpdateDialogState& State() const { return m_state; }

protected:
    BOOL OnInitDialog() override;

private:
    using UpdateMode = void (*)(UpdateDialogState&, EditorInteraction&);
    // Single pick of a table entity, with the dialog hidden meanwhile.
    void RunMode(UpdateMode mode);
    void OnFinish();

    UpdateDialogState m_state;
};
