#include "ui/main/main_presence.h"

#include "app/tray/instance_messages.h"
#include "ui/main/main_window_messages.h"

namespace kv::ui {

// 'GS' is sent: the window's thread closes them before the read-back goes on.
void MainPresence::CloseSubDialogs() {
    while (SendMessageW(context_.hwnd, app::kMsgGoneSub, 0, 0) == kSendAgainLater) Sleep(kSendAgainPauseMs);
}

void MainPresence::HideMainWindow() { ShowWindow(context_.hwnd, SW_HIDE); }

void MainPresence::ShowKeyboardPresence(bool attached) {
    tray_.ShowPresence(attached);
    if (attached && on_attached_) on_attached_();
}

void MainPresence::PostOpen() { PostMessageW(context_.hwnd, app::kMsgShow, app::kCodeOpen, 0); }

}  // namespace kv::ui
