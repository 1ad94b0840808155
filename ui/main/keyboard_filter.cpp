#include "ui/main/keyboard_filter.h"

namespace kv::ui {

namespace {

thread_local KeyboardFilter* tls_filter = nullptr;
// The dialog manager asks the filter again from inside IsDialogMessage.
thread_local bool tls_in_modeless = false;

bool OfWindow(HWND target, HWND main) { return target && main && (target == main || IsChild(main, target)); }

}  // namespace

FilterVerdict Filter(const MSG& msg, HWND main, HWND focus, HWND mode_list) {
    if (!OfWindow(msg.hwnd, main)) return FilterVerdict::kPass;
    if (msg.message == WM_TIMECHANGE)
        return msg.hwnd == main ? FilterVerdict::kApplyThenPass : FilterVerdict::kPass;
    if (msg.message != WM_KEYDOWN && msg.message != WM_KEYUP) return FilterVerdict::kPass;
    if (msg.wParam == VK_RETURN || msg.wParam == VK_ESCAPE) return FilterVerdict::kSwallow;
    const bool arrow = msg.wParam >= VK_LEFT && msg.wParam <= VK_DOWN;
    if (arrow && mode_list && focus && (focus == mode_list || IsChild(mode_list, focus)))
        return FilterVerdict::kSwallow;
    return FilterVerdict::kPass;
}

bool KeyboardFilter::Install(HWND main, int mode_list_id, std::function<void()> apply) {
    if (tls_filter && tls_filter != this) return false;
    main_ = main;
    mode_list_id_ = mode_list_id;
    apply_ = std::move(apply);
    if (!hook_) hook_ = SetWindowsHookExW(WH_MSGFILTER, &KeyboardFilter::Hook, nullptr, GetCurrentThreadId());
    if (!hook_) return false;
    tls_filter = this;
    return true;
}

void KeyboardFilter::Uninstall() {
    if (!hook_) return;
    UnhookWindowsHookEx(hook_);
    hook_ = nullptr;
    if (tls_filter == this) tls_filter = nullptr;
}

LRESULT CALLBACK KeyboardFilter::Hook(int code, WPARAM wParam, LPARAM lParam) {
    KeyboardFilter* self = tls_filter;
    if (code == MSGF_DIALOGBOX && self && lParam && !tls_in_modeless) {
        MSG& msg = *reinterpret_cast<MSG*>(lParam);
        HWND modeless = self->modeless_ ? self->modeless_() : nullptr;
        if (OfWindow(msg.hwnd, modeless)) {
            tls_in_modeless = true;
            const BOOL handled = IsDialogMessageW(modeless, &msg);
            tls_in_modeless = false;
            if (handled) return 1;
        }
        const FilterVerdict verdict =
            Filter(msg, self->main_, GetFocus(), GetDlgItem(self->main_, self->mode_list_id_));
        if (verdict == FilterVerdict::kSwallow) return 1;
        if (verdict == FilterVerdict::kApplyThenPass && self->apply_) self->apply_();
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace kv::ui
