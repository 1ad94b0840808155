#include "app/tray/session_events.h"

#include "app/startup/handles.h"

namespace kv::app {

void RegisterSessionNotifications(HWND window) {
    using Register = BOOL(WINAPI*)(HWND, DWORD);
    UniqueModule wts(LoadLibraryW(L"WtsApi32.dll"));
    if (!wts) return;
    auto reg = reinterpret_cast<Register>(
        reinterpret_cast<void*>(GetProcAddress(wts.Get(), "WTSRegisterSessionNotification")));
    if (reg) reg(window, 0 /* this session only */);
}

}  // namespace kv::app
