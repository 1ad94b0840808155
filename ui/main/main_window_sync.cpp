// The main window as host of the configuration sync: the 'TR' hand-over to
// this thread, closing and hiding when the keyboard goes, message boxes, the
// Apply state and the busy indicator; and the working set it owns.
#include <mutex>

#include "app/startup/device_host.h"
#include "app/startup/paths.h"
#include "app/startup/process_state.h"
#include "app/tray/instance_messages.h"
#include "model/assign/assignment_store.h"
#include "ui/main/main_window.h"
#include "ui/main/main_window_messages.h"

namespace kv::ui {

namespace {

std::wstring Wide(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }

}  // namespace

void CKelvarinDlg::StartSync() {
    lighting_ = std::make_unique<model::LightingModel>(device_.Commands(), panel_switch_);
    sync_ = std::make_unique<model::ConfigSync>(
        model::SyncContext{device_.Commands(), sets_, *lighting_, *this, language_texts_});
    sync_ready_ = sync_.get();
}

int CKelvarinDlg::LastDeviceCount() const {
    const model::ConfigSync* sync = sync_ready_;
    return sync ? sync->State().LastDeviceCount() : 0;
}

void CKelvarinDlg::StartReadBack(int count) {
    if (model::ConfigSync* sync = sync_ready_) sync->StartReadBack(count);
}

void CKelvarinDlg::InstallDefaultWorkingSet() {
    std::lock_guard lock(sets_.WorkingConfigLock());
    if (model::AssignmentBlockPtr block = model::NewAssignmentBlock()) {
        sets_.ReleaseWorking();
        sets_.Working().block = std::move(block);
    }
}

void CKelvarinDlg::ReleaseWorkingSet() { sets_.ReleaseWorking(); }

void CKelvarinDlg::ReleaseAppliedSet() { sets_.ReleaseApplied(); }

// --- the hand-over to this thread -------------------------------------------

void CKelvarinDlg::RunOnUiThread(const std::function<void()>& work) {
    if (GetCurrentThreadId() == ui_thread_) {
        work();
        return;
    }
    std::lock_guard sending(ui_work_send_);
    {
        std::lock_guard lock(ui_work_mutex_);
        ui_work_ = &work;
    }
    SendMessageW(hwnd_, app::kMsgReload, app::kCodeProf, 0);
    std::lock_guard lock(ui_work_mutex_);
    ui_work_ = nullptr;  // not run when the window was gone
}

CKelvarinDlg::Reply CKelvarinDlg::OnReloadMessage(WPARAM wparam, LPARAM) {
    if (wparam != app::kCodeProf) return {true, 0};
    const std::function<void()>* work = nullptr;
    {
        std::lock_guard lock(ui_work_mutex_);
        std::swap(work, ui_work_);
    }
    if (work) {
        (*work)();
    } else if (sync_) {
        sync_->ReloadFromKeyboard();  // a 'PROF' request from outside the sync
    }
    return {true, 0};
}

void CKelvarinDlg::ServiceUiWhileWaiting() {
    // Peeking delivers the messages other threads are sending to this one.
    MSG msg;
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
}

void CKelvarinDlg::CloseSubDialogs() { SendMessageW(hwnd_, app::kMsgGoneSub, 0, 0); }

CKelvarinDlg::Reply CKelvarinDlg::OnCloseSubDialogs(WPARAM, LPARAM) {
    CloseAboutBox();
    return {true, 0};
}

void CKelvarinDlg::HideMainWindow() { ShowWindow(hwnd_, SW_HIDE); }

void CKelvarinDlg::PostOpen() { PostMessageW(hwnd_, app::kMsgShow, app::kCodeOpen, 0); }

bool CKelvarinDlg::AutoOpenSuppressed() const { return app::Process().auto_open_suppressed != 0; }

void CKelvarinDlg::SetAutoOpenSuppressed(bool suppressed) {
    app::Process().auto_open_suppressed = suppressed ? 1 : 0;
}

model::GLayer CKelvarinDlg::CurrentLayer() const {
    return device_.Started() && device_.Notifier().Layer() == 1 ? model::GLayer::kB : model::GLayer::kA;
}

std::filesystem::path CKelvarinDlg::UserFolder() const {
    std::wstring ini = app::Process().user_settings_ini;
    if (ini.empty()) ini = app::ComputeUserSettingsIni(hwnd_);
    const std::wstring::size_type slash = ini.find_last_of(L"\\/");
    return std::filesystem::path(slash == std::wstring::npos ? std::wstring() : ini.substr(0, slash));
}

// --- message boxes -------------------------------------------------------------

HWND CKelvarinDlg::MessageOwner() const {
    // Only this thread's visible window may own a box; other threads' boxes stand alone.
    return GetCurrentThreadId() == ui_thread_ && IsWindowVisible(hwnd_) ? hwnd_ : nullptr;
}

void CKelvarinDlg::ShowMessage(std::u16string_view text, uint32_t flags) { AskMessage(text, flags); }

int CKelvarinDlg::AskMessage(std::u16string_view text, uint32_t flags) {
    const std::wstring caption = LanguageText(L"TEXT", L"MAIN_CAPTION");
    return MessageBoxW(MessageOwner(), Wide(text).c_str(), caption.c_str(), flags);
}

// --- busy indicator ------------------------------------------------------------

void CKelvarinDlg::BusyBegin() { PostMessageW(hwnd_, kMsgBusy, 1, 0); }

void CKelvarinDlg::BusyEnd() { PostMessageW(hwnd_, kMsgBusy, 0, 0); }

CKelvarinDlg::Reply CKelvarinDlg::OnBusyMessage(WPARAM wparam, LPARAM) {
    HWND indicator = GetDlgItem(hwnd_, kIdcBusyIndicator);
    if (wparam) {
        ShowWindow(indicator, SW_SHOW);
        SetTimer(hwnd_, kTimerBusyAnimation, kBusyAnimationPeriodMs, nullptr);
    } else {
        KillTimer(hwnd_, kTimerBusyAnimation);
        ShowWindow(indicator, SW_HIDE);
    }
    return {true, 0};
}

// --- timers and notifier reactions ---------------------------------------------

void CKelvarinDlg::OnLightingChanged() { PostMessageW(hwnd_, kMsgStartLightingTimer, 0, 0); }

CKelvarinDlg::Reply CKelvarinDlg::OnStartLightingTimer(WPARAM, LPARAM) {
    // Restarting the same timer before it fires still gives one read-back.
    SetTimer(hwnd_, kTimerLightingReadBack, 0, nullptr);
    return {true, 0};
}

CKelvarinDlg::Reply CKelvarinDlg::OnTimer(WPARAM wparam, LPARAM) {
    if (wparam == kTimerLightingReadBack) {
        KillTimer(hwnd_, kTimerLightingReadBack);
        if (lighting_) lighting_->ReadLightingRecords();
        RefreshLightingPanel(lighting_ && lighting_->HasPerKeyMode());
        return {true, 0};
    }
    if (wparam == kTimerBusyAnimation) {
        // Seam: the skinned window shows frame busy_frame_ on the indicator.
        busy_frame_ = (busy_frame_ + 1) % kBusyFrameCount;
        return {true, 0};
    }
    return {false, 0};
}

void CKelvarinDlg::OnLayerChanged(int /*layer*/) {
    // Posted, not sent: the notifier's thread also delivers the replies a
    // transaction on this thread may be waiting for.
    PostMessageW(hwnd_, app::kMsgLayer, app::kCodeLed, 0);
}

CKelvarinDlg::Reply CKelvarinDlg::OnLayerMessage(WPARAM wparam, LPARAM) {
    if (wparam != app::kCodeLed) return {true, 0};
    std::lock_guard lock(sets_.WorkingConfigLock());
    RefreshKeyButtons();  // seam: G-key marks of the active profile and layer
    return {true, 0};
}

}  // namespace kv::ui
