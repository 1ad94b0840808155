// Finding a running copy of the program and handing it a request.
#pragma once

#include <windows.h>

#include <string_view>

namespace kv::app {

enum class InstanceRequest { kOpen = 0, kKill = 1 };

// First process (in the system's order) whose executable file name equals
// name, case-insensitively, folder ignored; 0 when none. The process whose id
// is skip_process (by default the caller) never matches: a copy must not find
// itself instead of the copy it is looking for.
DWORD FindProcessByImageName(std::wstring_view name, DWORD skip_process = GetCurrentProcessId());

// Sends the request synchronously to the first top-level window of the process
// that carries the main-window marker. 1 when the process has at least one
// top-level window, else 0.
int DeliverInstanceRequest(DWORD process_id, InstanceRequest request);

// The window of the process that carries the main-window marker, or nullptr.
HWND FindMainWindowOf(DWORD process_id);

}  // namespace kv::app
