// The setup program as a user's machine meets it, in a fresh Wine prefix. The
// tests run in order and build on each other: install, run, reinstall over a
// running copy, end it, uninstall.
#include <gtest/gtest.h>
#include <shlobj.h>

#include <chrono>
#include <cstdio>
#include <filesystem>

#include "harness/harness.h"

namespace kv::e2e {
namespace {

constexpr auto kSetupLimit = 120s;
constexpr auto kStartLimit = 90s;
const wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Kelvarin";

std::wstring Env(const wchar_t* name) {
    wchar_t value[1024] = {};
    const DWORD n = GetEnvironmentVariableW(name, value, 1024);
    return n > 0 && n < 1024 ? value : L"";
}

std::wstring KnownFolder(int csidl) {
    wchar_t path[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

const std::wstring& InstallFolder() {
    static const std::wstring folder = KnownFolder(CSIDL_PROGRAM_FILES) + L"\\Kelvarin\\";
    return folder;
}

std::wstring Shortcut() { return KnownFolder(CSIDL_COMMON_PROGRAMS) + L"\\Kelvarin.lnk"; }
std::wstring UserFolder() { return KnownFolder(CSIDL_LOCAL_APPDATA) + L"\\QX5307"; }

std::optional<std::wstring> RegistryText(HKEY root, const wchar_t* key, const wchar_t* value) {
    wchar_t data[1024] = {};
    DWORD size = sizeof data;
    if (RegGetValueW(root, key, value, RRF_RT_REG_SZ, nullptr, data, &size) != ERROR_SUCCESS)
        return std::nullopt;
    return std::wstring(data);
}

bool KeyExists(HKEY root, const wchar_t* key) {
    HKEY opened = nullptr;
    if (RegOpenKeyExW(root, key, 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
    RegCloseKey(opened);
    return true;
}

Child Start(const std::wstring& exe, const std::wstring& args, const std::wstring& folder) {
    std::wstring command = L"\"" + exe + L"\"" + (args.empty() ? L"" : L" " + args);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &si, &pi))
        return {};
    CloseHandle(pi.hThread);
    return {pi.hProcess, pi.dwProcessId};
}

// Runs the setup program silently; its exit code and how long it took.
std::optional<DWORD> RunSetup(const std::wstring& args, double* seconds) {
    const auto begin = std::chrono::steady_clock::now();
    const Child setup = Start(Env(L"KV_INSTALLER"), L"/S " + args, L"");
    const auto code = WaitForExit(setup, kSetupLimit);
    *seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    if (setup.process) CloseHandle(setup.process);
    return code;
}

// The installed program, started as the Start menu would, once it sits in the tray.
Child StartInstalledProgram() {
    const Child child = Start(InstallFolder() + L"Kelvarin.exe", L"", InstallFolder());
    if (child.process) WaitUntilReady(child.pid, kStartLimit);
    return child;
}

// Whether the file holds this text as UTF-16, as the library builds store their names.
bool HoldsWideText(const std::wstring& path, const std::wstring& text) {
    HANDLE file =
        CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    std::string bytes(static_cast<size_t>(FileSize(path)), '\0');
    DWORD got = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
    CloseHandle(file);
    const std::string needle(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
    return bytes.find(needle) != std::string::npos;
}

// What became of a started copy, for a failure message.
std::string Describe(const Child& child) {
    DWORD code = STILL_ACTIVE;
    if (child.process) GetExitCodeProcess(child.process, &code);
    std::string text = "pid " + std::to_string(child.pid);
    text += code == STILL_ACTIVE ? " still running" : " ended with code " + std::to_string(code);
    text += FindMainWindow(child.pid) ? ", main window present" : ", no main window";
    return text + "; " + std::to_string(RunningProgramCount()) + " copies running";
}

void Figure(const char* name, double value, const char* unit) {
    std::printf("figure: %s %.2f %s\n", name, value, unit);
    std::fflush(stdout);
}

const std::vector<std::wstring> kInstalledFiles = {
    L"Kelvarin.exe",     L"HidServ.dll",     L"kvhid.exe",        L"kvcli.exe",
    L"Lang0409.ini",     L"Lang0804.ini",    L"Lang0404.ini",     L"Uninstall.exe",
    L"Help\\index.html", L"Skins\\Main.ini", L"Skins\\Arrow.jpg",
};

TEST(Installer, InstallsSilentlyWithoutAutostartWhenAskedTo) {
    const std::wstring setup = Env(L"KV_INSTALLER");
    ASSERT_TRUE(FileExists(setup)) << "build the installer first (target installer)";
    Figure("installer size", FileSize(setup) / 1048576.0, "MiB");
    double seconds = 0;
    const auto code = RunSetup(L"/AUTOSTART=0", &seconds);
    ASSERT_TRUE(code.has_value()) << "the setup program kept running";
    EXPECT_EQ(*code, 0u);
    Figure("install time", seconds, "s");
    for (const std::wstring& file : kInstalledFiles)
        EXPECT_TRUE(FileExists(InstallFolder() + file)) << std::filesystem::path(file).string();
    EXPECT_FALSE(FileExists(InstallFolder() + L"kbsim.exe")) << "the simulator's tool is not for users";
    EXPECT_TRUE(HoldsWideText(InstallFolder() + L"HidServ.dll", L"KelvarinHidServDeviceWatch"))
        << "the installed library is not the hid build";
    EXPECT_FALSE(HoldsWideText(InstallFolder() + L"HidServ.dll", L"KelvarinKbSim"));
    EXPECT_TRUE(FileExists(Shortcut()));
    EXPECT_FALSE(RegistryText(HKEY_CURRENT_USER, kRunKey, L"Kelvarin").has_value());
    EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, kUninstallKey, L"DisplayVersion").value_or(L""), L"1.0.0");
    EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, kUninstallKey, L"UninstallString").value_or(L""),
              L"\"" + InstallFolder() + L"Uninstall.exe\"");
}

TEST(Installer, TheInstalledProgramStartsIntoTheTray) {
    const Child program = StartInstalledProgram();
    ASSERT_NE(program.process, nullptr);
    const HWND main = FindMainWindow(program.pid);
    ASSERT_NE(main, nullptr) << Describe(program);
    EXPECT_TRUE(TrayIconPresent(main, ids::kTrayIconId));
    EXPECT_FALSE(IsWindowVisible(main)) << "no keyboard: the window stays in the tray";
    // The per-user folder exists now; a backup of the user's sits in it.
    EXPECT_TRUE(WaitFor([] { return FileExists(UserFolder()); }, 10s));
    HANDLE backup = CreateFileW((UserFolder() + L"\\mine.kvp").c_str(), GENERIC_WRITE, 0, nullptr,
                                CREATE_ALWAYS, 0, nullptr);
    EXPECT_NE(backup, INVALID_HANDLE_VALUE);
    CloseHandle(backup);
    // Left running: the next install must end it first.
}

TEST(Installer, ReinstallingEndsTheRunningCopyAndSetsAutostart) {
    ASSERT_EQ(RunningProgramCount(), 1);
    double seconds = 0;
    const auto code = RunSetup(L"", &seconds);
    ASSERT_TRUE(code.has_value());
    EXPECT_EQ(*code, 0u);
    EXPECT_TRUE(WaitFor([] { return RunningProgramCount() == 0; }, 10s))
        << "the copy that ran during the install was not ended";
    EXPECT_EQ(RegistryText(HKEY_CURRENT_USER, kRunKey, L"Kelvarin").value_or(L""),
              L"\"" + InstallFolder() + L"Kelvarin.exe\" /Start");
    for (const std::wstring& file : kInstalledFiles)
        EXPECT_TRUE(FileExists(InstallFolder() + file)) << std::filesystem::path(file).string();
}

TEST(Installer, TheInstalledProgramEndsWithKill) {
    const Child program = StartInstalledProgram();
    ASSERT_NE(FindMainWindow(program.pid), nullptr) << Describe(program);
    const Child killer = Start(InstallFolder() + L"Kelvarin.exe", L"/Kill", InstallFolder());
    const auto killer_code = WaitForExit(killer, 60s);
    ASSERT_TRUE(killer_code.has_value());
    EXPECT_EQ(*killer_code, 0u);
    const auto code = WaitForExit(program, 60s);
    ASSERT_TRUE(code.has_value()) << "the installed program did not end on /Kill";
    EXPECT_EQ(*code, 0u);
}

TEST(Installer, UninstallingEndsTheProgramAndRemovesWhatWasInstalled) {
    const Child program = StartInstalledProgram();
    ASSERT_NE(FindMainWindow(program.pid), nullptr) << Describe(program);
    const auto begin = std::chrono::steady_clock::now();
    const Child uninstaller = Start(InstallFolder() + L"Uninstall.exe", L"/S", L"");
    ASSERT_NE(uninstaller.process, nullptr);
    // The uninstaller runs on from a copy of itself; the folder's going is the sign it is done.
    ASSERT_TRUE(
        WaitFor([] { return !FileExists(InstallFolder()) && !KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey); },
                kSetupLimit))
        << "the uninstaller left the install folder or its registry entry";
    Figure("uninstall time", std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count(),
           "s");
    const auto code = WaitForExit(program, 10s);
    EXPECT_TRUE(code.has_value()) << "the running copy was not ended";
    EXPECT_FALSE(FileExists(Shortcut()));
    EXPECT_FALSE(RegistryText(HKEY_CURRENT_USER, kRunKey, L"Kelvarin").has_value());
    EXPECT_TRUE(FileExists(UserFolder())) << "the per-user folder must stay";
    EXPECT_TRUE(FileExists(UserFolder() + L"\\mine.kvp"));
}

}  // namespace
}  // namespace kv::e2e
