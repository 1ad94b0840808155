#include "ui/dialogs/about_dlg.h"

#include "app/resources/resource.h"

namespace kv::ui {

void CAboutDlg::Open(HWND owner) {
    if (hwnd_) return;
    hwnd_ = CreateDialogParamW(instance_, MAKEINTRESOURCEW(IDD_ABOUTBOX), owner, &CAboutDlg::DialogProc,
                               reinterpret_cast<LPARAM>(this));
    if (hwnd_) ShowWindow(hwnd_, SW_SHOW);
}

void CAboutDlg::Close() {
    if (!hwnd_) return;
    HWND hwnd = hwnd_;
    hwnd_ = nullptr;
    if (!DestroyWindow(hwnd)) ShowWindow(hwnd, SW_HIDE);
}

INT_PTR CALLBACK CAboutDlg::DialogProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(hwnd, DWLP_USER, lparam);
        return TRUE;
    }
    auto* self = reinterpret_cast<CAboutDlg*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    if (!self) return FALSE;
    if (message == WM_COMMAND && (LOWORD(wparam) == IDOK || LOWORD(wparam) == IDCANCEL)) {
        self->Close();
        return TRUE;
    }
    return FALSE;
}

}  // namespace kv::ui
