#pragma once
// kvhost's drawing commands: OPEN path, SAVE, SAVEAS path (through the drawing-file hooks).
class HostShell;

void AddDrawingCommands(HostShell& shell);
