// A private copy of Kelvarin.exe with a chosen device library in a temporary
// folder, the processes started from it, its simulated keyboard, and the
// files and settings it uses.
#pragma once

#include <windows.h>

#include <chrono>
#include <optional>
#include <string>

#include "harness/wait.h"

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
    // The copy's main skin file.
    std::wstring MainSkin() const { return folder_ + L"Skins\\Main.ini"; }
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
// True when the simulator answered "ok".
bool SimOk(const std::wstring& pipe, const std::string& line);

// The per-user folder's working profile file ("$Profile0"), as the program names it.
std::wstring WorkingProfileFile();
bool FileExists(const std::wstring& path);
long long FileSize(const std::wstring& path);

// Makes the language the stored language of the program ("dwLanguageId").
void ChooseLanguage(DWORD language_id);
void ChooseEnglish();
// A text of the staged language file of that language ("#Error" when missing).
std::wstring LanguageText(DWORD language_id, const wchar_t* section, const wchar_t* key);
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

// Processes named Kelvarin.exe other than the caller.
int RunningProgramCount();

}  // namespace kv::e2e
