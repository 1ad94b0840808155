// Start-up of the main window, in the order the window initialises itself:
// skin, device side and sync, working set, the dressed controls, window
// styles, language, and last the initialisation message.
#include <mutex>

#include "app/resources/resource.h"
#include "app/tray/instance_messages.h"
#include "app/tray/session_events.h"
#include "model/assign/assignment_store.h"
#include "ui/kit/gdi.h"
#include "ui/main/init_guard.h"
#include "ui/main/main_window.h"
#include "ui/main/main_window_ids.h"

namespace kv::ui {

BOOL CKelvarinDlg::OnInitDialog() {
    return RunInitialisation([this] { return Initialise(); }) ? TRUE : FALSE;
}

bool CKelvarinDlg::EndSilently() {
    EndProcessSilently();
    End(IDABORT);  // only reached when a test took over the exit
    return false;
}

bool CKelvarinDlg::Initialise() {
    context_.hwnd = hwnd_;
    if (!CBaseDialog::OnInitDialog()) return false;  // the skin's shape and background
    AddAboutToSystemMenu();
    SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_small_));
    presence_.SetInitDone(false);

    if (!StartDevice()) return EndSilently();
    StartSync();
    const int count = app_.device.DeviceCount();
    sync_->StartReadBack(count);
    if (count == 0) app_.auto_open_suppressed = true;

    user32_.Reset(LoadLibraryW(L"User32.dll"));
    if (user32_) set_layered_window_attributes_ = GetProcAddress(user32_.Get(), "SetLayeredWindowAttributes");
    if (!set_layered_window_attributes_) return EndSilently();

    InstallDefaultWorkingSet();
    commands_.SetPending(false);
    {
        WindowDc dc(hwnd_);
        if (!canvases_.Build(dc.get(), app_.paths.module_folder)) return EndSilently();
    }
    // With the window's own images, the sub-dialogs' pictures: a missing one
    // ends the program now, never mid-session.
    if (!composite_.LoadPictures() || !profile_manager_.LoadPictures() || !update_.LoadPictures())
        return EndSilently();
    DressControls();

    BecomeMainWindow();
    app_.key_events.Create();
    commands_.StyleSwitch();
    ApplyCurrentLanguage();
    app::RegisterSessionNotifications(hwnd_);
    lighting_.FillUserMapList();
    keyboard_filter_.Install(hwnd_, IDC_MODE_LIST, [this] {
        if (model::ConfigSync* sync = context_.sync) sync->ApplyChanges();
    });
    keyboard_filter_.SetModeless([this] { return dialogs_.About().Window(); });
    PostMessageW(hwnd_, app::kMsgInit, app::kCodeInit, 0);
    return true;
}

bool CKelvarinDlg::StartDevice() {
    if (app_.device.Bind() != app::DeviceHost::BindResult::kOk) return false;
    app_.device.Start(app_.notifications);
    // The window paints on while this thread waits on the keyboard.
    responsive_.SetWindow(hwnd_);
    app_.device.Link().SetWaitHook(&responsive_);
    return true;
}

void CKelvarinDlg::StartSync() {
    lighting_model_ = std::make_unique<model::LightingModel>(app_.device.Commands(), panel_switch_);
    context_.lighting = lighting_model_.get();
    const model::SyncHost host{ui_thread_, presence_, prompts_,  keyboard_,
                               lighting_,  busy_,     commands_, app_.user_settings};
    sync_ = std::make_unique<model::ConfigSync>(
        model::SyncContext{app_.device.Commands(), app_.sets, *lighting_model_, host, texts_});
    context_.sync = sync_.get();
}

void CKelvarinDlg::InstallDefaultWorkingSet() {
    std::lock_guard lock(app_.sets.WorkingConfigLock());
    if (model::AssignmentBlockPtr block = model::NewAssignmentBlock()) {
        app_.sets.ReleaseWorking();
        app_.sets.Working().block = std::move(block);
    }
}

// Every control at its skin entry with its faces, in the order the window
// dresses itself; the lighting panel needs the per-user settings path.
void CKelvarinDlg::DressControls() {
    keyboard_.Attach();
    lighting_.Attach();
    commands_.Attach();
    commands_.ReadLinks();
    keyboard_.PlaceKeys();
    commands_.PlaceTitleAndCommands();
    keyboard_.PlaceIndicatorsAndFlip();
    commands_.PlaceVersion();
    keyboard_.PlaceProfileButtons();
    commands_.PlaceDefaultAndSwitch();
    lighting_.PlaceReportButtons();
    keyboard_.PlaceFn();
    app_.user_settings.Compute(hwnd_);
    lighting_.Build();
}

void CKelvarinDlg::AddAboutToSystemMenu() {
    wchar_t text[128] = {};
    if (LoadStringW(app_.instance, IDS_ABOUTBOX, text, static_cast<int>(std::size(text))) <= 0) return;
    HMENU menu = GetSystemMenu(hwnd_, FALSE);
    if (!menu) return;
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, IDM_ABOUTBOX, text);
}

void CKelvarinDlg::BecomeMainWindow() {
    // No taskbar button while hidden.
    const LONG_PTR ex = GetWindowLongPtrW(hwnd_, GWL_EXSTYLE);
    SetWindowLongPtrW(hwnd_, GWL_EXSTYLE, (ex & ~static_cast<LONG_PTR>(WS_EX_APPWINDOW)) | WS_EX_TOOLWINDOW);
    // Other copies of the program find this window by the marker.
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, static_cast<LONG_PTR>(app::kCodeMain));
    SetWindowLongPtrW(hwnd_, GWL_STYLE, GetWindowLongPtrW(hwnd_, GWL_STYLE) | WS_MINIMIZEBOX | WS_SYSMENU);
    SetWindowTextW(hwnd_, context_.Text(L"MAIN_CAPTION").c_str());
}

void CKelvarinDlg::ApplyCurrentLanguage() {
    SendMessageW(hwnd_, app::kMsgLanguage, app::kCodeLang, language_settings_.CurrentLanguageIndex());
}

}  // namespace kv::ui
