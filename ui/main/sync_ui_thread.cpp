#include "ui/main/sync_ui_thread.h"

#include "app/tray/instance_messages.h"
#include "ui/kit/message_map.h"
#include "ui/main/main_window_messages.h"

namespace kv::ui {

bool SyncUiThread::Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    static constexpr MessageRoute<SyncUiThread> kMessages[] = {
        {app::kMsgReload, &SyncUiThread::OnReload},
    };
    static constexpr MessageMap<SyncUiThread> kMap{kMessages};
    return kMap.Route(*this, message, wParam, lParam, result);
}

void SyncUiThread::RunOnUiThread(const std::function<void()>& work) {
    if (OnWindowThread()) {
        work();
        return;
    }
    std::lock_guard sending(sending_);
    for (;;) {
        {
            std::lock_guard lock(work_mutex_);
            work_ = &work;
        }
        const LRESULT answer = SendMessageW(context_.hwnd, app::kMsgReload, app::kCodeProf, 0);
        {
            std::lock_guard lock(work_mutex_);
            work_ = nullptr;  // not run when the window was gone
        }
        if (answer != kSendAgainLater) return;
        Sleep(kSendAgainPauseMs);
    }
}

LRESULT SyncUiThread::OnReload(WPARAM code, LPARAM) {
    if (code != app::kCodeProf) return 0;
    // Inside a keyboard exchange of this thread: the reload would start its own.
    if (context_.ExchangePumping()) return kSendAgainLater;
    const std::function<void()>* work = nullptr;
    {
        std::lock_guard lock(work_mutex_);
        std::swap(work, work_);
    }
    if (work) {
        (*work)();
    } else if (model::ConfigSync* sync = context_.sync) {
        sync->ReloadFromKeyboard();  // a 'PROF' request from outside the sync
    }
    return 0;
}

void SyncUiThread::ServiceUiWhileWaiting() {
    // Peeking delivers the messages other threads are sending to this one.
    MSG msg;
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
}

}  // namespace kv::ui
