// The program's command-line switches.
#pragma once

#include <span>
#include <string>
#include <vector>

namespace kv::app {

struct StartSwitches {
    bool kill = false;   // "/Kill": end the running copy, then this process
    bool start = false;  // "/Start": stay in the tray when the keyboard is found
};

// Reads switches from the second argument on (the first names the program),
// case-insensitively; anything else is ignored.
StartSwitches ParseStartSwitches(std::span<const std::wstring> args);

// The process's arguments split the way the shell splits them.
std::vector<std::wstring> ProcessArguments();

}  // namespace kv::app
