#pragma once
// Wizard page 1: a new extraction, or one that reuses the properties of a settings file.
#include <string>

#include "kvui/CKvUiDialog.h"
#include "resources/UiResources.h"
#include "ui/WizardState.h"

class DlgAssist1 : public CKvUiDialog {
public:
    static constexpr UINT IDD = IDD_ASSIST1;
    explicit DlgAssist1(CWnd* pParent = nullptr);

    SettingsProps lsSettingsProps;
    std::u16string csSettingsPath;

protected:
    BOOL OnInitDialog() override;

private:
    void OnBrowse();
    void OnNext();
};
