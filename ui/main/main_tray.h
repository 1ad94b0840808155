// The main window's side of the tray: the icon, its menu in the current
// language, the icon that shows the keyboard's state, and the menu's commands.
#pragma once

#include <windows.h>

#include <optional>

#include "app/tray/tray_icon.h"
#include "app/tray/tray_icon_state.h"
#include "ui/main/main_context.h"

namespace kv::ui {

class MainTray {
  public:
    MainTray(MainContext& context, HICON icon) : context_(context), icon_(icon) {}

    bool Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // Adds the icon (initialisation message): tip "KEYBOARD_TRAY_DESC", no keyboard yet.
    void Create();
    // Shutdown: the icon goes and its state is cleared.
    void Remove();

    // From any thread: the keyboard attached or not, busy or idle. The icon
    // changes on the window's thread, in the order the changes were asked for.
    void ShowPresence(bool attached);
    void ShowBusy(bool busy);

  private:
    void TranslateMenu(HMENU popup) const;
    void RunMenu(HMENU popup, POINT at, HWND owner) const;
    void PostIconChange(int mode, int icon_id);
    LRESULT OnIconChange(WPARAM mode, LPARAM icon_id);
    void OnOpen(WORD code);
    void OnAbout(WORD code);
    void OnExit(WORD code);

    MainContext& context_;
    HICON icon_;
    app::CTrayIcon tray_;
    app::TrayIconState state_;
};

}  // namespace kv::ui
