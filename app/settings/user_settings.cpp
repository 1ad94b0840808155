#include "app/settings/user_settings.h"

#include <windows.h>

#include <climits>
#include <cstdint>

namespace kv::app {

int ReadIniNumber(const std::wstring& ini_file, const wchar_t* section, const wchar_t* key) {
    wchar_t buffer[260] = {};
    GetPrivateProfileStringW(section, key, L"0", buffer, static_cast<DWORD>(std::size(buffer)),
                             ini_file.c_str());
    const wchar_t* p = buffer;
    while (*p == L' ' || *p == L'\t') ++p;
    bool negative = false;
    if (*p == L'+' || *p == L'-') negative = *p++ == L'-';
    std::int64_t value = 0;
    for (; *p >= L'0' && *p <= L'9'; ++p) {
        value = value * 10 + (*p - L'0');
        if (value > INT_MAX) value = std::int64_t{INT_MAX} + 1;
    }
    if (negative) value = -value;
    return static_cast<int>(value < INT_MIN ? INT_MIN : value > INT_MAX ? INT_MAX : value);
}

int ReadDengCheck(const std::wstring& user_settings_ini) {
    return ReadIniNumber(user_settings_ini, kKeyColourSection, kDengCheckKey);
}

bool WriteDengCheck(const std::wstring& user_settings_ini, bool on) {
    return WritePrivateProfileStringW(kKeyColourSection, kDengCheckKey, on ? L"1" : L"0",
                                      user_settings_ini.c_str()) != FALSE;
}

}  // namespace kv::app
