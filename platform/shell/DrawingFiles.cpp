#include "DrawingFiles.h"

namespace {
DrawingFileHooks g_hooks;
}

void SetDrawingFileHooks(const DrawingFileHooks& hooks)
{
    g_hooks = hooks;
}
const DrawingFileHooks& GetDrawingFileHooks()
{
    return g_hooks;
}
