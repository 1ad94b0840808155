// Every file and folder the program finds beside its executable, and the
// per-user settings file.
#pragma once

#include <windows.h>

#include <string>

namespace kv::app {

struct AppPaths {
    std::wstring module_path;       // full path of the executable
    std::wstring module_file_name;  // "Kelvarin.exe": how other copies are recognised
    std::wstring module_folder;     // drive and directory, with a trailing backslash
    std::wstring help_folder;
    std::wstring main_skin_ini, main_skin_folder;
    std::wstring profile_skin_ini, profile_skin_folder;
    std::wstring update_skin_ini, update_skin_folder;
    std::wstring composite_skin_ini, composite_skin_folder;
    std::wstring package_folder;  // no trailing backslash
    std::wstring daemon_path;
};

// Splits the executable's path; a path without any folder yields an empty folder.
AppPaths BuildAppPaths(const std::wstring& module_path);
// Path of the running executable.
std::wstring CurrentModulePath();

// Name of the per-user settings folder inside the local application-data folder.
inline constexpr wchar_t kUserSettingsFolderName[] = L"QX5307";
inline constexpr wchar_t kUserSettingsFileName[] = L"wskb.ini";

// The per-user settings folder, created when missing (also before every
// profile-file operation). Empty when the shell cannot name the base folder.
std::wstring EnsureUserSettingsFolder(HWND owner);
// The per-user settings file in that folder; empty as above.
std::wstring ComputeUserSettingsIni(HWND owner);

}  // namespace kv::app
