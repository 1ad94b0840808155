#include "harness/file_dialog.h"

#include "harness/controls.h"
#include "harness/wait.h"

namespace kv::e2e {

namespace {

DWORD OwnerOf(HWND w) {
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    return pid;
}

struct Search {
    HWND edit = nullptr;
    bool list = false;
};

BOOL CALLBACK Visit(HWND child, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    const std::wstring cls = ClassOf(child);
    if (cls == L"Edit" && HasVisibleStyle(child) && !search->edit) search->edit = child;
    if (cls == L"SysListView32" || cls == L"SHELLDLL_DefView") search->list = true;
    return TRUE;
}

Search Inspect(HWND dialog) {
    Search search;
    EnumChildWindows(dialog, Visit, reinterpret_cast<LPARAM>(&search));
    return search;
}

}  // namespace

HWND FindFileDialog(DWORD pid) {
    // On a snapshot of the list (EnumWindows): the dialog reorders windows as it comes up.
    struct Find {
        DWORD pid;
        HWND found;
    } find{pid, nullptr};
    EnumWindows(
        [](HWND w, LPARAM param) -> BOOL {
            auto* f = reinterpret_cast<Find*>(param);
            if (OwnerOf(w) != f->pid || !IsWindowVisible(w) || ClassOf(w) != L"#32770") return TRUE;
            const Search search = Inspect(w);
            if (!search.edit || !search.list) return TRUE;
            f->found = w;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&find));
    return find.found;
}

namespace {

// The dialog with the path entered and OK pressed; null when none came or the text did not go in.
HWND EnterPath(DWORD pid, const std::wstring& path, std::chrono::milliseconds timeout) {
    HWND dialog = nullptr;
    if (!WaitFor([&] { return (dialog = FindFileDialog(pid)) != nullptr; }, timeout)) return nullptr;
    HWND edit = Inspect(dialog).edit;
    DWORD_PTR ignored = 0;
    // The text is copied into the other process by the system for WM_SETTEXT.
    if (!SendMessageTimeoutW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()), SMTO_NORMAL, 5000,
                             &ignored))
        return nullptr;
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
    return dialog;
}

// A visible box of the process, other than the file dialog, that asks Yes or No.
HWND FindYesNoBox(DWORD pid, HWND file_dialog) {
    struct Find {
        DWORD pid;
        HWND file_dialog;
        HWND found;
    } find{pid, file_dialog, nullptr};
    EnumWindows(
        [](HWND w, LPARAM param) -> BOOL {
            auto* f = reinterpret_cast<Find*>(param);
            if (w == f->file_dialog || OwnerOf(w) != f->pid || !IsWindowVisible(w) || ClassOf(w) != L"#32770")
                return TRUE;
            if (!GetDlgItem(w, IDYES) || !GetDlgItem(w, IDNO)) return TRUE;
            f->found = w;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&find));
    return find.found;
}

}  // namespace

bool ChooseInFileDialog(DWORD pid, const std::wstring& path, std::chrono::milliseconds timeout) {
    HWND dialog = EnterPath(pid, path, timeout);
    return dialog && WaitFor([&] { return !IsWindow(dialog); }, timeout);
}

bool ReplaceInFileDialog(DWORD pid, const std::wstring& path, std::chrono::milliseconds timeout) {
    HWND dialog = EnterPath(pid, path, timeout);
    if (!dialog) return false;
    HWND box = nullptr;
    if (!WaitFor([&] { return (box = FindYesNoBox(pid, dialog)) != nullptr; }, timeout)) return false;
    PostMessageW(box, WM_COMMAND, IDYES, 0);
    return WaitFor([&] { return !IsWindow(dialog); }, timeout);
}

bool CancelFileDialog(DWORD pid, std::chrono::milliseconds timeout) {
    HWND dialog = nullptr;
    if (!WaitFor([&] { return (dialog = FindFileDialog(pid)) != nullptr; }, timeout)) return false;
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    return WaitFor([&] { return !IsWindow(dialog); }, timeout);
}

}  // namespace kv::e2e
