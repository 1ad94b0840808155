#include "ui/main/main_window.h"

#include <iterator>

#include "app/resources/resource.h"
#include "app/startup/device_host.h"
#include "app/startup/process_state.h"
#include "app/tray/instance_messages.h"
#include "ui/dialogs/about_dlg.h"

namespace kv::ui {

const CKelvarinDlg::MessageRoute CKelvarinDlg::kMessageRoutes[] = {
    {WM_COMMAND, &CKelvarinDlg::OnCommand},
    {WM_SYSCOMMAND, &CKelvarinDlg::OnSysCommand},
    {WM_WINDOWPOSCHANGING, &CKelvarinDlg::OnWindowPosChanging},
    {WM_QUERYDRAGICON, &CKelvarinDlg::OnQueryDragIcon},
    {WM_WTSSESSION_CHANGE, &CKelvarinDlg::OnSessionChange},
    {app::kMsgKill, &CKelvarinDlg::OnKillRequest},
    {app::kMsgShow, &CKelvarinDlg::OnShowRequest},
    {app::kMsgInit, &CKelvarinDlg::OnInitMessage},
};

const CKelvarinDlg::CommandRoute CKelvarinDlg::kCommandRoutes[] = {
    {IDOK, &CKelvarinDlg::OnOk},
    {IDCANCEL, &CKelvarinDlg::OnCancel},
    {IDC_APPLY, &CKelvarinDlg::OnApply},
    {IDC_CLOSE, &CKelvarinDlg::OnExit},
    {ID_TRAY_OPEN, &CKelvarinDlg::OnTrayOpen},
    {ID_TRAY_ABOUT, &CKelvarinDlg::OnTrayAbout},
    {ID_TRAY_EXIT, &CKelvarinDlg::OnExit},
};

CKelvarinDlg::CKelvarinDlg(HINSTANCE instance, app::DeviceHost& device, device::NotificationSink& sink,
                           std::span<const std::wstring> args)
    : instance_(instance), device_(device), sink_(sink) {
    app_icon_ = LoadIconW(instance_, MAKEINTRESOURCEW(IDR_MAINFRAME));
    app_icon_small_ = static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON,
                                                    GetSystemMetrics(SM_CXSMICON),
                                                    GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    if (!SettleInstance(args)) {
        ends_at_once_ = true;
        return;
    }
    StartDaemon();
    SetModified(false);
}

CKelvarinDlg::~CKelvarinDlg() = default;

INT_PTR CKelvarinDlg::RunModal() {
    if (ends_at_once_) return 0;
    return DialogBoxParamW(instance_, MAKEINTRESOURCEW(IDD_KELVARIN_DIALOG), nullptr,
                           &CKelvarinDlg::DialogProc, reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK CKelvarinDlg::DialogProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    try {
        if (message == WM_INITDIALOG) {
            auto* self = reinterpret_cast<CKelvarinDlg*>(lparam);
            // DWLP_USER keeps the object; GWLP_USERDATA is reserved for the 'MAIN' marker.
            SetWindowLongPtrW(hwnd, DWLP_USER, lparam);
            self->hwnd_ = hwnd;
            return self->Initialise() ? TRUE : FALSE;
        }
        auto* self = reinterpret_cast<CKelvarinDlg*>(GetWindowLongPtrW(hwnd, DWLP_USER));
        return self ? self->Dispatch(message, wparam, lparam) : FALSE;
    } catch (...) {
        return FALSE;
    }
}

INT_PTR CKelvarinDlg::Dispatch(UINT message, WPARAM wparam, LPARAM lparam) {
    for (const MessageRoute& route : kMessageRoutes) {
        if (route.message != message) continue;
        const Reply reply = (this->*route.handler)(wparam, lparam);
        if (!reply.handled) return FALSE;
        if (message == WM_QUERYDRAGICON) return reply.result;  // returned directly, not as a message result
        SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, reply.result);
        return TRUE;
    }
    return FALSE;
}

CKelvarinDlg::Reply CKelvarinDlg::OnCommand(WPARAM wparam, LPARAM) {
    const UINT id = LOWORD(wparam);
    for (const CommandRoute& route : kCommandRoutes) {
        if (route.id == id) {
            (this->*route.handler)();
            return {true, 0};
        }
    }
    return {false, 0};
}

CKelvarinDlg::Reply CKelvarinDlg::OnSysCommand(WPARAM wparam, LPARAM) {
    if ((wparam & 0xFFF0) != IDM_ABOUTBOX) return {false, 0};
    OpenAboutBox();
    return {true, 0};
}

CKelvarinDlg::Reply CKelvarinDlg::OnWindowPosChanging(WPARAM, LPARAM lparam) {
    // The dialog manager shows a modal dialog once its queue runs empty; the
    // main window appears only through ShowMainWindow.
    auto* pos = reinterpret_cast<WINDOWPOS*>(lparam);
    if (!show_allowed_ && (pos->flags & SWP_SHOWWINDOW)) pos->flags &= ~SWP_SHOWWINDOW;
    return {false, 0};
}

CKelvarinDlg::Reply CKelvarinDlg::OnQueryDragIcon(WPARAM, LPARAM) {
    return {true, reinterpret_cast<LRESULT>(app_icon_)};
}

CKelvarinDlg::Reply CKelvarinDlg::OnSessionChange(WPARAM, LPARAM) {
    return {true, 0};  // locking or switching the session changes nothing
}

void CKelvarinDlg::OnOk() {
    // Seam: apply pending changes first.
    ShowWindow(hwnd_, SW_HIDE);
}

void CKelvarinDlg::OnCancel() { ShowWindow(hwnd_, SW_HIDE); }

void CKelvarinDlg::OnApply() {
    // Seam: ApplyChanges.
}

void CKelvarinDlg::SetModified(bool modified) {
    modified_ = modified;
    if (hwnd_) EnableWindow(GetDlgItem(hwnd_, IDC_APPLY), modified ? TRUE : FALSE);
}

std::wstring CKelvarinDlg::LanguageText(std::wstring_view key) const { return std::wstring(key); }

void CKelvarinDlg::OpenAboutBox() {
    if (!about_) about_ = std::make_unique<CAboutDlg>(instance_);
    about_->Open(hwnd_);
}

void CKelvarinDlg::CloseAboutBox() {
    if (about_) about_->Close();
}

}  // namespace kv::ui
