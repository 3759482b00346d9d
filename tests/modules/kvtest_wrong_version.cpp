// A plug-in built for an older host interface: the host must refuse it before any message.
#include <cstdint>

extern "C" __attribute__((visibility("default"))) int kvrxEntryPoint(int, void*)
{
    return 3;
}

extern "C" __attribute__((visibility("default"))) std::uint32_t kvrxGetApiVersion()
{
    return 0x07E0000B;
}
