#pragma once
// The update command's four ways of bringing an extraction table up to date.
#include "drawing/EditorInteraction.h"
#include "drawing/UpdateDialogState.h"

inline constexpr unsigned int kIdSelectTable = 166;
inline constexpr unsigned int kIdTableUpdated = 238;
inline constexpr unsigned int kIdTableUpToDate = 239;
inline constexpr unsigned int kIdSelectNewObjects = 253;
inline constexpr unsigned int kIdNewSelection = 254;

// Asks the user to pick a table (single pick of a table entity) with the dialog hidden; on
// success the state holds it and its flag is set.
void SelectTable(UpdateDialogState& state, EditorInteraction& ui);

// Mode 1: re-reads the drawing and rewrites the changed cells of the picked table in place.
void UpdateSelectedTable(UpdateDialogState& state, EditorInteraction& ui);

// Mode 2: adds newly picked objects not yet in the table and rebuilds it.
void AddObjectsToTable(UpdateDialogState& state, EditorInteraction& ui);

// Mode 3: rebuilds the table from a new selection alone.
void ReplaceTableSelection(UpdateDialogState& state, EditorInteraction& ui);

// Mode 4: writes the table's texts as they stand to a CSV or XLS file chosen by the user.
void UpdateExportation(UpdateDialogState& state, EditorInteraction& ui);
