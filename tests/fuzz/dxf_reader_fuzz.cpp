// libFuzzer target: any bytes either read as a drawing or fail with a DxfError, a drawing
// read and saved unchanged comes back byte for byte, and reading through small windows
// gives the same outcome as reading in one go.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "dxf/DxfReader.h"
#include "dxf/DxfWriter.h"
#include "kv/KvDbDatabase.h"

namespace {
std::string outcome(const std::string& bytes, std::size_t window)
{
    try {
        DxfLoaded loaded = dxfReadBytes(bytes, "fuzz.dxf", window);
        if (dxfWriteBytes(*loaded.database, *loaded.document) != bytes) std::abort();
        return "read";
    } catch (const DxfError& e) {
        return e.what();
    }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string bytes(reinterpret_cast<const char*>(data), size);
    if (outcome(bytes, 4 << 20) != outcome(bytes, 32 + size % 61)) std::abort();
    return 0;
}
