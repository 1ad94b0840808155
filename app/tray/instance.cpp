#include "app/tray/instance.h"

#include <shlwapi.h>
#include <tlhelp32.h>

#include <string>

#include "app/startup/handles.h"
#include "app/tray/instance_messages.h"

namespace kv::app {

namespace {

bool IsMainWindow(HWND window) {
    return static_cast<uint32_t>(GetWindowLongPtrW(window, GWLP_USERDATA)) == kCodeMain;
}

DWORD OwnerProcess(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return pid;
}

}  // namespace

DWORD FindProcessByImageName(std::wstring_view name, DWORD skip_process) {
    UniqueKernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot || snapshot.Get() == INVALID_HANDLE_VALUE) {
        snapshot.Release();
        return 0;
    }
    const std::wstring wanted(name);
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL ok = Process32FirstW(snapshot.Get(), &entry); ok; ok = Process32NextW(snapshot.Get(), &entry)) {
        if (entry.th32ProcessID == skip_process) continue;
        // szExeFile is a bare file name on Windows; strip a folder anyway.
        if (StrCmpIW(PathFindFileNameW(entry.szExeFile), wanted.c_str()) == 0) return entry.th32ProcessID;
    }
    return 0;
}

HWND FindMainWindowOf(DWORD process_id) {
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
        if (OwnerProcess(w) == process_id && IsMainWindow(w)) return w;
    }
    return nullptr;
}

int DeliverInstanceRequest(DWORD process_id, InstanceRequest request) {
    int found_any = 0;
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
        if (OwnerProcess(w) != process_id) continue;
        found_any = 1;
        if (!IsMainWindow(w)) continue;
        if (request == InstanceRequest::kOpen)
            SendMessageW(w, kMsgShow, kCodeOpen, 0);
        else
            SendMessageW(w, kMsgKill, kCodeKill, 0);
        break;
    }
    return found_any;
}

}  // namespace kv::app
