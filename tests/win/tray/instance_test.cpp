// Finding another running copy by its executable name and handing it a request.
#include "app/tray/instance.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cwctype>
#include <string>

#include "app/tray/instance_messages.h"

namespace kv::app {
namespace {

std::wstring OwnPath() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return path;
}

std::wstring FileNameOf(const std::wstring& path) { return path.substr(path.find_last_of(L"\\/") + 1); }

std::wstring Upper(std::wstring s) {
    for (wchar_t& c : s) c = static_cast<wchar_t>(std::towupper(c));
    return s;
}

// A suspended copy of this test executable, started from a private folder
// under a chosen file name: it sits in the process list and does nothing.
class SuspendedCopy {
  public:
    explicit SuspendedCopy(const std::wstring& file_name) {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        folder_ = std::wstring(temp) + L"kv_instance_" + std::to_wstring(GetCurrentProcessId()) + L"\\";
        CreateDirectoryW(folder_.c_str(), nullptr);
        exe_ = folder_ + file_name;
        CopyFileW(OwnPath().c_str(), exe_.c_str(), FALSE);
        STARTUPINFOW si{};
        si.cb = sizeof(si);
        std::wstring command = L"\"" + exe_ + L"\"";
        if (CreateProcessW(exe_.c_str(), command.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr,
                           nullptr, &si, &info_)) {
            started_ = true;
        }
    }
    ~SuspendedCopy() {
        if (started_) {
            TerminateProcess(info_.hProcess, 0);
            WaitForSingleObject(info_.hProcess, 10000);
            CloseHandle(info_.hThread);
            CloseHandle(info_.hProcess);
        }
        DeleteFileW(exe_.c_str());
        RemoveDirectoryW(folder_.c_str());
    }
    bool Started() const { return started_; }
    DWORD Pid() const { return info_.dwProcessId; }

  private:
    std::wstring folder_, exe_;
    PROCESS_INFORMATION info_{};
    bool started_ = false;
};

TEST(FindProcessByImageName, NeverFindsTheCaller) {
    const std::wstring own = FileNameOf(OwnPath());
    EXPECT_EQ(FindProcessByImageName(own), 0u) << "the caller found itself";
    EXPECT_EQ(FindProcessByImageName(Upper(own)), 0u);
    // Asked to skip nobody, the caller is a copy like any other.
    EXPECT_EQ(FindProcessByImageName(own, 0), GetCurrentProcessId());
}

TEST(FindProcessByImageName, FindsAnotherCopyWithTheSameNameInAnyFolder) {
    const std::wstring own = FileNameOf(OwnPath());
    SuspendedCopy copy(own);
    ASSERT_TRUE(copy.Started());
    EXPECT_EQ(FindProcessByImageName(own), copy.Pid());
    EXPECT_EQ(FindProcessByImageName(Upper(own)), copy.Pid()) << "names compare case-insensitively";
}

TEST(FindProcessByImageName, MatchesTheWholeFileName) {
    SuspendedCopy copy(L"kv_probe_copy.exe");
    ASSERT_TRUE(copy.Started());
    struct Case {
        const wchar_t* name;
        bool found;
    };
    const Case cases[] = {
        {L"kv_probe_copy.exe", true}, {L"KV_Probe_Copy.EXE", true},   {L"kv_probe_copy", false},
        {L"probe_copy.exe", false},   {L"kv_probe_copy.exe2", false}, {L"", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FindProcessByImageName(c.name) == copy.Pid(), c.found)
            << std::string(c.name, c.name + wcslen(c.name));
    }
}

// A top-level window of this process that records what it receives.
class RecordingWindow {
  public:
    explicit RecordingWindow(bool main_marker) {
        static const ATOM atom = [] {
            WNDCLASSW wc{};
            wc.lpfnWndProc = &RecordingWindow::Proc;
            wc.hInstance = GetModuleHandleW(nullptr);
            wc.lpszClassName = L"KvRecordingWindow";
            return RegisterClassW(&wc);
        }();
        hwnd_ = CreateWindowExW(0, MAKEINTATOM(atom), L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                GetModuleHandleW(nullptr), this);
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, main_marker ? static_cast<LONG_PTR>(kCodeMain) : 0);
    }
    ~RecordingWindow() { DestroyWindow(hwnd_); }
    HWND Hwnd() const { return hwnd_; }
    UINT message = 0;
    WPARAM wparam = 0;
    int calls = 0;

  private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
        if (msg == WM_NCCREATE) {
            SetPropW(hwnd, L"KvRecorder", reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
        } else if (msg == kMsgShow || msg == kMsgKill) {
            auto* self = static_cast<RecordingWindow*>(GetPropW(hwnd, L"KvRecorder"));
            self->message = msg;
            self->wparam = wparam;
            ++self->calls;
            return 0;
        } else if (msg == WM_NCDESTROY) {
            RemovePropW(hwnd, L"KvRecorder");
        }
        return DefWindowProcW(hwnd, msg, wparam, lparam);
    }
    HWND hwnd_ = nullptr;
};

TEST(DeliverInstanceRequest, SendsTheRequestOnlyToTheMarkedWindow) {
    struct Case {
        InstanceRequest request;
        UINT message;
        WPARAM code;
    };
    for (const Case& c : {Case{InstanceRequest::kOpen, kMsgShow, kCodeOpen},
                          Case{InstanceRequest::kKill, kMsgKill, kCodeKill}}) {
        RecordingWindow plain(false);
        RecordingWindow main(true);
        EXPECT_EQ(DeliverInstanceRequest(GetCurrentProcessId(), c.request), 1);
        EXPECT_EQ(plain.calls, 0);
        EXPECT_EQ(main.calls, 1);
        EXPECT_EQ(main.message, c.message);
        EXPECT_EQ(main.wparam, c.code);
    }
}

TEST(DeliverInstanceRequest, ReportsAProcessWithoutWindows) {
    SuspendedCopy copy(L"kv_windowless.exe");
    ASSERT_TRUE(copy.Started());
    EXPECT_EQ(DeliverInstanceRequest(copy.Pid(), InstanceRequest::kOpen), 0);
    EXPECT_EQ(FindMainWindowOf(copy.Pid()), nullptr);
}

}  // namespace
}  // namespace kv::app
