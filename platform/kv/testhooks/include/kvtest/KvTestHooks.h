#pragma once
// Fault injection for the host's own tests and the plug-in's: make the host refuse
// operations the way a real host sometimes does.
namespace KvTestHooks {
// After n more successful table cell writes (text or block), writes are rejected;
// a negative n turns rejection off.
void rejectTableCellWritesAfter(int n);
// Rejects every column width change while set.
void rejectColumnWidths(bool reject);
// Makes recomputeTableBlock fail while set.
void rejectTableRecompute(bool reject);
// Restores normal behaviour.
void reset();
}  // namespace KvTestHooks
