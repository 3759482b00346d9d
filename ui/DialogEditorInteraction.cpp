#include "ui/DialogEditorInteraction.h"

#include "kvui/CFileDialog.h"

bool DialogEditorInteraction::AskSaveFile(const std::u16string& csFilter, const std::u16string& csInitialName,
                                          std::u16string& csPath, int& iFilterIndex)
{
    CFileDialog dlg(FALSE, nullptr, csInitialName.c_str(), OFN_HIDEREADONLY, csFilter.c_str(), &m_dialog);
    if (dlg.DoModal() != IDOK) return false;
    csPath = dlg.GetPathName();
    iFilterIndex = static_cast<int>(dlg.m_ofn.nFilterIndex);
    return true;
}
