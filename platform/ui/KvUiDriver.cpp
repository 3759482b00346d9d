#include "kvui/KvUiDriver.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "kv/KvString.h"

namespace {
KvUiDriver* g_pDriver = nullptr;

// Why nothing can be saved in the folder, or empty: a file is made there and removed again,
// which answers for permissions, read-only file systems and full quotas alike.
std::string FolderWriteProblem(const std::filesystem::path& folder)
{
    std::string probe = (folder / ".kvwrite-XXXXXX").string();
    const int fd = ::mkstemp(probe.data());
    if (fd < 0) return std::strerror(errno);
    ::close(fd);
    ::unlink(probe.c_str());
    return {};
}
}  // namespace

void kvuiSetDriver(KvUiDriver* driver)
{
    g_pDriver = driver;
}

KvUiDriver* kvuiDriver()
{
    return g_pDriver;
}

KvUiPendingMenuChoice& kvuiPendingMenuChoice()
{
    static KvUiPendingMenuChoice pending;
    return pending;
}

std::string kvuiCheckFileAnswer(const KvUiFileRequest& request, KvUiFileAnswer& answer)
{
    if (answer.path.empty()) return "the file dialog needs a file name";
    int count = static_cast<int>(request.filters.size());
    if (answer.filterIndex < 1 || (count > 0 && answer.filterIndex > count) || (count == 0 && answer.filterIndex != 1))
        return "the file dialog has no file type " + std::to_string(answer.filterIndex) + " (it offers " +
               std::to_string(count == 0 ? 1 : count) + ")";
    std::filesystem::path path(kvToUtf8(answer.path));
    if (!request.defExt.empty() && !path.has_extension()) path += "." + kvToUtf8(request.defExt);
    std::error_code ec;
    std::filesystem::path full = std::filesystem::absolute(path, ec);
    if (ec) return "cannot make a full path of '" + path.string() + "'";
    full = full.lexically_normal();
    if ((request.flags & OFN_FILEMUSTEXIST) && !std::filesystem::is_regular_file(full, ec))
        return "the file '" + full.string() + "' does not exist";
    const bool bSave = !request.bOpen;
    if ((bSave || (request.flags & OFN_PATHMUSTEXIST)) && !std::filesystem::is_directory(full.parent_path(), ec))
        return "the folder '" + full.parent_path().string() + "' does not exist";
    if (bSave) {
        if (std::filesystem::is_directory(full, ec)) return "'" + full.string() + "' is a folder, not a file name";
        const std::string why = FolderWriteProblem(full.parent_path());
        if (!why.empty()) return "the folder '" + full.parent_path().string() + "' cannot be written (" + why + ")";
    }
    answer.path = kvFromUtf8(full.string());
    return {};
}

std::u16string kvuiOverwriteQuestion(const KvUiFileRequest& request, const KvUiFileAnswer& answer)
{
    std::error_code ec;
    if (request.bOpen || !(request.flags & OFN_OVERWRITEPROMPT) ||
        !std::filesystem::exists(std::filesystem::path(kvToUtf8(answer.path)), ec))
        return {};
    return answer.path + u" already exists.\nDo you want to replace it?";
}

std::string kvuiCheckMessageBoxAnswer(UINT type, int answer)
{
    switch (type & MB_TYPEMASK) {
    case MB_YESNO: return answer == IDYES || answer == IDNO ? std::string() : "the message box asks yes or no";
    case MB_OKCANCEL: return answer == IDOK ? std::string() : "the message box offers only ok (or cancel)";
    default: return answer == IDOK ? std::string() : "the message box offers only ok";
    }
}
