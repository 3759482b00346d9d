#include "kvui/KvUiMessageBox.h"

#include "kvui/KvUiDriver.h"

int AfxMessageBox(const std::u16string& text, UINT nType)
{
    KvUiDriver* driver = kvuiDriver();
    if (!driver) return kvuiDefaultMessageBoxAnswer(nType);
    return driver->MessageBox({text, u"", nType});
}

int kvuiDefaultMessageBoxAnswer(UINT nType)
{
    switch (nType & MB_TYPEMASK) {
    case MB_YESNO: return IDNO;  // a question left unanswered is not a yes
    case MB_OKCANCEL: return IDCANCEL;
    default: return IDOK;
    }
}
