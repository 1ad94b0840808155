#include "harness/program_copy.h"

#include <shellapi.h>
#include <shlobj.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cwchar>
#include <filesystem>
#include <thread>

#include "harness/ids.h"

namespace kv::e2e {

std::wstring StageFolder() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring s = path;
    return s.substr(0, s.find_last_of(L"\\/") + 1);
}

PrivatePlace MakePrivatePlace(const std::wstring& prefix) {
    static int counter = 0;
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring tag = std::to_wstring(GetCurrentProcessId()) + L"_" + std::to_wstring(++counter);
    PrivatePlace place{std::wstring(temp) + prefix + tag + L"\\", L"\\\\.\\pipe\\" + prefix + tag};
    CreateDirectoryW(place.folder.c_str(), nullptr);
    return place;
}

ProgramCopy::ProgramCopy(const std::wstring& fixture) {
    const PrivatePlace place = MakePrivatePlace(L"kv_e2e_");
    folder_ = place.folder;
    sim_pipe_ = place.pipe;
    const std::wstring stage = StageFolder();
    if (!CopyFileW((stage + L"Kelvarin.exe").c_str(), (folder_ + L"Kelvarin.exe").c_str(), FALSE))
        std::fprintf(stderr, "copying Kelvarin.exe into %ls failed (error %lu)\n", folder_.c_str(),
                     GetLastError());
    if (!fixture.empty()) CopyFileW((stage + fixture).c_str(), (folder_ + L"HidServ.dll").c_str(), FALSE);
    std::error_code error;
    namespace fs = std::filesystem;
    fs::copy(fs::path(stage + L"Skins"), fs::path(folder_ + L"Skins"), fs::copy_options::recursive, error);
    for (const wchar_t* lang : {L"Lang0409.ini", L"Lang0804.ini", L"Lang0404.ini"})
        CopyFileW((stage + lang).c_str(), (folder_ + lang).c_str(), FALSE);
}

ProgramCopy::~ProgramCopy() {
    for (Child& c : children_) {
        if (WaitForSingleObject(c.process, 0) == WAIT_TIMEOUT) {
            TerminateProcess(c.process, 1);
            WaitForSingleObject(c.process, 10000);
        }
        CloseHandle(c.process);
    }
    std::error_code error;
    std::filesystem::remove_all(std::filesystem::path(folder_), error);
}

bool ProgramCopy::RemoveFile(const std::wstring& relative) {
    return DeleteFileW((folder_ + relative).c_str()) != FALSE;
}

Child ProgramCopy::Launch(const std::wstring& args) {
    std::wstring exe = folder_ + L"Kelvarin.exe";
    std::wstring command = L"\"" + exe + L"\"" + (args.empty() ? L"" : L" " + args);
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    Child child;
    // The child inherits these; they only concern the simulated keyboard.
    SetEnvironmentVariableW(L"KELVARIN_SIM_STATE", L"none");
    SetEnvironmentVariableW(L"KELVARIN_SIM_PIPE", sim_pipe_.c_str());
    SetEnvironmentVariableW(L"KELVARIN_SIM_UNPLUGGED", unplugged_ ? L"1" : nullptr);
    // Wine now and then refuses a start while the previous copy's process is
    // still being torn down; a few tries keep that from failing a test.
    for (int attempt = 0; attempt < 5; ++attempt) {
        if (CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder_.c_str(),
                           &si, &pi)) {
            CloseHandle(pi.hThread);
            child = Child{pi.hProcess, pi.dwProcessId};
            children_.push_back(child);
            return child;
        }
        std::fprintf(stderr, "starting %ls failed (error %lu), try %d\n", exe.c_str(), GetLastError(),
                     attempt + 1);
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
    }
    return child;
}

std::optional<std::string> SimCommand(const std::wstring& pipe, const std::string& line,
                                      std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    HANDLE handle = INVALID_HANDLE_VALUE;
    for (;;) {
        handle =
            CreateFileW(pipe.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        if (handle != INVALID_HANDLE_VALUE) break;
        if (std::chrono::steady_clock::now() >= end) return std::nullopt;
        if (GetLastError() == ERROR_PIPE_BUSY)
            WaitNamedPipeW(pipe.c_str(), 100);
        else
            Sleep(50);
    }
    std::optional<std::string> answer;
    DWORD mode = PIPE_READMODE_MESSAGE;
    DWORD written = 0;
    if (SetNamedPipeHandleState(handle, &mode, nullptr, nullptr) &&
        WriteFile(handle, line.data(), static_cast<DWORD>(line.size()), &written, nullptr)) {
        std::string text;
        char buffer[4096];
        for (;;) {
            DWORD got = 0;
            const BOOL ok = ReadFile(handle, buffer, sizeof buffer, &got, nullptr);
            text.append(buffer, got);
            if (ok) {
                answer = text;
                break;
            }
            if (GetLastError() != ERROR_MORE_DATA) break;
        }
    }
    CloseHandle(handle);
    return answer;
}

std::wstring WorkingProfileFile() {
    wchar_t base[MAX_PATH] = {};
    SHGetSpecialFolderPathW(nullptr, base, CSIDL_LOCAL_APPDATA, TRUE);
    return std::wstring(base) + L"\\QX5307\\$Profile0";
}

bool FileExists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

long long FileSize(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return -1;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

bool SimOk(const std::wstring& pipe, const std::string& line) {
    const std::optional<std::string> answer = SimCommand(pipe, line);
    return answer && answer->rfind("ok", 0) == 0;
}

void ChooseLanguage(DWORD language_id) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\QX5307", 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExW(key, L"dwLanguageId", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&language_id),
                   sizeof language_id);
    RegCloseKey(key);
}

void ChooseEnglish() { ChooseLanguage(ids::kEnglish); }

std::wstring LanguageText(DWORD language_id, const wchar_t* section, const wchar_t* key) {
    wchar_t file[32] = {};
    swprintf(file, 32, L"Lang%04X.ini", static_cast<unsigned>(language_id));
    wchar_t text[260] = {};
    GetPrivateProfileStringW(section, key, L"#Error", text, 260, (StageFolder() + file).c_str());
    return text;
}

std::wstring EnglishText(const wchar_t* key) { return LanguageText(ids::kEnglish, L"TEXT", key); }

int RunningProgramCount() {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return 0;
    int count = 0;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL ok = Process32FirstW(snapshot, &entry); ok; ok = Process32NextW(snapshot, &entry))
        if (_wcsicmp(entry.szExeFile, L"Kelvarin.exe") == 0) ++count;
    CloseHandle(snapshot);
    return count;
}

}  // namespace kv::e2e
