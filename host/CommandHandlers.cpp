#include "host/CommandHandlers.h"

#include "kv/KvConsole.h"

// The wizard and the update dialog are not built yet; the commands say so instead of
// pretending to work.
void DataExtractionCommand()
{
    kvutPrintf(u"%s", u"\nThe data extraction wizard is not available yet.");
}

void DataExtractionUpdateCommand()
{
    kvutPrintf(u"%s", u"\nThe data extraction update dialog is not available yet.");
}
