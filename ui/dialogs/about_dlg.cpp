#include "ui/dialogs/about_dlg.h"

#include "app/resources/resource.h"
#include "app/tray/instance_messages.h"
#include "ui/kit/message_map.h"

namespace kv::ui {

CAboutDlg::CAboutDlg(HINSTANCE instance)
    : Dialog(DialogTemplate{instance, MAKEINTRESOURCEW(IDD_ABOUTBOX), nullptr}) {}

void CAboutDlg::Open(HWND owner, AboutContent content) {
    if (hwnd_) return;
    content_ = std::move(content);
    Create(owner);
}

void CAboutDlg::Close() {
    if (!hwnd_) return;
    HWND hwnd = hwnd_;
    if (!DestroyWindow(hwnd)) ShowWindow(hwnd, SW_HIDE);
}

bool CAboutDlg::Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    static constexpr MessageRoute<CAboutDlg> kMessages[] = {
        {app::kMsgLanguage, &CAboutDlg::OnLanguage},
        {WM_HELP, &CAboutDlg::OnHelp},
    };
    static constexpr MessageMap<CAboutDlg> kMap{kMessages};
    return kMap.Route(*this, message, wParam, lParam, result) ||
           Dialog::Route(message, wParam, lParam, result);
}

BOOL CAboutDlg::OnInitDialog() {
    line1_.Attach(hwnd_, IDC_ABOUT_LINE1);
    line2_.Attach(hwnd_, IDC_ABOUT_LINE2);
    line1_.SetTextColor(GetSysColor(COLOR_WINDOWTEXT));
    line2_.SetTextColor(GetSysColor(COLOR_WINDOWTEXT));
    link_.Attach(hwnd_, IDC_ABOUT_LINK);
    SetWindowTextW(link_.hwnd(), content_.link_text.c_str());
    link_.SetTarget(content_.link_target);
    ShowWindow(hwnd_, SW_SHOW);
    SendMessageW(hwnd_, app::kMsgLanguage, app::kCodeLang, 0);
    return TRUE;
}

// The texts always follow the stored language; the index only says that it changed.
LRESULT CAboutDlg::OnLanguage(WPARAM code, LPARAM) {
    if (code != app::kCodeLang || !content_.text) return 0;
    SetWindowTextW(hwnd_, content_.text(L"LANG_ABOUT_TITLE").c_str());
    SetWindowTextW(line1_.hwnd(), content_.text(L"GUANYU_JIESHAO").c_str());
    SetWindowTextW(line2_.hwnd(), content_.text(L"GUANYU_BANQUAN").c_str());
    SetDlgItemTextW(hwnd_, IDOK, content_.text(L"LANG_ABOUT_OK").c_str());
    return 0;
}

LRESULT CAboutDlg::OnHelp(WPARAM, LPARAM) {
    if (content_.help) content_.help();
    return TRUE;
}

}  // namespace kv::ui
