#include "harness/controls.h"

namespace kv::e2e {

namespace {

constexpr UINT kReadTimeoutMs = 5000;

std::optional<LRESULT> Ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL | SMTO_ABORTIFHUNG, kReadTimeoutMs,
                             &result))
        return std::nullopt;
    return static_cast<LRESULT>(result);
}

}  // namespace

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

std::wstring TextOf(HWND window) {
    // WM_GETTEXT is carried across processes; GetWindowText of another process's control is not.
    wchar_t text[512] = {};
    if (!Ask(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text))) return {};
    return text;
}

std::wstring TextOf(HWND parent, int id) { return TextOf(GetDlgItem(parent, id)); }

bool HasVisibleStyle(HWND window) {
    return window && (GetWindowLongPtrW(window, GWL_STYLE) & WS_VISIBLE) != 0;
}

bool IsShown(HWND parent, int id) { return HasVisibleStyle(GetDlgItem(parent, id)); }

bool IsEnabled(HWND parent, int id) {
    HWND control = GetDlgItem(parent, id);
    return control && IsWindowEnabled(control) != FALSE;
}

std::optional<bool> IsChecked(HWND parent, int id) {
    HWND control = GetDlgItem(parent, id);
    if (!control) return std::nullopt;
    const std::optional<LRESULT> state = Ask(control, BM_GETCHECK, 0, 0);
    if (!state) return std::nullopt;
    return *state == BST_CHECKED;
}

RECT RectOf(HWND parent, int id) {
    RECT rect{};
    GetWindowRect(GetDlgItem(parent, id), &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::vector<std::wstring> ComboItems(HWND parent, int id) {
    HWND combo = GetDlgItem(parent, id);
    std::vector<std::wstring> items;
    const LRESULT count = Ask(combo, CB_GETCOUNT, 0, 0).value_or(0);
    for (LRESULT i = 0; i < count; ++i) {
        wchar_t text[512] = {};
        if (Ask(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0).value_or(1000) >= 512) break;
        Ask(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        items.emplace_back(text);
    }
    return items;
}

int ComboSelection(HWND parent, int id) {
    return static_cast<int>(Ask(GetDlgItem(parent, id), CB_GETCURSEL, 0, 0).value_or(CB_ERR));
}

bool Click(HWND parent, int id) {
    HWND control = GetDlgItem(parent, id);
    if (!control || !HasVisibleStyle(control) || !IsWindowEnabled(control)) return false;
    return PostMessageW(parent, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(control)) !=
           FALSE;
}

void PostCommand(HWND window, WPARAM command) { PostMessageW(window, WM_COMMAND, command, 0); }

bool Responds(HWND window, std::chrono::milliseconds timeout) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, static_cast<UINT>(timeout.count()),
                               &result) != 0;
}

}  // namespace kv::e2e
