// A private copy of kvcli.exe with the simulated keyboard's HidServ.dll, whose
// memory lives in a state file of the copy's own, and kvcli runs from it.
#pragma once

#include <windows.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "sim/keyboard_memory.h"

namespace kv::e2e {

struct CliRun {
    DWORD code = 0xFFFFFFFF;  // no exit code: it did not end in time
    std::string out;
    std::string err;
};

class CliCopy {
  public:
    CliCopy();
    ~CliCopy();  // removes the folder
    CliCopy(const CliCopy&) = delete;
    CliCopy& operator=(const CliCopy&) = delete;

    const std::wstring& Folder() const { return folder_; }
    std::string Path(const std::string& name) const;  // a file in the folder, in UTF-8
    void WriteText(const std::string& name, const std::string& text) const;
    bool Exists(const std::string& name) const;
    std::string ReadText(const std::string& name) const;

    // Runs kvcli.exe with these arguments and waits for it to end.
    CliRun Run(const std::vector<std::string>& args,
               std::chrono::milliseconds timeout = std::chrono::seconds(60));

    // The simulated keyboard's memory as its state file holds it (factory
    // content before any write).
    std::optional<sim::KeyboardMemory> Memory() const;

  private:
    std::wstring folder_;
    std::wstring state_file_;
    std::wstring pipe_;
    int runs_ = 0;
};

}  // namespace kv::e2e
