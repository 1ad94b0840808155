// kvcli's exit codes, as the README documents them.
#pragma once

namespace kv::cli {

enum ExitCode : int {
    kExitDone = 0,
    kExitBadInput = 1,     // bad command line, or a file that is not a configuration
    kExitNoKeyboard = 2,   // no keyboard found, or it does not answer
    kExitBusy = 3,         // Kelvarin is running and owns the keyboard
    kExitWriteFailed = 4,  // a file or the keyboard could not be written
};

}  // namespace kv::cli
