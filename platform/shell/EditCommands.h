#pragma once
// kvhost's editing commands, so that a drawing can be changed without a CAD program (to try
// the update command, for one). They go through the host's programming interface as a
// plug-in would, work on entities of the drawing's layouts, and print what they did:
//   ERASE HANDLE...             erases the entities (a block reference with its attributes)
//   COPY HANDLE DX,DY[,DZ]      adds a copy of the entity moved by the offset (a block
//                               reference with copies of its attributes)
//   ATTEDIT HANDLE TAG VALUE    sets the text of one attribute of a block reference
// A command with a mistake in any of its arguments does nothing and says why.
class HostShell;

void AddEditCommands(HostShell& shell);
