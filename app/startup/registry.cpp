#include "app/startup/registry.h"

namespace kv::app {

namespace {

constexpr REGSAM kReadWrite = KEY_READ | KEY_WRITE;  // 0x2001F

}  // namespace

std::wstring ProfileStringsRoot() {
    return std::wstring(L"Software\\") + kCompanyKeyName + L"\\" + kApplicationTitle;
}

std::optional<std::wstring> ReadProfileString(const std::wstring& section, const std::wstring& entry) {
    const std::wstring path = ProfileStringsRoot() + L"\\" + section;
    DWORD bytes = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, path.c_str(), entry.c_str(), RRF_RT_REG_SZ, nullptr, nullptr,
                     &bytes) != ERROR_SUCCESS)
        return std::nullopt;
    std::wstring value(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = static_cast<DWORD>(value.size() * sizeof(wchar_t));
    if (RegGetValueW(HKEY_CURRENT_USER, path.c_str(), entry.c_str(), RRF_RT_REG_SZ, nullptr, value.data(),
                     &bytes) != ERROR_SUCCESS)
        return std::nullopt;
    value.resize(wcsnlen(value.c_str(), value.size()));
    return value;
}

bool WriteProfileString(const std::wstring& section, const std::wstring& entry, const std::wstring& value) {
    const std::wstring path = ProfileStringsRoot() + L"\\" + section;
    HKEY raw = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, kReadWrite, nullptr, &raw, nullptr) !=
        ERROR_SUCCESS)
        return false;
    UniqueRegistryKey key(raw);
    const DWORD bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(key.Get(), entry.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          bytes) == ERROR_SUCCESS;
}

UniqueRegistryKey OpenUserRegistryKey() {
    HKEY raw = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kUserRegistryKeyPath, 0, kReadWrite, &raw) == ERROR_SUCCESS)
        return UniqueRegistryKey(raw);
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kUserRegistryKeyPath, 0, nullptr, 0, kReadWrite, nullptr, &raw,
                        nullptr) == ERROR_SUCCESS)
        return UniqueRegistryKey(raw);
    return {};
}

}  // namespace kv::app
