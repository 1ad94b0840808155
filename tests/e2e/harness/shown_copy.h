// One running copy of the program for a whole group of checks: started with
// the simulated keyboard, read back, and its main window shown.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "harness/harness.h"

namespace kv::e2e {

class ShownCopy {
  public:
    // Starts the copy in the given language; Ready() tells whether it got as far as a shown window.
    explicit ShownCopy(DWORD language = ids::kEnglish, const std::function<void(ProgramCopy&)>& prepare = {});
    bool Ready() const { return main_ != nullptr; }
    HWND Main() const { return main_; }
    const Child& Process() const { return child_; }
    ProgramCopy& Copy() { return copy_; }
    // Why the copy is not ready, for the failure message.
    const std::string& Problem() const { return problem_; }

  private:
    ProgramCopy copy_{kSimulatedKeyboard};
    Child child_;
    HWND main_ = nullptr;
    std::string problem_;
};

}  // namespace kv::e2e
