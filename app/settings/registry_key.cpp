#include "app/settings/registry_key.h"

#include <vector>

namespace kv::app {

RegKey& RegKey::operator=(RegKey&& other) noexcept {
    if (this != &other) {
        Close();
        key_ = other.Release();
    }
    return *this;
}

RegKey RegKey::Create(HKEY parent, const std::wstring& sub_key) {
    HKEY key = nullptr;
    if (!parent || RegCreateKeyExW(parent, sub_key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                   KEY_READ | KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return RegKey();
    }
    return RegKey(key);
}

RegKey RegKey::Open(HKEY parent, const std::wstring& sub_key, REGSAM access) {
    HKEY key = nullptr;
    if (!parent || RegOpenKeyExW(parent, sub_key.c_str(), 0, access, &key) != ERROR_SUCCESS) return RegKey();
    return RegKey(key);
}

HKEY RegKey::Release() {
    HKEY key = key_;
    key_ = nullptr;
    return key;
}

void RegKey::Close() {
    if (key_) RegCloseKey(key_);
    key_ = nullptr;
}

std::optional<std::uint32_t> ReadDword(HKEY key, const wchar_t* name) {
    if (!key) return std::nullopt;
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof(value);
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
            ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof(value)) {
        return std::nullopt;
    }
    return value;
}

bool WriteDword(HKEY key, const wchar_t* name, std::uint32_t value) {
    const DWORD v = value;
    return key && RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v), sizeof(v)) ==
                      ERROR_SUCCESS;
}

std::optional<std::wstring> ReadString(HKEY key, const wchar_t* name) {
    if (!key) return std::nullopt;
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ)) {
        return std::nullopt;
    }
    // The value may change between the two calls; retry a few times.
    for (int attempt = 0; attempt < 3; ++attempt) {
        std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1, L'\0');
        DWORD bytes = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
        const LONG rc =
            RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &bytes);
        if (rc == ERROR_MORE_DATA) {
            size = bytes;
            continue;
        }
        if (rc != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return std::nullopt;
        // Stored strings need not end in a terminator.
        std::wstring text(buffer.data(), bytes / sizeof(wchar_t));
        const std::size_t nul = text.find(L'\0');
        if (nul != std::wstring::npos) text.resize(nul);
        return text;
    }
    return std::nullopt;
}

bool WriteString(HKEY key, const wchar_t* name, const std::wstring& value) {
    const DWORD bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    return key && RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()), bytes) ==
                      ERROR_SUCCESS;
}

bool DeleteValue(HKEY key, const wchar_t* name) { return key && RegDeleteValueW(key, name) == ERROR_SUCCESS; }

}  // namespace kv::app
