#include "app/tray/command_line.h"

#include <windows.h>
// Windows headers that need the one above:
#include <shellapi.h>
#include <shlwapi.h>

namespace kv::app {

StartSwitches ParseStartSwitches(std::span<const std::wstring> args) {
    StartSwitches switches;
    for (size_t i = 1; i < args.size(); ++i) {
        if (StrCmpIW(args[i].c_str(), L"/Kill") == 0)
            switches.kill = true;
        else if (StrCmpIW(args[i].c_str(), L"/Start") == 0)
            switches.start = true;
    }
    return switches;
}

std::vector<std::wstring> ProcessArguments() {
    int count = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::wstring> args;
    if (!argv) return args;
    args.assign(argv, argv + count);
    LocalFree(argv);
    return args;
}

}  // namespace kv::app
