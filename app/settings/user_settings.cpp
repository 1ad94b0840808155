#include "app/settings/user_settings.h"

#include <windows.h>

#include "model/decimal_text.h"

namespace kv::app {

int ReadIniNumber(const std::wstring& ini_file, const wchar_t* section, const wchar_t* key) {
    wchar_t buffer[260] = {};
    GetPrivateProfileStringW(section, key, L"0", buffer, static_cast<DWORD>(std::size(buffer)),
                             ini_file.c_str());
    return model::LeadingDecimal(buffer).value_or(0);
}

int ReadDengCheck(const std::wstring& user_settings_ini) {
    return ReadIniNumber(user_settings_ini, kKeyColourSection, kDengCheckKey);
}

bool WriteDengCheck(const std::wstring& user_settings_ini, bool on) {
    return WritePrivateProfileStringW(kKeyColourSection, kDengCheckKey, on ? L"1" : L"0",
                                      user_settings_ini.c_str()) != FALSE;
}

}  // namespace kv::app
