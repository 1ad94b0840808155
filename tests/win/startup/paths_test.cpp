#include "app/startup/paths.h"

#include <gtest/gtest.h>
#include <windows.h>
// Windows headers that need the one above:
#include <shlobj.h>
#include <shlwapi.h>

#include "app/startup/registry.h"

namespace kv::app {
namespace {

TEST(BuildAppPaths, EveryPathHangsOffTheExecutablesFolder) {
    const AppPaths p = BuildAppPaths(L"C:\\Program Files\\Kelvarin\\Kelvarin.exe");
    const std::wstring f = L"C:\\Program Files\\Kelvarin\\";
    EXPECT_EQ(p.module_file_name, L"Kelvarin.exe");
    EXPECT_EQ(p.module_folder, f);
    EXPECT_EQ(p.help_folder, f + L"Help\\");
    EXPECT_EQ(p.main_skin_ini, f + L"Skins\\Main.ini");
    EXPECT_EQ(p.profile_skin_ini, f + L"Skins\\Profile.ini");
    EXPECT_EQ(p.update_skin_ini, f + L"Skins\\UpdateDlg.ini");
    EXPECT_EQ(p.composite_skin_ini, f + L"Skins\\Composite.ini");
    EXPECT_EQ(p.main_skin_folder, f + L"Skins\\");
    EXPECT_EQ(p.package_folder, f + L"Package");
    EXPECT_EQ(p.daemon_path, f + L"KbDaemon.exe");
}

TEST(BuildAppPaths, SplitsAtTheLastSeparator) {
    struct Case {
        const wchar_t* path;
        const wchar_t* folder;
        const wchar_t* file;
    };
    const Case cases[] = {
        {L"D:\\a\\b.c\\K.exe", L"D:\\a\\b.c\\", L"K.exe"},
        {L"D:/a/K.exe", L"D:/a/", L"K.exe"},
        {L"K.exe", L"", L"K.exe"},
        {L"\\\\server\\share\\K.exe", L"\\\\server\\share\\", L"K.exe"},
    };
    for (const Case& c : cases) {
        const AppPaths p = BuildAppPaths(c.path);
        EXPECT_EQ(p.module_folder, c.folder);
        EXPECT_EQ(p.module_file_name, c.file);
    }
}

TEST(UserSettingsIni, LivesInItsOwnFolderWhichIsCreated) {
    wchar_t base[MAX_PATH] = {};
    ASSERT_TRUE(SHGetSpecialFolderPathW(nullptr, base, 28, TRUE));
    const std::wstring folder = std::wstring(base) + L"\\QX5307";
    RemoveDirectoryW(folder.c_str());  // only succeeds when empty; fine either way
    const std::wstring ini = ComputeUserSettingsIni(nullptr);
    EXPECT_EQ(ini, folder + L"\\wskb.ini");
    EXPECT_TRUE(PathIsDirectoryW(folder.c_str()));
}

TEST(ProfileStrings, RoundTripUnderTheApplicationsKey) {
    const std::wstring section = L"KvTestSection" + std::to_wstring(GetCurrentProcessId());
    EXPECT_FALSE(ReadProfileString(section, L"Entry").has_value());
    ASSERT_TRUE(WriteProfileString(section, L"Entry", L"value \x4E2D"));
    EXPECT_EQ(ReadProfileString(section, L"Entry").value_or(L"?"), L"value \x4E2D");
    const std::wstring path = L"Software\\Kelvarin_Ostrand\\Kelvarin\\" + section;
    wchar_t buffer[64] = {};
    DWORD bytes = sizeof(buffer);
    EXPECT_EQ(RegGetValueW(HKEY_CURRENT_USER, path.c_str(), L"Entry", RRF_RT_REG_SZ, nullptr, buffer, &bytes),
              ERROR_SUCCESS);
    RegDeleteKeyW(HKEY_CURRENT_USER, path.c_str());
}

TEST(UserRegistryKey, IsCreatedWhenMissing) {
    RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\QX5307");
    UniqueRegistryKey key = OpenUserRegistryKey();
    ASSERT_TRUE(key);
    EXPECT_EQ(RegSetValueExW(key.Get(), L"KvProbe", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"1"), 4),
              ERROR_SUCCESS);
    RegDeleteValueW(key.Get(), L"KvProbe");
}

}  // namespace
}  // namespace kv::app
