#include "kv/KvProgress.h"

namespace {
KvProgressSink* g_pSink = nullptr;
}

void kvSetProgressSink(KvProgressSink* sink)
{
    g_pSink = sink;
}

KvProgressSink* kvProgressSink()
{
    return g_pSink;
}

KvProgress::KvProgress(const std::u16string& what, std::uint64_t total) : m_pSink(g_pSink)
{
    if (m_pSink != nullptr) m_pSink->begin(what, total);
}

KvProgress::~KvProgress()
{
    if (m_pSink != nullptr) m_pSink->end();
}
