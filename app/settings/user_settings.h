// The per-user settings file ("wskb.ini" in the per-user folder): the
// lighting panel switch "DengCheck" of section "KEYCOLOR".
#pragma once

#include <string>

namespace kv::app {

inline constexpr wchar_t kKeyColourSection[] = L"KEYCOLOR";
inline constexpr wchar_t kDengCheckKey[] = L"DengCheck";

// Leading decimal digits of an INI value (blanks and a sign allowed); 0 when
// there are none or the value is missing. Values too large for int clamp.
int ReadIniNumber(const std::wstring& ini_file, const wchar_t* section, const wchar_t* key);

// 1 when the lighting panel is switched on; a missing value reads as 0.
int ReadDengCheck(const std::wstring& user_settings_ini);

// Writes "1" or "0". False when the file cannot be written.
bool WriteDengCheck(const std::wstring& user_settings_ini, bool on);

}  // namespace kv::app
