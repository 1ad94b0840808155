#include "composite_driver.h"

#include <commctrl.h>

#include <cstdio>
#include <filesystem>

#include "harness/remote_memory.h"
#include "model/assign/assignment_store.h"
#include "model/config_sets.h"
#include "model/macro/macro_image.h"
#include "profiles/profile_reader.h"
#include "ui/dialogs/composite/composite_ids.h"

namespace kv::e2e {

namespace {

constexpr int kKeyMapSize = 512;

}  // namespace

HWND AssignmentDialog(DWORD pid) {
    HWND dialog = FindWindowWithControls(pid, {IDC_COMP_HEADING, IDC_COMP_KEY_LABEL, IDC_COMP_MEDIA_LABEL});
    return dialog && IsWindowVisible(dialog) ? dialog : nullptr;
}

HWND OpenAssignmentDialog(KeyboardCopy& copy, int button) {
    if (AssignmentDialog(copy.Pid())) return nullptr;
    // Right after a read-back the buttons may still be greyed.
    if (!WaitFor([&] { return Click(copy.Main(), button); }, 20s)) {
        std::fprintf(stderr, "control %d: shown %d, enabled %d\n", button, IsShown(copy.Main(), button),
                     IsEnabled(copy.Main(), button));
        return nullptr;
    }
    HWND dialog = nullptr;
    WaitFor([&] { return (dialog = AssignmentDialog(copy.Pid())) != nullptr; }, 20s);
    return dialog;
}

bool WaitUntilDialogCloses(DWORD pid) {
    return WaitFor([&] { return AssignmentDialog(pid) == nullptr; }, 20s);
}

bool Choose(HWND dialog, int combo, int row) {
    HWND box = GetDlgItem(dialog, combo);
    if (!box) return false;
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(box, CB_SETCURSEL, static_cast<WPARAM>(row), 0, SMTO_ABORTIFHUNG, 5000, &answer))
        return false;
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(combo, CBN_SELCHANGE), reinterpret_cast<LPARAM>(box));
    return static_cast<int>(answer) == row;
}

void Type(HWND dialog, int edit, const std::wstring& text) {
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(GetDlgItem(dialog, edit), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                        SMTO_ABORTIFHUNG, 5000, &answer);
}

bool PressKeys(HWND window, std::initializer_list<WORD> keys) {
    SetForegroundWindow(window);
    if (!WaitFor([&] { return GetForegroundWindow() == window; }, 5s)) return false;
    std::vector<INPUT> inputs;
    for (WORD vk : keys) {
        INPUT down{};
        down.type = INPUT_KEYBOARD;
        down.ki.wVk = vk;
        down.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
        inputs.push_back(down);
    }
    for (auto vk = std::rbegin(keys); vk != std::rend(keys); ++vk) {
        INPUT up{};
        up.type = INPUT_KEYBOARD;
        up.ki.wVk = *vk;
        up.ki.wScan = static_cast<WORD>(MapVirtualKeyW(*vk, MAPVK_VK_TO_VSC));
        up.ki.dwFlags = KEYEVENTF_KEYUP;
        inputs.push_back(up);
    }
    return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size();
}

bool ApplyInMain(HWND main) {
    if (!Click(main, ids::kApply)) return false;
    return WaitFor([&] { return !IsEnabled(main, ids::kApply); }, 30s);
}

model::MatrixEntry KeyboardEntry(KeyboardCopy& copy, int profile, int position) {
    const std::vector<uint8_t> maps = copy.Area("keymaps");
    const size_t at = static_cast<size_t>(profile * kKeyMapSize + position * 3);
    if (position < 0 || at + 2 >= maps.size()) return {0xEE, 0xEE, 0xEE};
    return {maps[at], maps[at + 1], maps[at + 2]};
}

std::optional<model::KeyAssignment> FileEntry(int profile, int key_index) {
    model::ConfigSet set;
    if (profiles::LoadProfileFile(std::filesystem::path(WorkingProfileFile()), set) !=
            profiles::ProfileStatus::kValid ||
        !set.block)
        return std::nullopt;
    return model::ReadAssignment(*set.block, profile, key_index);
}

std::optional<std::vector<model::MacroRecord>> KeyboardMacros(KeyboardCopy& copy) {
    const std::vector<uint8_t> area = copy.Area("macro");
    model::MacroList list;
    if (area.empty() || !model::DecodeMacroImage(area, list)) return std::nullopt;
    return std::vector<model::MacroRecord>(list.Records().begin(), list.Records().end());
}

std::u16string NameOf(const model::MacroRecord& macro) {
    std::u16string name;
    for (char16_t c : macro.name) {
        if (!c) break;
        name += c;
    }
    return name;
}

}  // namespace kv::e2e

namespace kv::e2e {

HWND ActionList(HWND dialog) { return GetDlgItem(dialog, IDC_COMP_ACTIONS); }

int SelectedActionRow(HWND dialog) {
    LRESULT row = -1;
    if (!AskRemote(ActionList(dialog), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED, &row))
        return -2;
    return static_cast<int>(row);
}

int ActionRowCount(HWND dialog) {
    LRESULT rows = -1;
    if (!AskRemote(ActionList(dialog), LVM_GETITEMCOUNT, 0, 0, &rows)) return -1;
    return static_cast<int>(rows);
}

bool ClickActionCell(HWND dialog, int row, int column) {
    HWND list = ActionList(dialog);
    RemoteProcess process(list);
    RemoteBlock block(process, sizeof(RECT));
    RECT cell{LVIR_LABEL, column, 0, 0};
    if (!process || !block || !block.Write(0, &cell, sizeof(cell))) return false;
    LRESULT ok = 0;
    if (!AskRemote(list, LVM_GETSUBITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(block.at(0)),
                   &ok) ||
        !ok || !block.Read(0, &cell, sizeof(cell)))
        return false;
    const LPARAM at = MAKELPARAM(cell.left + 8, (cell.top + cell.bottom) / 2);
    return PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at) && PostMessageW(list, WM_LBUTTONUP, 0, at);
}

bool SelectActionRow(HWND dialog, int row) {
    if (SelectedActionRow(dialog) == row) return true;
    return ClickActionCell(dialog, row, 0) &&
           WaitFor([&] { return SelectedActionRow(dialog) == row && Responds(dialog); }, 10s);
}

HWND CellEditor(HWND dialog) {
    for (HWND child = GetWindow(ActionList(dialog), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const std::wstring name = ClassOf(child);
        if ((_wcsicmp(name.c_str(), L"Edit") == 0 || _wcsicmp(name.c_str(), L"ComboBox") == 0) &&
            IsWindowVisible(child))
            return child;
    }
    return nullptr;
}

HWND OpenCellEditor(HWND dialog, int row, int column) {
    if (!SelectActionRow(dialog, row) || !ClickActionCell(dialog, row, column)) return nullptr;
    HWND editor = nullptr;
    WaitFor([&] { return (editor = CellEditor(dialog)) != nullptr; }, 10s);
    return editor;
}

std::vector<std::string> MacroAreaPokes(const std::vector<uint8_t>& image) {
    constexpr size_t kChunk = 256;
    std::vector<std::string> pokes;
    for (size_t at = 0; at < image.size(); at += kChunk) {
        std::string line = "poke macro " + std::to_string(at);
        char hex[4];
        for (size_t i = at; i < image.size() && i < at + kChunk; ++i) {
            std::snprintf(hex, sizeof(hex), " %02X", image[i]);
            line += hex;
        }
        pokes.push_back(std::move(line));
    }
    return pokes;
}

}  // namespace kv::e2e
