#pragma once
// Wizard page 5: the table preview and the outputs: a table inserted into the drawing at
// once, and at Finish an export file, the tag of the inserted table and a settings file.
#include <string>

#include "engine/ExtractionEngine.h"
#include "kvui/CKvUiDialog.h"
#include "ui/GridListCtrl.h"
#include "resources/UiResources.h"
#include "ui/WizardState.h"

class DlgAssist5 : public CKvUiDialog, public PropertyPagesState {
public:
    static constexpr UINT IDD = IDD_ASSIST5;
    explicit DlgAssist5(CWnd* pParent = nullptr);

    SharedTable veTableDataOut;  // with the totals line last when bTotals; an empty row goes before it on opening
    bool bTotals = false;
    HandleBlockMap lsBlockTbRecId;

    std::u16string csExportPath;
    std::int32_t iExportType = 0;  // filter chosen: 1 CSV, 2 XLS
    std::u16string csSettingsPath;
    std::int32_t iInsertResult = 0;  // status of the last insertion-point request
    HeaderOrder veHeaderOrder;
    RowOrder veRowOrder;

protected:
    void DoDataExchange() override;
    BOOL OnInitDialog() override;

private:
    void OnInsertTable();
    void OnExportFile();
    void OnSettingsFile();
    void OnFinish();
    void OnPrevious();
    // The preview's visible columns in on-screen order, and its rows in on-screen order.
    HeaderOrder PreviewHeaderOrder() const;
    RowOrder PreviewRowOrder() const;

    GridListCtrl m_lstPreview;
};
