#pragma once
// Where kvhost reads and writes drawing files. The drawing-file code registers its reader
// and writer here at start-up (see main.cpp); without them kvhost works on new drawings only.
#include <memory>
#include <string>

class KvDbDatabase;

struct DrawingFileHooks {
    // Reads a drawing into a new database; null with a one-line reason on failure.
    std::unique_ptr<KvDbDatabase> (*read)(const std::string& path, std::string& error) = nullptr;
    // Writes the database (to a temporary file, then renamed); false with a reason.
    bool (*write)(const KvDbDatabase& db, const std::string& path, std::string& error) = nullptr;
};

void SetDrawingFileHooks(const DrawingFileHooks& hooks);
const DrawingFileHooks& GetDrawingFileHooks();
