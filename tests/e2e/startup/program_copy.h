// A private copy of Kelvarin.exe with a chosen device library in a temporary
// folder, and the processes started from it.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kv::e2e {

using namespace std::chrono_literals;

struct Child {
    HANDLE process = nullptr;
    DWORD pid = 0;
};

// The simulated keyboard's library in the stage folder.
inline const std::wstring kSimulatedKeyboard = L"HidServ.dll";

class ProgramCopy {
  public:
    // fixture: file name of a library in the stage folder, copied as "HidServ.dll";
    // empty: no library at all. The skins and language files come along.
    // The simulated keyboard keeps no state file and listens on a pipe of its own.
    explicit ProgramCopy(const std::wstring& fixture);
    ~ProgramCopy();  // ends every process still running, removes the folder
    ProgramCopy(const ProgramCopy&) = delete;
    ProgramCopy& operator=(const ProgramCopy&) = delete;

    const std::wstring& Folder() const { return folder_; }
    // Control pipe of the simulated keyboard of the copies started from here.
    const std::wstring& SimPipe() const { return sim_pipe_; }
    // Removes a file of the copy, e.g. L"Skins\\Arrow.jpg".
    bool RemoveFile(const std::wstring& relative);
    // The simulated keyboard starts unplugged.
    void StartUnplugged() { unplugged_ = true; }
    // Starts the copy with these arguments (after the program name).
    Child Launch(const std::wstring& args);

  private:
    std::wstring folder_;
    std::wstring sim_pipe_;
    bool unplugged_ = false;
    std::vector<Child> children_;
};

// One command to the simulated keyboard (as kbsim sends it); its answer, whose
// first line is "ok" on success; nothing when no simulator answered in time.
std::optional<std::string> SimCommand(const std::wstring& pipe, const std::string& line,
                                      std::chrono::milliseconds timeout = 10s);

// The per-user folder's working profile file ("$Profile0"), as the program names it.
std::wstring WorkingProfileFile();
bool FileExists(const std::wstring& path);
long long FileSize(const std::wstring& path);

// Makes English the stored language of the program and returns a text of
// section "TEXT" from the staged English language file.
void ChooseEnglish();
std::wstring EnglishText(const wchar_t* key);

// The folder of the running test executable, with a trailing backslash.
std::wstring StageFolder();

// A new empty folder in the temporary folder, named by the prefix, the
// process and a counter (with a trailing backslash), and a simulator control
// pipe named the same way.
struct PrivatePlace {
    std::wstring folder;
    std::wstring pipe;
};
PrivatePlace MakePrivatePlace(const std::wstring& prefix);

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
