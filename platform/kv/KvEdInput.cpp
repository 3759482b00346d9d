#include "kv/KvConsole.h"
#include "kv/KvEdFunctions.h"
#include "kv/KvEdInputProvider.h"

namespace {
KvEdInputProvider* g_pProvider = nullptr;
}

void kvedSetInputProvider(KvEdInputProvider* provider)
{
    g_pProvider = provider;
}
KvEdInputProvider* kvedInputProvider()
{
    return g_pProvider;
}

int kvedGetPoint(const double* basePoint, const char16_t* prompt, double result[3])
{
    if (g_pProvider == nullptr) return RTCAN;
    const std::u16string csPrompt = prompt ? prompt : u"\nSpecify a point: ";
    KvConsole::instance().write(csPrompt);
    KvGePoint3d base;
    if (basePoint) base = KvGePoint3d(basePoint[0], basePoint[1], basePoint[2]);
    KvGePoint3d point;
    const int rc = g_pProvider->getPoint(csPrompt, basePoint ? &base : nullptr, point);
    if (rc == RTNORM) {
        result[0] = point.x;
        result[1] = point.y;
        result[2] = point.z;
    }
    return rc;
}
