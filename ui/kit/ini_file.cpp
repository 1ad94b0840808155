#include "ui/kit/ini_file.h"

#include <windows.h>

#include <vector>

namespace kv::ui {

bool CIniFile::SetFile(std::wstring path) {
    if (path.size() > kMaxPath) {
        path_.clear();
        return false;
    }
    path_ = std::move(path);
    return true;
}

std::optional<std::wstring> CIniFile::GetString(const wchar_t* section, const wchar_t* key,
                                                const wchar_t* fallback) const {
    if (path_.empty() || !section || !key) return std::nullopt;
    std::vector<wchar_t> buffer(kValueCapacity, L'\0');
    GetPrivateProfileStringW(section, key, fallback ? fallback : L"", buffer.data(),
                             static_cast<DWORD>(buffer.size()), path_.c_str());
    std::wstring value(buffer.data());
    if (value.empty()) return std::nullopt;
    return value;
}

}  // namespace kv::ui
