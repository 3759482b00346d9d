#pragma once
// The plug-in's dialog templates, side bitmap and icons, as one resource module of the
// user-interface platform. The module is in the platform's resource chain while the
// plug-in is loaded.
#include "kvui/KvUiResources.h"

// Dialog, bitmap and icon ids.
enum : int {
    IDD_ASSIST1 = 102,
    IDD_ASSIST2 = 103,
    IDB_SIDE = 109,
    IDD_ASSIST3 = 110,
    IDD_ASSIST4 = 111,
    IDD_ASSIST5 = 112,
    IDI_INSERT_TABLE = 132,
    IDI_DRAWING_FILE = 133,
    IDD_UPDATE = 135,
};

const KvUiResourceModule& DataExtractionUiResources();

// Parts of the module, one file each.
void AddDialogTemplates(KvUiResourceModule& module);
KvUiImage MakeSideBitmap();
KvUiImage MakeInsertTableIcon();
KvUiImage MakeDrawingFileIcon();
