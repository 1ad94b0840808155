#include "composite_driver.h"

#include <cstdio>
#include <filesystem>

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
