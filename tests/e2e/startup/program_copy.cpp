#include "program_copy.h"

#include <shellapi.h>
#include <tlhelp32.h>

#include <thread>

namespace kv::e2e {

namespace {

constexpr LONG_PTR kMainMarker = 0x4D41494E;

DWORD OwnerOf(HWND w) {
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    return pid;
}

template <typename Pred>
HWND FindTopLevel(Pred pred) {
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT))
        if (pred(w)) return w;
    return nullptr;
}

std::wstring WindowText(HWND w) {
    wchar_t text[512] = {};
    GetWindowTextW(w, text, 512);
    return text;
}

}  // namespace

std::wstring StageFolder() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring s = path;
    return s.substr(0, s.find_last_of(L"\\/") + 1);
}

ProgramCopy::ProgramCopy(const std::wstring& fixture) {
    static int counter = 0;
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    folder_ = std::wstring(temp) + L"kv_e2e_" + std::to_wstring(GetCurrentProcessId()) + L"_" +
              std::to_wstring(++counter) + L"\\";
    CreateDirectoryW(folder_.c_str(), nullptr);
    const std::wstring stage = StageFolder();
    CopyFileW((stage + L"Kelvarin.exe").c_str(), (folder_ + L"Kelvarin.exe").c_str(), FALSE);
    if (!fixture.empty()) CopyFileW((stage + fixture).c_str(), (folder_ + L"HidServ.dll").c_str(), FALSE);
}

ProgramCopy::~ProgramCopy() {
    for (Child& c : children_) {
        if (WaitForSingleObject(c.process, 0) == WAIT_TIMEOUT) {
            TerminateProcess(c.process, 1);
            WaitForSingleObject(c.process, 10000);
        }
        CloseHandle(c.process);
    }
    for (const wchar_t* name : {L"Kelvarin.exe", L"HidServ.dll"}) DeleteFileW((folder_ + name).c_str());
    RemoveDirectoryW(folder_.c_str());
}

Child ProgramCopy::Launch(const std::wstring& args) {
    std::wstring exe = folder_ + L"Kelvarin.exe";
    std::wstring command = L"\"" + exe + L"\"" + (args.empty() ? L"" : L" " + args);
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    Child child;
    if (CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder_.c_str(), &si,
                       &pi)) {
        CloseHandle(pi.hThread);
        child = Child{pi.hProcess, pi.dwProcessId};
        children_.push_back(child);
    }
    return child;
}

bool WaitFor(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        if (std::chrono::steady_clock::now() >= end) return done();
        std::this_thread::sleep_for(20ms);
    }
    return true;
}

std::optional<DWORD> WaitForExitWatchingWindows(const Child& child, std::chrono::milliseconds timeout,
                                                bool* showed_window) {
    if (!child.process) return std::nullopt;
    const auto end = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (showed_window && HasVisibleWindow(child.pid)) *showed_window = true;
        if (WaitForSingleObject(child.process, 10) == WAIT_OBJECT_0) break;
        if (std::chrono::steady_clock::now() >= end) return std::nullopt;
    }
    DWORD code = 0;
    GetExitCodeProcess(child.process, &code);
    return code;
}

std::optional<DWORD> WaitForExit(const Child& child, std::chrono::milliseconds timeout) {
    return WaitForExitWatchingWindows(child, timeout, nullptr);
}

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

HWND FindMainWindow(DWORD pid) {
    return FindTopLevel(
        [pid](HWND w) { return OwnerOf(w) == pid && GetWindowLongPtrW(w, GWLP_USERDATA) == kMainMarker; });
}

bool HasVisibleWindow(DWORD pid) {
    return FindTopLevel([pid](HWND w) { return OwnerOf(w) == pid && IsWindowVisible(w); }) != nullptr;
}

HWND FindMessageBox(DWORD pid, const std::wstring& text) {
    return FindTopLevel([&](HWND w) {
        if (OwnerOf(w) != pid || !IsWindowVisible(w)) return false;
        wchar_t cls[64] = {};
        GetClassNameW(w, cls, 64);
        if (std::wstring(cls) != L"#32770") return false;
        // The text sits in a static child of the box.
        for (HWND c = GetWindow(w, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
            if (WindowText(c) == text) return true;
        return false;
    });
}

bool TrayIconPresent(HWND owner, UINT id) {
    // A modify that changes nothing succeeds only for an icon the shell holds.
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = owner;
    data.uID = id;
    data.uFlags = 0;
    return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

}  // namespace kv::e2e
