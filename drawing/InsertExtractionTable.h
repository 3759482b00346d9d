#pragma once
// The output page's "insert the table now": asks for a point and creates the table there.
#include "drawing/EditorInteraction.h"
#include "drawing/TableInsertRequest.h"

inline constexpr unsigned int kIdInsertionPrompt = 240;

// Turns command echo off, asks for the insertion point (in the current UCS) with the dialog
// hidden, and on a normal pick creates the table at the point in world coordinates.
// The request receives the pick's status and, on success, the new table.
void InsertExtractionTable(TableInsertRequest& request, EditorInteraction& ui);
