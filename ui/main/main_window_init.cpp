// Start-up of the main window: instance decision, daemon, device binding and
// the window-level settings made while the dialog initialises.
#include <windows.h>
// Windows headers that need the one above:
#include <shellapi.h>
#include <shlwapi.h>

#include <cwchar>

#include "app/resources/resource.h"
#include "app/startup/device_host.h"
#include "app/startup/paths.h"
#include "app/startup/process_state.h"
#include "app/tray/command_line.h"
#include "app/tray/instance.h"
#include "app/tray/instance_messages.h"
#include "ui/main/main_window.h"

namespace kv::ui {

namespace {

constexpr wchar_t kSingleInstanceMutexName[] = L"PL27M03C";
constexpr DWORD kMutexFullAccess = 0x001F0001;
constexpr wchar_t kKeyEventPrefix[] = L"Kelvarin_Event_";
constexpr int kKeyEventSlotCount = 208;

}  // namespace

bool CKelvarinDlg::SettleInstance(std::span<const std::wstring> args) {
    app::ProcessState& process = app::Process();
    process.auto_open_suppressed = 0;
    const app::StartSwitches switches = app::ParseStartSwitches(args);
    if (switches.kill) {
        // A "/Kill" start never becomes a running copy, whether or not it found one.
        if (DWORD running = app::FindProcessByImageName(process.paths.module_file_name))
            app::DeliverInstanceRequest(running, app::InstanceRequest::kKill);
        return false;
    }
    if (switches.start) process.auto_open_suppressed = 1;

    HANDLE existing = OpenMutexW(kMutexFullAccess, FALSE, kSingleInstanceMutexName);
    if (existing) {
        single_instance_mutex_.Reset(existing);
        if (DWORD running = app::FindProcessByImageName(process.paths.module_file_name)) {
            app::DeliverInstanceRequest(running, app::InstanceRequest::kOpen);
            return false;
        }
        return true;  // nobody to hand over to: carry on as the first copy
    }
    single_instance_mutex_.Reset(CreateMutexW(nullptr, TRUE, kSingleInstanceMutexName));
    return true;
}

void CKelvarinDlg::StartDaemon() {
    const std::wstring& daemon = app::Process().paths.daemon_path;
    // Not shipped: a missing daemon is not an error, and asking the shell to
    // open it anyway could bring up an error box.
    if (daemon.empty() || !PathFileExistsW(daemon.c_str())) return;
    ShellExecuteW(nullptr, L"open", daemon.c_str(), L"", L"", SW_HIDE);
}

bool CKelvarinDlg::Initialise() {
    InitSkinnedDialogBase();
    AddAboutToSystemMenu();
    SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(app_icon_));
    SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(app_icon_small_));

    app::ProcessState& process = app::Process();
    init_done_ = 0;
    process.main_window_handle = hwnd_;
    process.main_dialog = this;

    if (!BindDevice()) {
        EndSilently();
        return false;
    }
    const int count = device_.DeviceCount();
    StartReadBack(count);
    if (count == 0) process.auto_open_suppressed = 1;

    user32_.Reset(LoadLibraryW(L"User32.dll"));
    if (user32_) set_layered_window_attributes_ = GetProcAddress(user32_.Get(), "SetLayeredWindowAttributes");
    if (!set_layered_window_attributes_) {
        EndSilently();
        return false;
    }

    InstallDefaultWorkingSet();
    SetModified(false);
    if (!LoadSharedButtonImages()) {
        EndSilently();
        return false;
    }
    BuildSkinnedControls();
    process.user_settings_ini = app::ComputeUserSettingsIni(hwnd_);

    BecomeMainWindow();
    CreateKeyEventSlots();
    ApplyCurrentLanguage();
    RegisterSessionNotifications();
    FillUserModeList();
    PostMessageW(hwnd_, app::kMsgInit, app::kCodeInit, 0);
    return true;
}

bool CKelvarinDlg::BindDevice() {
    if (device_.Bind() != app::DeviceHost::BindResult::kOk) return false;
    device_.Start(sink_);
    return true;
}

void CKelvarinDlg::EndSilently() {
    EndDialog(hwnd_, 0);
}

void CKelvarinDlg::AddAboutToSystemMenu() {
    wchar_t text[128] = {};
    if (LoadStringW(instance_, IDS_ABOUTBOX, text, static_cast<int>(std::size(text))) <= 0) return;
    HMENU menu = GetSystemMenu(hwnd_, FALSE);
    if (!menu) return;
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, IDM_ABOUTBOX, text);
}

void CKelvarinDlg::BecomeMainWindow() {
    // No taskbar button while hidden.
    const LONG_PTR ex = GetWindowLongPtrW(hwnd_, GWL_EXSTYLE);
    SetWindowLongPtrW(hwnd_, GWL_EXSTYLE, (ex & ~static_cast<LONG_PTR>(WS_EX_APPWINDOW)) | WS_EX_TOOLWINDOW);
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, static_cast<LONG_PTR>(app::kCodeMain));
    SetWindowLongPtrW(hwnd_, GWL_STYLE, GetWindowLongPtrW(hwnd_, GWL_STYLE) | WS_MINIMIZEBOX | WS_SYSMENU);
    SetWindowTextW(hwnd_, LanguageText(L"MAIN_CAPTION").c_str());
}

void CKelvarinDlg::CreateKeyEventSlots() {
    key_event_slots_.clear();
    key_event_slots_.reserve(kKeyEventSlotCount);
    for (int n = 1; n <= kKeyEventSlotCount; ++n) {
        wchar_t name[64];
        swprintf(name, std::size(name), L"%lsMain_%02d", kKeyEventPrefix, n);
        key_event_slots_.emplace_back(CreateEventW(nullptr, FALSE, FALSE, name));
    }
}

void CKelvarinDlg::RegisterSessionNotifications() {
    using Register = BOOL(WINAPI*)(HWND, DWORD);
    app::UniqueModule wts(LoadLibraryW(L"WtsApi32.dll"));
    if (!wts) return;
    auto reg = reinterpret_cast<Register>(
        reinterpret_cast<void*>(GetProcAddress(wts.Get(), "WTSRegisterSessionNotification")));
    if (reg) reg(hwnd_, 0 /* this session only */);
}

}  // namespace kv::ui
