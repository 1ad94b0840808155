#include "app/startup/daemon.h"

#include <windows.h>
// Windows headers that need the one above:
#include <shellapi.h>
#include <shlwapi.h>

namespace kv::app {

void StartDaemon(const std::wstring& path) {
    // Not shipped: asking the shell to open a missing file could bring up an error box.
    if (path.empty() || !PathFileExistsW(path.c_str())) return;
    ShellExecuteW(nullptr, L"open", path.c_str(), L"", L"", SW_HIDE);
}

}  // namespace kv::app
