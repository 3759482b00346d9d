#pragma once
// What the update-choice dialog hands to the update modes.
#include "engine/PropertyCatalog.h"
#include "kv/KvResbuf.h"

struct UpdateDialogState {
    // The picked table; both parts 0 (no table) until a pick succeeds.
    kv_name enTable = {0, 0};
    bool bTableSelected = false;
    // Special column names and kind names in the interface language.
    PropertyCatalog catalog;
};
