#pragma once
#include <string>

#include "dxf/DxfDocument.h"
#include "dxf/DxfError.h"

class KvDbDatabase;

// The file content for the database as it stands: what did not change is copied from the
// file it was read from, the rest is regenerated. Throws DxfError when it cannot be saved.
std::string dxfWriteBytes(const KvDbDatabase& db, const DxfDocument& doc);

// Saves to path through a temporary file beside it, renamed over it only when complete (a
// symbolic link is written through, the replaced file keeps its permissions):
// on failure the target is as it was. Throws DxfError naming the file.
void dxfWriteFile(const KvDbDatabase& db, const DxfDocument& doc, const std::string& path);
