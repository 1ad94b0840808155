// Showing the main window, ending the program and the close routine that
// every way of ending it runs.
//
// An exit request can arrive while a box, menu or dialog of this thread is
// up, or while a keyboard exchange pumps messages: its handler then runs deep
// inside that loop, and the code below it on the stack still uses the working
// set. So a request only ends the loops (and keeps new ones from starting);
// the exit timer shuts down once the main loop runs again.
#include <windows.h>
// Windows headers that need the one above:
#include <shellapi.h>

#include <mutex>

#include "ui/kit/nested_loops.h"
#include "ui/main/main_window.h"
#include "ui/main/main_window_messages.h"

namespace kv::ui {

void CKelvarinDlg::ShowMainWindow() {
    const model::ConfigSync* sync = context_.sync;
    if (!sync || sync->State().LastDeviceCount() <= 0) {
        NestedMessageBox(nullptr, context_.Text(L"MAIN_NO_DEVICE_PROMPT"), L"", MB_OK);
        return;
    }
    // The taskbar button comes back with the window.
    const LONG_PTR ex = GetWindowLongPtrW(hwnd_, GWL_EXSTYLE);
    SetWindowLongPtrW(hwnd_, GWL_EXSTYLE, (ex & ~static_cast<LONG_PTR>(WS_EX_TOOLWINDOW)) | WS_EX_APPWINDOW);
    show_allowed_ = true;
    ShowWindow(hwnd_, SW_SHOWNORMAL);
    SetForegroundWindow(hwnd_);
}

void CKelvarinDlg::OpenHelp() {
    const std::wstring document = app_.paths.help_folder + L"index.html";
    ShellExecuteW(nullptr, L"open", document.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void CKelvarinDlg::ExitProgram(ExitReason reason) {
    const bool ask = reason == ExitReason::kUser;
    if (exit_.requested) {
        // A request that never asks wins over one that would (its question included).
        if (!ask) {
            exit_.ask = false;
            EndNestedLoops();
        }
        return;
    }
    exit_.requested = true;
    exit_.ask = ask;
    // Read-backs must neither hold the end up nor replace the working set now.
    if (model::ConfigSync* sync = context_.sync) sync->BeginShutdown();
    RefuseNestedLoops(true);
    EndNestedLoops();
    HWND window = hwnd_;
    WhenNestedLoopsEnd([window] { PostMessageW(window, kMsgFinishExit, 0, 0); });
    PostMessageW(hwnd_, kMsgFinishExit, 0, 0);
    SetTimer(hwnd_, kTimerExit, kExitPollMs, nullptr);
}

LRESULT CKelvarinDlg::OnFinishExitMessage(WPARAM, LPARAM) {
    FinishExit();
    return 0;
}

void CKelvarinDlg::FinishExit() {
    // Only the main loop may end the program; inside another loop the request comes again.
    if (!exit_.requested || exit_.finishing || NestedLoopDepth() > 0 || context_.ExchangePumping()) return;
    KillTimer(hwnd_, kTimerExit);
    exit_.finishing = true;
    if (exit_.ask && commands_.Pending()) AskToApplyBeforeExit();
    HideMainWindow();
    ShutdownMain();
    CBaseDialog::OnCancel();  // releases the skin images and ends the modal loop
}

// Yes sends the pending changes to the keyboard, No drops them. A "/Kill"
// request meanwhile ends the question (or the Apply's boxes) and drops them too.
void CKelvarinDlg::AskToApplyBeforeExit() {
    RefuseNestedLoops(false);
    const bool apply = prompts_.Confirm(app::ToU16(context_.Text(L"MAIN_APPLY_PROMPT")));
    if (apply && exit_.ask) {
        if (model::ConfigSync* sync = context_.sync) sync->ApplyChanges();
    }
    RefuseNestedLoops(true);
}

bool CKelvarinDlg::ShutdownMain() {
    // Read-back runs and busy indicators end first; this thread serves what
    // they still send it meanwhile.
    if (sync_) sync_->Shutdown();
    if (app_.device.Started()) app_.device.Link().SetWaitHook(nullptr);
    keyboard_filter_.Uninstall();
    dialogs_.CloseAll();
    app_.single_instance.Release();
    app_.key_events.Close();
    tray_.Remove();
    commands_.SetPending(false);
    {
        std::lock_guard lock(app_.sets.WorkingConfigLock());
        app_.sets.ReleaseWorking();
    }
    {
        std::lock_guard lock(app_.sets.AppliedConfigLock());
        app_.sets.ReleaseApplied();
    }
    return true;
}

}  // namespace kv::ui
