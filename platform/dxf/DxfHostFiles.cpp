#include "dxf/DxfHostFiles.h"

#include <map>

#include "dxf/DxfReader.h"
#include "dxf/DxfWriter.h"
#include "kv/KvDbDatabase.h"

namespace {

// The file each open drawing came from, which the writer copies what did not change from.
// Keyed by the drawing's first object id: ids are never reused in a session, addresses are.
struct OpenDrawing {
    const KvDbDatabase* db;
    std::unique_ptr<DxfDocument> document;
};
std::map<std::uint64_t, OpenDrawing>& openDrawings()
{
    static std::map<std::uint64_t, OpenDrawing> drawings;
    return drawings;
}

std::uint64_t keyOf(const KvDbDatabase& db)
{
    return db.allObjects().empty() ? 0 : db.allObjects().front().serial();
}

}  // namespace

std::unique_ptr<KvDbDatabase> dxfOpenDrawing(const std::string& path, std::string& error)
{
    try {
        DxfLoaded loaded = dxfReadFile(path);
        // Drawings no longer open (their database is gone) release their file.
        auto& drawings = openDrawings();
        for (auto it = drawings.begin(); it != drawings.end();) {
            const KvDbDatabase* db = it->second.db;
            KvDbObjectId first(it->first);
            if (first.database() != db)
                it = drawings.erase(it);
            else
                ++it;
        }
        drawings[keyOf(*loaded.database)] = OpenDrawing{loaded.database.get(), std::move(loaded.document)};
        return std::move(loaded.database);
    } catch (const DxfError& e) {
        error = e.what();
    } catch (const std::bad_alloc&) {
        error = path + ": not enough memory to read the drawing";
    }
    return nullptr;
}

bool dxfSaveDrawing(const KvDbDatabase& db, const std::string& path, std::string& error)
{
    auto it = openDrawings().find(keyOf(db));
    if (it == openDrawings().end() || it->second.db != &db) {
        error = path + ": only drawings opened from a DXF file can be saved";
        return false;
    }
    try {
        dxfWriteFile(db, *it->second.document, path);
        return true;
    } catch (const DxfError& e) {
        error = e.what();
    } catch (const std::bad_alloc&) {
        error = path + ": not enough memory to save the drawing";
    }
    return false;
}
