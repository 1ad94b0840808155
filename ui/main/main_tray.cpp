#include "ui/main/main_tray.h"

#include "app/resources/resource.h"
#include "app/tray/instance_messages.h"
#include "ui/kit/message_map.h"

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
    static constexpr MessageMap<MainTray> kMap{{}, kCommands};
    return kMap.Route(*this, message, wParam, lParam, result);
}

void MainTray::Create() {
    tray_.Create(context_.hwnd, app::kMsgTrayNotify, context_.Text(L"KEYBOARD_TRAY_DESC"), icon_,
                 IDR_TRAY_MENU);
    tray_.SetMenuCallback([this](HMENU popup) { TranslateMenu(popup); });
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

void MainTray::Show(std::optional<int> icon) {
    if (icon) tray_.SetIcon(*icon);
}

void MainTray::ShowPresence(bool attached) { Show(state_.ShowPresence(attached)); }

void MainTray::ShowBusy(bool busy) { Show(state_.ShowBusy(busy)); }

void MainTray::OnOpen(WORD) { context_.window.ShowMainWindow(); }

void MainTray::OnAbout(WORD) { context_.window.OpenAboutBox(); }

void MainTray::OnExit(WORD) { context_.window.ExitProgram(); }

}  // namespace kv::ui
