// Session-change notifications (lock, unlock, connect, disconnect): the window
// registers for them and accepts them without any effect.
#pragma once

#include <windows.h>

namespace kv::app {

// Registers `window` for this session's changes; nothing when WtsApi32.dll or
// its function is missing. The library is loaded for this call only.
void RegisterSessionNotifications(HWND window);

}  // namespace kv::app
