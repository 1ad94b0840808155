// A private copy of Kelvarin.exe with a chosen device library in a temporary
// folder, and the processes started from it.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kv::e2e {

using namespace std::chrono_literals;

struct Child {
    HANDLE process = nullptr;
    DWORD pid = 0;
};

class ProgramCopy {
  public:
    // fixture: file name of a library in the stage folder, copied as "HidServ.dll";
    // empty: no library at all.
    explicit ProgramCopy(const std::wstring& fixture);
    ~ProgramCopy();  // ends every process still running, removes the folder
    ProgramCopy(const ProgramCopy&) = delete;
    ProgramCopy& operator=(const ProgramCopy&) = delete;

    const std::wstring& Folder() const { return folder_; }
    // Starts the copy with these arguments (after the program name).
    Child Launch(const std::wstring& args);

  private:
    std::wstring folder_;
    std::vector<Child> children_;
};

// The folder of the running test executable, with a trailing backslash.
std::wstring StageFolder();

// Polls until done() or the timeout; the last value of done().
bool WaitFor(const std::function<bool()>& done, std::chrono::milliseconds timeout);
// Exit code once the process has ended within the timeout.
std::optional<DWORD> WaitForExit(const Child& child, std::chrono::milliseconds timeout);
// Same, and meanwhile records whether the process ever showed a visible top-level window.
std::optional<DWORD> WaitForExitWatchingWindows(const Child& child, std::chrono::milliseconds timeout,
                                                bool* showed_window);

// Processes named Kelvarin.exe other than the caller.
int RunningProgramCount();

// Top-level window of the process that carries the main-window marker.
HWND FindMainWindow(DWORD pid);
bool HasVisibleWindow(DWORD pid);
// A visible top-level dialog (class "#32770") of the process with exactly this text.
HWND FindMessageBox(DWORD pid, const std::wstring& text);
// Whether the shell holds an icon for this window and id.
bool TrayIconPresent(HWND owner, UINT id);

}  // namespace kv::e2e
