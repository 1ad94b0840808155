#include "sub_dialog_driver.h"

#include <commctrl.h>

#include <cwchar>

#include "commands_fixture.h"
#include "harness/remote_memory.h"

namespace kv::e2e {

namespace {

constexpr wchar_t kProfilesKey[] = L"Software\\Kelvarin_Ostrand\\Kelvarin\\PROFILES";

std::wstring ValueName(int n) {
    wchar_t name[16];
    std::swprintf(name, 16, L"PROFILE%02d", n);
    return name;
}

bool SetItemState(HWND list, int row, UINT state, UINT mask) {
    RemoteProcess process(list);
    if (!process) return false;
    RemoteBlock block(process, sizeof(LVITEMW));
    LVITEMW item{};
    item.stateMask = mask;
    item.state = state;
    if (!block || !block.Write(0, &item, sizeof item)) return false;
    LRESULT done = FALSE;
    return AskRemote(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(block.at(0)),
                     &done) &&
           done != FALSE;
}

// A visible top-level window of the process other than the main window
// (whose key buttons carry some of the same ids; it alone has the menu
// button), holding every id.
HWND FindSubDialog(DWORD pid, std::initializer_list<int> controls) {
    struct Find {
        DWORD pid;
        std::initializer_list<int> controls;
        HWND found;
    } find{pid, controls, nullptr};
    EnumWindows(
        [](HWND w, LPARAM param) -> BOOL {
            auto* f = reinterpret_cast<Find*>(param);
            DWORD owner = 0;
            GetWindowThreadProcessId(w, &owner);
            if (owner != f->pid || !IsWindowVisible(w) || GetDlgItem(w, ids::kMenu)) return TRUE;
            for (int id : f->controls)
                if (!GetDlgItem(w, id)) return TRUE;
            f->found = w;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&find));
    return find.found;
}

}  // namespace

HWND FindProfileManager(DWORD pid) {
    return FindSubDialog(pid, {kManagerList, kManagerLoad, kManagerAdd, kManagerDelete, kManagerApply});
}

HWND FindUpdateDialog(DWORD pid) {
    return FindSubDialog(pid, {kUpdateStart, kUpdatePath, kUpdateCancel, kUpdateOpen, kUpdateBackup});
}

std::vector<int> TickedRows(HWND list) {
    std::vector<int> ticked;
    LRESULT count = 0;
    if (!AskRemote(list, LVM_GETITEMCOUNT, 0, 0, &count)) return ticked;
    for (int row = 0; row < count; ++row) {
        LRESULT state = 0;
        if (AskRemote(list, LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK, &state) &&
            (state & LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2))
            ticked.push_back(row);
    }
    return ticked;
}

// Finds the row's tick box with the list's own hit test and clicks it.
bool ClickTick(HWND list, int row) {
    RemoteProcess process(list);
    if (!process) return false;
    RemoteBlock block(process, sizeof(LVHITTESTINFO) + sizeof(RECT));
    if (!block) return false;
    RECT cell{LVIR_LABEL, 0, 0, 0};
    if (!block.Write(0, &cell, sizeof cell) ||
        !AskRemote(list, LVM_GETSUBITEMRECT, static_cast<WPARAM>(row),
                   reinterpret_cast<LPARAM>(block.at(0))) ||
        !block.Read(0, &cell, sizeof cell))
        return false;
    const int y = (cell.top + cell.bottom) / 2;
    for (int x = 0; x < 40; ++x) {
        LVHITTESTINFO hit{};
        hit.pt = {x, y};
        if (!block.Write(0, &hit, sizeof hit) ||
            !AskRemote(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(block.at(0))) ||
            !block.Read(0, &hit, sizeof hit))
            return false;
        if (hit.iItem == row && (hit.flags & LVHT_ONITEMSTATEICON)) {
            PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
            PostMessageW(list, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
            return true;
        }
    }
    return false;
}

bool SelectRow(HWND list, int row) {
    return SetItemState(list, -1, 0, LVIS_SELECTED) &&
           SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

std::optional<std::wstring> RegistryProfileValue(int n) {
    wchar_t value[1024];
    DWORD size = sizeof value;
    if (RegGetValueW(HKEY_CURRENT_USER, kProfilesKey, ValueName(n).c_str(), RRF_RT_REG_SZ, nullptr, value,
                     &size) != ERROR_SUCCESS)
        return std::nullopt;
    return std::wstring(value);
}

void DeleteRegistryProfileValues() {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kProfilesKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
    for (int n = 0; n < 32; ++n) RegDeleteValueW(key, ValueName(n).c_str());
    RegCloseKey(key);
}

int SimActiveProfile(const std::wstring& pipe) {
    const std::string line = SimStatusLine(pipe, "active-profile");
    const size_t space = line.find(' ');
    if (space == std::string::npos || line.rfind("active-profile", 0) != 0) return -1;
    return std::atoi(line.c_str() + space + 1);
}

}  // namespace kv::e2e
