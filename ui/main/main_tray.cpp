#include "ui/main/main_tray.h"

#include "app/resources/resource.h"
#include "app/tray/instance_messages.h"
#include "ui/kit/message_map.h"
#include "ui/kit/nested_loops.h"
#include "ui/main/main_window_messages.h"

namespace kv::ui {

namespace {

struct MenuText {
    UINT command;
    const wchar_t* key;
};
constexpr MenuText kMenuTexts[] = {
    {ID_TRAY_OPEN, L"MENU_11"},
    {ID_TRAY_ABOUT, L"MENU_22"},
    {ID_TRAY_EXIT, L"MENU_33"},
};

}  // namespace

bool MainTray::Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    static constexpr CommandRoute<MainTray> kCommands[] = {
        {ID_TRAY_OPEN, kAnyNotify, &MainTray::OnOpen},
        {ID_TRAY_ABOUT, kAnyNotify, &MainTray::OnAbout},
        {ID_TRAY_EXIT, kAnyNotify, &MainTray::OnExit},
    };
    static constexpr MessageRoute<MainTray> kMessages[] = {
        {kMsgTrayIcon, &MainTray::OnIconChange},
    };
    static constexpr MessageMap<MainTray> kMap{kMessages, kCommands};
    return kMap.Route(*this, message, wParam, lParam, result);
}

void MainTray::Create() {
    tray_.Create(context_.hwnd, app::kMsgTrayNotify, context_.Text(L"KEYBOARD_TRAY_DESC"), icon_,
                 IDR_TRAY_MENU);
    tray_.SetMenuCallback([this](HMENU popup) { TranslateMenu(popup); });
    tray_.SetPopupRunner([this](HMENU popup, POINT at, HWND owner) { RunMenu(popup, at, owner); });
    state_.SetShown(app::TrayIconState::kNoKeyboard);
}

void MainTray::Remove() {
    tray_.Remove();
    state_.SetShown(0);
}

void MainTray::TranslateMenu(HMENU popup) const {
    for (const MenuText& item : kMenuTexts) {
        const std::wstring text = context_.Text(item.key);
        ModifyMenuW(popup, item.command, MF_BYCOMMAND | MF_STRING, item.command, text.c_str());
    }
}

// A loop that an exit request can end; not while a keyboard exchange pumps.
void MainTray::RunMenu(HMENU popup, POINT at, HWND owner) const {
    if (context_.ExchangePumping()) return;
    NestedPopupMenu(popup, 0, at.x, at.y, owner);
}

void MainTray::ShowPresence(bool attached) {
    PostIconChange(0, attached ? app::TrayIconState::kAttached : app::TrayIconState::kNoKeyboard);
}

void MainTray::ShowBusy(bool busy) { PostIconChange(busy ? 1 : 0, 0); }

// The shell call and the icon state belong to the window's thread.
void MainTray::PostIconChange(int mode, int icon_id) {
    PostMessageW(context_.hwnd, kMsgTrayIcon, static_cast<WPARAM>(mode), static_cast<LPARAM>(icon_id));
}

LRESULT MainTray::OnIconChange(WPARAM mode, LPARAM icon_id) {
    if (std::optional<int> icon = state_.Choose(static_cast<int>(mode), static_cast<int>(icon_id)))
        tray_.SetIcon(*icon);
    return 0;
}

void MainTray::OnOpen(WORD) { context_.window.ShowMainWindow(); }

void MainTray::OnAbout(WORD) { context_.window.OpenAboutBox(); }

void MainTray::OnExit(WORD) { context_.window.ExitProgram(ExitReason::kUser); }

}  // namespace kv::ui
