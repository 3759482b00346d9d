// libFuzzer target: any bytes either read as a drawing or fail with a DxfError, and a
// drawing read and saved unchanged comes back byte for byte.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "dxf/DxfReader.h"
#include "dxf/DxfWriter.h"
#include "kv/KvDbDatabase.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    try {
        DxfLoaded loaded = dxfReadBytes(bytes, "fuzz.dxf");
        if (dxfWriteBytes(*loaded.database, *loaded.document) != bytes) std::abort();
    } catch (const DxfError&) {
    }
    return 0;
}
