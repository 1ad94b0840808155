// The program's registry places: the per-application profile strings and the
// per-user key that holds the language choice.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "app/startup/handles.h"

namespace kv::app {

inline constexpr wchar_t kCompanyKeyName[] = L"Kelvarin_Ostrand";
inline constexpr wchar_t kApplicationTitle[] = L"Kelvarin";
inline constexpr wchar_t kUserRegistryKeyPath[] = L"Software\\QX5307";

// "Software\Kelvarin_Ostrand\Kelvarin": one subkey per section, one value per entry.
std::wstring ProfileStringsRoot();

std::optional<std::wstring> ReadProfileString(const std::wstring& section, const std::wstring& entry);
bool WriteProfileString(const std::wstring& section, const std::wstring& entry, const std::wstring& value);

// Opens HKCU\Software\QX5307 for reading and writing, creating it when opening fails.
// An empty handle when both fail.
UniqueRegistryKey OpenUserRegistryKey();

}  // namespace kv::app
