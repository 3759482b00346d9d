#pragma once
// The drawing table the output page inserted last, kept for the whole module: a later
// insertion replaces it, and only this one is tagged when the wizard finishes.
#include "kv/KvDbObjectId.h"

KvDbObjectId& LastInsertedTable();
