#include "ExcelFormat/XlsStore.h"

#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-outfile.h>
#include <gsf/gsf-output-stdio.h>
#include <gsf/gsf-output.h>
#include <gsf/gsf-utils.h>

#include <mutex>

#include "kv/KvString.h"

namespace XlsStore {

namespace {
constexpr guint kBigBlockSize = 512;  // version 3
constexpr guint kSmallBlockSize = 64;

void InitGsfOnce()
{
    static std::once_flag once;
    std::call_once(once, [] { gsf_init(); });
}
}  // namespace

StorageFile::~StorageFile()
{
    if (HasContainer()) CloseContainer();
}

bool StorageFile::CreateContainer(const std::u16string& csPath)
{
    if (HasContainer()) CloseContainer();
    InitGsfOnce();
    const std::string csUtf8 = kvToUtf8(csPath);
    if (csUtf8.empty()) return false;
    GError* pError = nullptr;
    // The stdio sink writes a temporary file in the target's folder and renames it on close.
    m_pSink = gsf_output_stdio_new(csUtf8.c_str(), &pError);
    if (!m_pSink) {
        if (pError) g_error_free(pError);
        return false;
    }
    m_pRoot = gsf_outfile_msole_new_full(m_pSink, kBigBlockSize, kSmallBlockSize);
    if (!m_pRoot) {
        DiscardContainer();
        return false;
    }
    m_bFailed = false;
    return true;
}

int StorageFile::AddStream(const std::string& csName)
{
    if (!HasContainer() || m_streams.count(csName)) return -1;
    GsfOutput* pStream = gsf_outfile_new_child(m_pRoot, csName.c_str(), FALSE);
    if (!pStream) return -1;
    // libgsf writes a stream once, from start to end: keep it open until its content comes.
    m_streams[csName] = pStream;
    return 1;
}

int StorageFile::WriteStream(const std::string& csName, const std::uint8_t* pData, std::size_t nSize)
{
    auto it = m_streams.find(csName);
    if (it == m_streams.end()) return -1;
    GsfOutput* pStream = it->second;
    m_streams.erase(it);
    const bool bWritten = gsf_output_write(pStream, nSize, pData) && gsf_output_close(pStream);
    g_object_unref(pStream);
    if (!bWritten) m_bFailed = true;
    return bWritten ? 1 : -1;
}

bool StorageFile::CloseContainer()
{
    if (!HasContainer()) return false;
    if (m_bFailed) {
        // A stream is incomplete: keep the old file rather than store a damaged one.
        DiscardContainer();
        return false;
    }
    for (auto& [csName, pStream] : m_streams) {
        gsf_output_close(pStream);
        g_object_unref(pStream);
    }
    m_streams.clear();
    const bool bClosed = gsf_output_close(GSF_OUTPUT(m_pRoot)) && !gsf_output_error(m_pSink);
    Release();
    return bClosed;
}

void StorageFile::DiscardContainer()
{
    if (m_pSink) {
        // A sink in error removes its temporary file on close instead of renaming it.
        gsf_output_set_error(m_pSink, 0, "discarded");
        for (auto& [csName, pStream] : m_streams) {
            gsf_output_close(pStream);
            g_object_unref(pStream);
        }
        m_streams.clear();
        if (m_pRoot)
            gsf_output_close(GSF_OUTPUT(m_pRoot));
        else
            gsf_output_close(m_pSink);
    }
    Release();
}

void StorageFile::Release()
{
    if (m_pRoot) g_object_unref(m_pRoot);
    if (m_pSink) g_object_unref(m_pSink);
    m_pRoot = nullptr;
    m_pSink = nullptr;
    m_bFailed = false;
}

}  // namespace XlsStore
