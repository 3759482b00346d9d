#pragma once
// kvhost's drawing commands: OPEN path, SAVE, SAVEAS path (through the drawing-file hooks) and
// RENDER (a picture of the drawing). The file of the drawing being edited is locked for this
// session; a drawing another session has open is edited read-only: SAVE is refused, SAVEAS to
// another file works.
#include <memory>
#include <string>

class HostShell;
class KvDbDatabase;

void AddDrawingCommands(HostShell& shell);

// Reads the drawing at path and makes its file this session's: locked, or read-only when
// another session holds it. Null with the reason when it cannot be read; the drawing open
// so far then keeps its file.
std::unique_ptr<KvDbDatabase> OpenDrawingFile(const std::string& path, std::string& error);
// The line to show after opening when the drawing is read-only; empty otherwise.
std::string ReadOnlyNotice();
