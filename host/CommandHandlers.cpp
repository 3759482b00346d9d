#include "host/CommandHandlers.h"

#include "kvui/CWnd.h"
#include "ui/DlgAssist1.h"
#include "ui/DlgUpdateA1.h"

// The wizard's pages run one another from inside their own handlers: when the first page's
// modal run returns, the whole wizard is over.
void DataExtractionCommand()
{
    DlgAssist1 dlg(kpsw_kvmoMainWnd());
    dlg.DoModal();
}

void DataExtractionUpdateCommand()
{
    DlgUpdateA1 dlg(kpsw_kvmoMainWnd());
    dlg.DoModal();
}
