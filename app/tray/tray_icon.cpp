#include "app/tray/tray_icon.h"

#include <algorithm>

#include "app/startup/handles.h"

namespace kv::app {

namespace {

// The record version with balloon fields and the item id, without the balloon icon.
constexpr DWORD kRecordSize = NOTIFYICONDATAW_V3_SIZE;
constexpr UINT kAddFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;

}  // namespace

std::wstring FitTrayTip(std::wstring_view tip) {
    constexpr size_t kMax = sizeof(NOTIFYICONDATAW::szTip) / sizeof(wchar_t) - 1;
    if (tip.size() <= kMax) return std::wstring(tip);
    size_t n = kMax;
    if (IS_HIGH_SURROGATE(tip[n - 1])) --n;
    return std::wstring(tip.substr(0, n));
}

CTrayIcon::CTrayIcon() { record_.cbSize = kRecordSize; }

CTrayIcon::~CTrayIcon() {
    owner_hook_.Detach();
    top_level_hook_.Detach();
}

UINT CTrayIcon::TaskbarCreatedMessage() {
    static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}

bool CTrayIcon::Create(HWND owner, UINT callback_message, std::wstring_view tip, HICON icon, UINT id) {
    std::lock_guard lock(mutex_);
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof(version);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    GetVersionExW(&version);
#pragma GCC diagnostic pop
    if (version.dwMajorVersion < 4 || !IsWindow(owner)) {
        present_ = false;
        wanted_ = false;
        return false;
    }
    record_ = NOTIFYICONDATAW{};
    record_.cbSize = kRecordSize;
    record_.hWnd = owner;
    record_.uID = id;
    record_.uFlags = kAddFlags;
    record_.uCallbackMessage = callback_message;
    record_.hIcon = icon;
    const std::wstring fitted = FitTrayTip(tip);
    std::copy(fitted.begin(), fitted.end(), record_.szTip);
    record_.szTip[fitted.size()] = L'\0';

    owner_hook_.Attach(owner);
    HWND top = GetAncestor(owner, GA_ROOT);
    if (top && top != owner) top_level_hook_.Attach(top);
    TaskbarCreatedMessage();

    present_ = Shell_NotifyIconW(NIM_ADD, &record_) != FALSE;
    hidden_ = false;
    wanted_ = true;
    return present_;
}

void CTrayIcon::Remove() {
    std::lock_guard lock(mutex_);
    if (present_) Shell_NotifyIconW(NIM_DELETE, &record_);
    present_ = false;
    hidden_ = false;
    wanted_ = false;
}

void CTrayIcon::Hide() {
    std::lock_guard lock(mutex_);
    if (!present_ || hidden_) return;
    record_.uFlags = NIF_ICON;
    Shell_NotifyIconW(NIM_DELETE, &record_);
    hidden_ = true;
}

void CTrayIcon::Show() {
    std::lock_guard lock(mutex_);
    if (!present_ || !hidden_) return;
    record_.uFlags = kAddFlags;
    Shell_NotifyIconW(NIM_ADD, &record_);
    hidden_ = false;
}

void CTrayIcon::SetIcon(int resource_id) {
    std::lock_guard lock(mutex_);
    if (!wanted_) return;
    // Shared icons stay loaded for the run and need no release.
    HICON icon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resource_id),
                                               IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                               GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    if (!icon) return;
    record_.hIcon = icon;
    if (!present_) return;  // shown once the icon is added
    record_.uFlags = NIF_ICON;
    Shell_NotifyIconW(NIM_MODIFY, &record_);
}

void CTrayIcon::OnTaskbarCreated() {
    std::lock_guard lock(mutex_);
    if (present_ && !hidden_) {
        // The new taskbar knows no icons: put this one back with its picture and tip.
        Hide();
        Show();
    } else if (wanted_ && !present_) {
        // The taskbar was not there when the icon was created.
        record_.uFlags = kAddFlags;
        present_ = Shell_NotifyIconW(NIM_ADD, &record_) != FALSE;
        hidden_ = false;
    }
}

HICON CTrayIcon::ShownIcon() const {
    std::lock_guard lock(mutex_);
    return record_.hIcon;
}

HMENU CTrayIcon::LoadTrayMenu() const {
    return LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(record_.uID));
}

UINT CTrayIcon::DefaultCommand(HMENU popup) const {
    if (default_item_ != 0) return default_item_;
    return GetMenuItemID(popup, 0);
}

bool CTrayIcon::OnTrayNotification(WPARAM icon_id, LPARAM mouse_message) {
    if (icon_id != record_.uID) return false;
    const UINT mouse = LOWORD(mouse_message);
    if (mouse != WM_RBUTTONUP && mouse != WM_LBUTTONDBLCLK) return true;

    UniqueMenu menu(LoadTrayMenu());
    if (!menu) return true;
    HMENU popup = GetSubMenu(menu.Get(), 0);
    if (!popup) return true;
    HWND owner = record_.hWnd;
    if (mouse == WM_RBUTTONUP) {
        if (default_item_ != 0)
            SetMenuDefaultItem(popup, default_item_, FALSE);
        else
            SetMenuDefaultItem(popup, 0, TRUE);
        if (menu_callback_) menu_callback_(popup);
        POINT cursor{};
        GetCursorPos(&cursor);
        SetForegroundWindow(owner);
        if (popup_runner_)
            popup_runner_(popup, cursor, owner);
        else
            TrackPopupMenu(popup, 0, cursor.x, cursor.y, 0, owner, nullptr);
    } else {
        SetForegroundWindow(owner);
        SendMessageW(owner, WM_COMMAND, DefaultCommand(popup), 0);
    }
    return true;
}

LRESULT CTrayIcon::CTrayHook::WindowProc(UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == tray_.record_.uCallbackMessage && Window() == tray_.record_.hWnd) {
        tray_.OnTrayNotification(wparam, lparam);
    } else if (message == TaskbarCreatedMessage()) {
        tray_.OnTaskbarCreated();
    }
    return PassOn(message, wparam, lparam);
}

}  // namespace kv::app
