#pragma once
#include <cstddef>
#include <memory>
#include <string>

#include "dxf/DxfDocument.h"
#include "dxf/DxfError.h"

class KvDbDatabase;

// A drawing read from a file: the database the host works on and the file it came from.
struct DxfLoaded {
    std::unique_ptr<KvDbDatabase> database;
    std::unique_ptr<DxfDocument> document;
};

// Reads a DXF file (ASCII or binary, R12 to R2018). Throws DxfError with a message naming
// the file and, where it applies, the line; nothing is returned half-read.
DxfLoaded dxfReadFile(const std::string& path);
// The same from bytes already in memory (tests, fuzzing); name is used in messages.
DxfLoaded dxfReadBytes(std::string bytes, const std::string& name);
// Files are read a window of a few megabytes at a time; tests read with tiny windows so that
// records and tags fall across every kind of window boundary.
DxfLoaded dxfReadBytes(std::string bytes, const std::string& name, std::size_t windowBytes);
