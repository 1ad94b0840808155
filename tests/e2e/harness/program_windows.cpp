#include "harness/program_windows.h"

#include <shellapi.h>

#include "harness/controls.h"
#include "harness/ids.h"
#include "harness/wait.h"

namespace kv::e2e {

namespace {

DWORD OwnerOf(HWND w) {
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    return pid;
}

// EnumWindows works on a snapshot of the list; a GetWindow walk loses its place
// (and misses windows) when the program creates, hides or reorders one meanwhile.
template <typename Pred>
HWND FindTopLevel(Pred pred) {
    struct Search {
        Pred* pred;
        HWND found;
    } search{&pred, nullptr};
    EnumWindows(
        [](HWND w, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            if (!(*s->pred)(w)) return TRUE;
            s->found = w;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

HWND FindMainWindow(DWORD pid) {
    return FindTopLevel([pid](HWND w) {
        return OwnerOf(w) == pid && GetWindowLongPtrW(w, GWLP_USERDATA) == ids::kMainMarker;
    });
}

HWND FindWindowWithControls(DWORD pid, std::initializer_list<int> control_ids) {
    return FindTopLevel([&](HWND w) {
        if (OwnerOf(w) != pid) return false;
        for (int id : control_ids)
            if (!GetDlgItem(w, id)) return false;
        return true;
    });
}

bool HasVisibleWindow(DWORD pid) {
    return FindTopLevel([pid](HWND w) { return OwnerOf(w) == pid && IsWindowVisible(w); }) != nullptr;
}

HWND FindMessageBox(DWORD pid, const std::wstring& text) {
    return FindTopLevel([&](HWND w) {
        if (OwnerOf(w) != pid || !IsWindowVisible(w) || ClassOf(w) != L"#32770") return false;
        // The text sits in a static child of the box.
        for (HWND c = GetWindow(w, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
            if (TextOf(c) == text) return true;
        return false;
    });
}

bool AnswerMessageBox(DWORD pid, const std::wstring& text, int answer, std::chrono::milliseconds timeout) {
    HWND box = nullptr;
    if (!WaitFor([&] { return (box = FindMessageBox(pid, text)) != nullptr; }, timeout)) return false;
    PostMessageW(box, WM_COMMAND, static_cast<WPARAM>(answer), 0);
    return WaitFor([&] { return !IsWindow(box); }, timeout);
}

bool TrayIconPresent(HWND owner, UINT id) {
    // A modify that changes nothing succeeds only for an icon the shell holds.
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = owner;
    data.uID = id;
    data.uFlags = 0;
    return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

HWND WaitUntilReady(DWORD pid, std::chrono::milliseconds timeout) {
    HWND main = nullptr;
    WaitFor(
        [&] {
            main = FindMainWindow(pid);
            return main && TrayIconPresent(main, ids::kTrayIconId);
        },
        timeout);
    return main && TrayIconPresent(main, ids::kTrayIconId) ? main : nullptr;
}

}  // namespace kv::e2e
