#pragma once
#include <cstddef>
#include <cstdint>
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
// How a file is read. Files are read a window of a few megabytes at a time; the far half of a
// long ENTITIES section is read on a second thread at once. Tests read with tiny windows, so
// that records and tags fall across every kind of window boundary, and split small files
// anywhere: the drawing read and its errors are the same however it is read.
struct DxfReadOptions {
    std::size_t windowBytes = std::size_t(4) << 20;
    // Shorter files are read on one thread: starting another would not pay.
    std::uint64_t splitFileBytes = std::uint64_t(4) << 20;
    // Where the second thread's part is looked for (0: halfway from the section's start to the
    // file's end); it starts at the first record there that does not belong to the one before.
    std::uint64_t splitNear = 0;
    // Set, when not null, to where a part read by the second thread began, if one was taken.
    std::uint64_t* partTakenAt = nullptr;
};
DxfLoaded dxfReadBytes(std::string bytes, const std::string& name, const DxfReadOptions& options);
DxfLoaded dxfReadBytes(std::string bytes, const std::string& name, std::size_t windowBytes);
