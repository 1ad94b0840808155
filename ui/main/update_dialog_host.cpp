#include "ui/main/update_dialog_host.h"

#include "app/settings/language_texts.h"
#include "model/keys/text_format.h"
#include "ui/kit/message_map.h"
#include "ui/main/main_window_messages.h"

namespace kv::ui {

bool UpdateDialogHost::Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    static constexpr MessageRoute<UpdateDialogHost> kMessages[] = {
        {kMsgKeyboardBackFromUpdate, &UpdateDialogHost::OnKeyboardBack},
    };
    static constexpr MessageMap<UpdateDialogHost> kMap{kMessages};
    return kMap.Route(*this, message, wParam, lParam, result);
}

int UpdateDialogHost::EnterUpdateMode() {
    return context_.app.device.Started() ? context_.app.device.Commands().EnterUpdateMode() : 0;
}

void UpdateDialogHost::UpdateModeEntered(const std::filesystem::path& backup) {
    std::lock_guard lock(mutex_);
    awaiting_return_ = true;
    backup_ = backup;
}

void UpdateDialogHost::KeyboardAttached() {
    {
        std::lock_guard lock(mutex_);
        if (!awaiting_return_) return;
        awaiting_return_ = false;
        if (backup_.empty()) return;  // nothing was saved: nothing to bring back
    }
    // Shown from the window's own loop: the read-back must not wait for the user.
    PostMessageW(context_.hwnd, kMsgKeyboardBackFromUpdate, 0, 0);
}

LRESULT UpdateDialogHost::OnKeyboardBack(WPARAM, LPARAM) {
    std::filesystem::path backup;
    {
        std::lock_guard lock(mutex_);
        backup = backup_;
    }
    if (backup.empty()) return 0;
    const std::u16string format = app::ToU16(context_.Text(L"TEXT", L"UPDATE_BACKUP_WHERE"));
    prompts_.ShowMessage(model::FormatWithString(format, backup.u16string()), model::MessageKind::kNotice);
    return 0;
}

}  // namespace kv::ui
