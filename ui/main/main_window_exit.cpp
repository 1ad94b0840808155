// Showing the main window, ending the program and the close routine that
// every way of ending it runs.
#include <windows.h>
// Windows headers that need the one above:
#include <shellapi.h>

#include <mutex>

#include "ui/kit/nested_loops.h"
#include "ui/main/main_window.h"

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

void CKelvarinDlg::ExitProgram() {
    // TODO: with a message box, menu or dialog up, end the nested loops
    // (EndNestedLoops) and shut down only once they have returned.
    HideMainWindow();
    ShutdownMain();
    CBaseDialog::OnCancel();  // releases the skin images and ends the modal loop
}

bool CKelvarinDlg::ShutdownMain() {
    // Read-back runs and busy indicators end first; this thread serves what
    // they still send it meanwhile.
    if (sync_) sync_->Shutdown();
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
