// The application's profile values: string values in one registry key per
// section under HKCU\Software\Kelvarin_Ostrand\Kelvarin, as the main window's
// flip state, the macro recorder's delay option and the profile list use them.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace kv::app {

inline constexpr wchar_t kCompanyKeyPath[] = L"Software\\Kelvarin_Ostrand";
inline constexpr wchar_t kAppKeyPath[] = L"Software\\Kelvarin_Ostrand\\Kelvarin";
inline constexpr wchar_t kProfilesSection[] = L"PROFILES";
inline constexpr wchar_t kFlipValue[] = L"Flip";

class ProfileValues {
  public:
    // `app_key` is the application's key (not owned), normally
    // HKCU\Software\Kelvarin_Ostrand\Kelvarin; null stores nothing.
    explicit ProfileValues(HKEY app_key) : app_key_(app_key) {}

    std::wstring GetString(const wchar_t* section, const wchar_t* entry, const wchar_t* fallback) const;
    bool WriteString(const wchar_t* section, const wchar_t* entry, const std::wstring& value) const;
    // Leading decimal digits of the string value; `fallback` when it is missing.
    int GetInt(const wchar_t* section, const wchar_t* entry, int fallback) const;

    // "Flip": any number but 0 is on; default off.
    bool ReadFlip() const;
    // Writes "1" for 1 and "0" for any other number.
    bool WriteFlip(int flip) const;

    // The record-delays option, stored under a value name that is a language text.
    bool ReadRecordDelays(const std::wstring& value_name) const;
    bool WriteRecordDelays(const std::wstring& value_name, bool on) const;

    // PROFILE00 = number of rows, PROFILE01.. = the paths; entries left over
    // from a longer earlier list are removed.
    bool WriteProfileList(const std::vector<std::wstring>& paths) const;

  private:
    HKEY app_key_;
};

// The name of a PROFILEnn value: "PROFILE" and n with at least two digits.
std::wstring ProfileListValueName(int n);

}  // namespace kv::app
