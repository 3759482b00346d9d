#include "ExcelFormat/XlsStore.h"

#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-outfile.h>
#include <gsf/gsf-output-memory.h>
#include <gsf/gsf-output.h>
#include <gsf/gsf-utils.h>

#include <mutex>

#include "kv/KvReplaceFile.h"

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

StorageFile::StorageFile() = default;

StorageFile::~StorageFile()
{
    if (HasContainer()) CloseContainer();
}

bool StorageFile::CreateContainer(const std::u16string& csPath)
{
    if (HasContainer()) CloseContainer();
    InitGsfOnce();
    m_csError.clear();
    // The file beside the target is made now, so that a path that cannot be written fails
    // before the workbook is built.
    m_pFile = std::make_unique<KvReplaceFile>(csPath);
    if (!m_pFile->IsOpen()) {
        m_csError = m_pFile->ErrorText();
        m_pFile.reset();
        return false;
    }
    m_pSink = gsf_output_memory_new();
    m_pRoot = m_pSink ? gsf_outfile_msole_new_full(m_pSink, kBigBlockSize, kSmallBlockSize) : nullptr;
    if (!m_pRoot) {
        DiscardContainer();
        m_csError = "cannot make the compound document";
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
        m_csError = "cannot write the workbook stream";
        return false;
    }
    for (auto& [csName, pStream] : m_streams) {
        gsf_output_close(pStream);
        g_object_unref(pStream);
    }
    m_streams.clear();
    bool bStored = gsf_output_close(GSF_OUTPUT(m_pRoot)) && !gsf_output_error(m_pSink);
    if (bStored) {
        const auto* pBytes = gsf_output_memory_get_bytes(GSF_OUTPUT_MEMORY(m_pSink));
        const auto nSize = static_cast<std::size_t>(gsf_output_size(m_pSink));
        m_pFile->Write(std::string_view(reinterpret_cast<const char*>(pBytes), nSize));
        bStored = m_pFile->Commit();
        if (!bStored) m_csError = m_pFile->ErrorText();
    } else {
        m_csError = "cannot make the compound document";
    }
    Release();
    return bStored;
}

void StorageFile::DiscardContainer()
{
    for (auto& [csName, pStream] : m_streams) {
        gsf_output_close(pStream);
        g_object_unref(pStream);
    }
    m_streams.clear();
    if (m_pRoot) gsf_output_close(GSF_OUTPUT(m_pRoot));
    Release();
}

void StorageFile::Release()
{
    if (m_pRoot) g_object_unref(m_pRoot);
    if (m_pSink) g_object_unref(m_pSink);
    m_pRoot = nullptr;
    m_pSink = nullptr;
    m_pFile.reset();  // discards what was not committed
    m_bFailed = false;
}

}  // namespace XlsStore
