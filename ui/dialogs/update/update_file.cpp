#include "ui/dialogs/update/update_file.h"

#include <cwchar>
#include <system_error>

namespace kv::ui {

bool IsRunnableUpdateFile(const std::wstring& path) {
    constexpr std::wstring_view kExtension = L".exe";
    if (path.size() <= kExtension.size()) return false;
    const std::wstring tail = path.substr(path.size() - kExtension.size());
    if (CompareStringOrdinal(tail.c_str(), static_cast<int>(tail.size()), kExtension.data(),
                             static_cast<int>(kExtension.size()), TRUE) != CSTR_EQUAL)
        return false;
    std::error_code error;
    return std::filesystem::is_regular_file(std::filesystem::path(path), error);
}

std::wstring AutoBackupName(const SYSTEMTIME& t) {
    wchar_t name[64];
    std::swprintf(name, std::size(name), L"Before update %04u-%02u-%02u %02u%02u%02u.kvp", t.wYear, t.wMonth,
                  t.wDay, t.wHour, t.wMinute, t.wSecond);
    return name;
}

}  // namespace kv::ui
