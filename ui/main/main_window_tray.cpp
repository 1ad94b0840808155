// The tray side of the main window: the initialisation message, the tray
// icon and menu, instance requests, opening and ending the program.
#include "app/resources/resource.h"
#include "app/startup/process_state.h"
#include "app/tray/instance_messages.h"
#include "ui/main/main_window.h"

namespace kv::ui {

namespace {

constexpr int kIconNoKeyboard = IDR_MAINFRAME;
constexpr int kIconAttached = IDI_TRAY_ATTACHED;

struct TrayMenuText {
    UINT command;
    const wchar_t* key;
};
constexpr TrayMenuText kTrayMenuTexts[] = {
    {ID_TRAY_OPEN, L"MENU_11"},
    {ID_TRAY_ABOUT, L"MENU_22"},
    {ID_TRAY_EXIT, L"MENU_33"},
};

}  // namespace

CKelvarinDlg::Reply CKelvarinDlg::OnInitMessage(WPARAM wparam, LPARAM) {
    if (wparam != app::kCodeInit) return {true, 0};
    tray_.Create(hwnd_, app::kMsgTrayNotify, LanguageText(L"KEYBOARD_TRAY_DESC"), app_icon_small_,
                 IDR_TRAY_MENU);
    tray_.SetMenuCallback([this](HMENU popup) { TranslateTrayMenu(popup); });
    tray_icon_.SetShown(kIconNoKeyboard);
    RebuildProfileMenu(true);
    init_done_ = 1;
    // The read-back seam may have seen a keyboard before the icon existed.
    StartReadBack(last_device_count_);
    ShowWindow(hwnd_, SW_HIDE);
    return {true, 0};
}

void CKelvarinDlg::TranslateTrayMenu(HMENU popup) const {
    for (const TrayMenuText& item : kTrayMenuTexts) {
        const std::wstring text = LanguageText(item.key);
        ModifyMenuW(popup, item.command, MF_BYCOMMAND | MF_STRING, item.command, text.c_str());
    }
}

void CKelvarinDlg::StartReadBack(int count) {
    last_device_count_ = count;
    if (init_done_) SetTrayIcon(0, count > 0 ? kIconAttached : kIconNoKeyboard);
}

void CKelvarinDlg::OnLayerChanged(int /*layer*/) {}

void CKelvarinDlg::OnLightingChanged() {}

void CKelvarinDlg::SetTrayIcon(int mode, int icon_id) {
    if (const auto target = tray_icon_.Choose(mode, icon_id)) tray_.SetIcon(*target);
}

CKelvarinDlg::Reply CKelvarinDlg::OnShowRequest(WPARAM wparam, LPARAM) {
    if (wparam == app::kCodeOpen) ShowMainWindow();
    return {true, 0};
}

CKelvarinDlg::Reply CKelvarinDlg::OnKillRequest(WPARAM wparam, LPARAM) {
    if (wparam == app::kCodeKill) ExitProgram();
    return {true, 0};
}

void CKelvarinDlg::ShowMainWindow() {
    if (last_device_count_ <= 0) {
        MessageBoxW(nullptr, LanguageText(L"MAIN_NO_DEVICE_PROMPT").c_str(), L"", MB_OK);
        return;
    }
    const LONG_PTR ex = GetWindowLongPtrW(hwnd_, GWL_EXSTYLE);
    SetWindowLongPtrW(hwnd_, GWL_EXSTYLE, (ex & ~static_cast<LONG_PTR>(WS_EX_TOOLWINDOW)) | WS_EX_APPWINDOW);
    show_allowed_ = true;
    ShowWindow(hwnd_, SW_SHOWNORMAL);
    SetForegroundWindow(hwnd_);
}

void CKelvarinDlg::ExitProgram() {
    ShowWindow(hwnd_, SW_HIDE);
    ShutdownMain();
    ReleaseSkinImages();
    EndDialog(hwnd_, IDCANCEL);
}

}  // namespace kv::ui
