// Runs one kvcli command line: files through config_json, the keyboard
// through a KeyboardSession. The Win32 entry point supplies the keyboard
// (HidServ.dll) and the texts; tests supply the simulated keyboard.
#pragma once

#include <ostream>
#include <span>
#include <string>

#include "cli/exit_codes.h"
#include "device/commands.h"
#include "model/text_source.h"

namespace kv::cli {

class KeyboardAccess {
  public:
    virtual ~KeyboardAccess() = default;
    // The command set of the attached keyboard; nullptr, with the exit code
    // and a message, when there is none to use (or Kelvarin owns it).
    virtual device::Commands* Open(int* exit_code, std::string* message) = 0;
};

// `args` are the arguments after the program name, in UTF-8. Output in UTF-8.
int RunCli(std::span<const std::string> args, KeyboardAccess& keyboard, const model::TextSource& texts,
           std::ostream& out, std::ostream& err);

}  // namespace kv::cli
