#include "ui/dialogs/composite/dialog_key_filter.h"

namespace kv::ui {

namespace {

DialogKeyFilter* active_filter = nullptr;

}  // namespace

bool DialogKeyFilter::Install(HWND dialog, Preview preview) {
    dialog_ = dialog;
    preview_ = std::move(preview);
    if (!hook_) hook_.Reset(SetWindowsHookExW(WH_MSGFILTER, &FilterProc, nullptr, GetCurrentThreadId()));
    if (hook_) active_filter = this;
    return Installed();
}

void DialogKeyFilter::Remove() {
    if (active_filter == this) active_filter = nullptr;
    hook_.Reset();
    dialog_ = nullptr;
    preview_ = nullptr;
}

bool DialogKeyFilter::Takes(const MSG& message) const {
    if (message.message != WM_KEYDOWN && message.message != WM_KEYUP) return false;
    if (message.wParam != VK_RETURN && message.wParam != VK_ESCAPE) return false;
    return dialog_ && (message.hwnd == dialog_ || IsChild(dialog_, message.hwnd));
}

LRESULT CALLBACK DialogKeyFilter::FilterProc(int code, WPARAM wParam, LPARAM lParam) {
    DialogKeyFilter* filter = active_filter;
    if (code == MSGF_DIALOGBOX && filter && lParam) {
        const MSG& message = *reinterpret_cast<const MSG*>(lParam);
        if (filter->Takes(message)) {
            try {
                if (filter->preview_) filter->preview_(message);
            } catch (...) {
            }
            return 1;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace kv::ui
