#include "app/startup/user_settings_location.h"

#include "app/startup/paths.h"

namespace kv::app {

void UserSettingsLocation::Compute(HWND owner) {
    ini_.store(std::make_shared<const std::wstring>(ComputeUserSettingsIni(owner)));
}

std::wstring UserSettingsLocation::IniFile() const { return *ini_.load(); }

std::filesystem::path UserSettingsLocation::Path() const {
    std::wstring ini = IniFile();
    if (ini.empty()) ini = ComputeUserSettingsIni(nullptr);
    const std::wstring::size_type slash = ini.find_last_of(L"\\/");
    return std::filesystem::path(slash == std::wstring::npos ? std::wstring() : ini.substr(0, slash));
}

}  // namespace kv::app
