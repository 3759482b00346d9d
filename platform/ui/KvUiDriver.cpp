#include "kvui/KvUiDriver.h"

#include <filesystem>
#include <system_error>

#include "kv/KvString.h"

namespace {
KvUiDriver* g_pDriver = nullptr;
}

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
    if ((request.flags & OFN_PATHMUSTEXIST) && !std::filesystem::is_directory(full.parent_path(), ec))
        return "the folder '" + full.parent_path().string() + "' does not exist";
    answer.path = kvFromUtf8(full.string());
    return {};
}

std::string kvuiCheckMessageBoxAnswer(UINT type, int answer)
{
    switch (type & MB_TYPEMASK) {
    case MB_YESNO: return answer == IDYES || answer == IDNO ? std::string() : "the message box asks yes or no";
    case MB_OKCANCEL: return answer == IDOK ? std::string() : "the message box offers only ok (or cancel)";
    default: return answer == IDOK ? std::string() : "the message box offers only ok";
    }
}
