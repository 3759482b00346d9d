#include "resources/UiResources.h"

const KvUiResourceModule& DataExtractionUiResources()
{
    static const KvUiResourceModule module = [] {
        KvUiResourceModule m;
        AddDialogTemplates(m);
        m.bitmaps[IDB_SIDE] = MakeSideBitmap();
        m.icons[IDI_INSERT_TABLE] = MakeInsertTableIcon();
        m.icons[IDI_DRAWING_FILE] = MakeDrawingFileIcon();
        return m;
    }();
    return module;
}

namespace {
// Loading the plug-in puts its resources in the chain; unloading takes them out.
struct ResourceChainEntry {
    ResourceChainEntry() { kvuiAddResourceModule(&DataExtractionUiResources()); }
    ~ResourceChainEntry() { kvuiRemoveResourceModule(&DataExtractionUiResources()); }
} g_resourceChainEntry;
}  // namespace
