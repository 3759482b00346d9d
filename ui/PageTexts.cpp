#include "ui/PageTexts.h"

#include "host/ResString.h"

void SetPageTexts(CKpUiBaseDialog& dlg, unsigned int idTitle,
                  std::initializer_list<std::pair<int, unsigned int>> controlTexts)
{
    dlg.SetWindowText(LoadResString(idTitle));
    for (const auto& [idControl, idText] : controlTexts) dlg.SetDlgItemText(idControl, LoadResString(idText));
}
