#include "app/startup/paths.h"

#include <shlobj.h>
#include <shlwapi.h>

#include <vector>

namespace kv::app {

AppPaths BuildAppPaths(const std::wstring& module_path) {
    AppPaths p;
    p.module_path = module_path;
    const size_t slash = module_path.find_last_of(L"\\/");
    if (slash == std::wstring::npos) {
        p.module_file_name = module_path;
    } else {
        p.module_folder = module_path.substr(0, slash + 1);
        p.module_file_name = module_path.substr(slash + 1);
    }
    const std::wstring& f = p.module_folder;
    const std::wstring skins = f + L"Skins\\";
    p.help_folder = f + L"Help\\";
    p.main_skin_ini = skins + L"Main.ini";
    p.profile_skin_ini = skins + L"Profile.ini";
    p.update_skin_ini = skins + L"UpdateDlg.ini";
    p.composite_skin_ini = skins + L"Composite.ini";
    p.main_skin_folder = p.profile_skin_folder = p.update_skin_folder = p.composite_skin_folder = skins;
    p.package_folder = f + L"Package";
    p.daemon_path = f + L"KbDaemon.exe";
    return p;
}

std::wstring CurrentModulePath() {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0) return {};
        if (n < buffer.size()) return std::wstring(buffer.data(), n);
        buffer.resize(buffer.size() * 2);  // long path: grow and ask again
    }
}

std::wstring EnsureUserSettingsFolder(HWND owner) {
    wchar_t base[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathW(owner, base, CSIDL_LOCAL_APPDATA, TRUE)) return {};
    std::wstring folder = base;
    if (!folder.empty() && folder.back() != L'\\') folder += L'\\';
    folder += kUserSettingsFolderName;
    if (!PathFileExistsW(folder.c_str())) CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

std::wstring ComputeUserSettingsIni(HWND owner) {
    std::wstring folder = EnsureUserSettingsFolder(owner);
    if (folder.empty()) return {};
    return folder + L"\\" + kUserSettingsFileName;
}

}  // namespace kv::app
