#pragma once
// Wizard page 2: the objects to extract, the whole drawing or a selection picked in it.
// Leaving it forward reads the objects into the extraction engine.
#include "kvui/CKvUiDialog.h"
#include "resources/UiResources.h"
#include "kvui/KvUiImage.h"
#include "ui/WizardState.h"

class SelectionSet;

class DlgAssist2 : public CKvUiDialog {
public:
    static constexpr UINT IDD = IDD_ASSIST2;
    explicit DlgAssist2(CWnd* pParent = nullptr);

    SettingsProps lsSettingsProps;

protected:
    BOOL OnInitDialog() override;

private:
    void OnPick();
    void OnNext();
    void OnPrevious();
    // Reads the selection into a new engine, frees the selection and runs page 3.
    void HandOver(SelectionSet& selection);

    CImageList m_imageList;
};
