// The notification-area icon: its record, its menu and its return after the
// taskbar has been re-created.
#pragma once

#include <windows.h>
// Windows headers that need the one above:
#include <shellapi.h>

#include <functional>
#include <mutex>
#include <string>
#include <string_view>

#include "app/tray/subclass_wnd.h"

namespace kv::app {

// The tip as it fits the record: at most 127 units, never ending on half a surrogate pair.
std::wstring FitTrayTip(std::wstring_view tip);

class CTrayIcon {
  public:
    using MenuCallback = std::function<void(HMENU popup)>;
    // Shows the menu at the point for the owner and returns once it has closed.
    using PopupRunner = std::function<void(HMENU popup, POINT at, HWND owner)>;

    CTrayIcon();
    virtual ~CTrayIcon();
    CTrayIcon(const CTrayIcon&) = delete;
    CTrayIcon& operator=(const CTrayIcon&) = delete;

    // Adds the icon; id is also the menu resource shown on a right click.
    // When the shell refuses it (no taskbar yet), the icon is added as soon as
    // the taskbar announces itself ("TaskbarCreated").
    bool Create(HWND owner, UINT callback_message, std::wstring_view tip, HICON icon, UINT id);
    // Takes the icon away for good: a later "TaskbarCreated" does not bring it back.
    void Remove();
    void Hide();
    void Show();
    // Loads an icon resource of the program and shows it; while the icon is
    // not in the notification area, it is the picture it comes back with.
    void SetIcon(int resource_id);
    void SetDefaultItem(UINT command) { default_item_ = command; }
    void SetMenuCallback(MenuCallback callback) { menu_callback_ = std::move(callback); }
    // How the menu is shown; by default TrackPopupMenu.
    void SetPopupRunner(PopupRunner runner) { popup_runner_ = std::move(runner); }

    // A mouse message from the shell; true when handled.
    virtual bool OnTrayNotification(WPARAM icon_id, LPARAM mouse_message);

    bool Present() const { return present_; }
    bool Hidden() const { return hidden_; }
    HICON ShownIcon() const;

    // The registered "TaskbarCreated" message.
    static UINT TaskbarCreatedMessage();

  private:
    class CTrayHook : public CSubclassWnd {
      public:
        explicit CTrayHook(CTrayIcon& tray) : tray_(tray) {}

      protected:
        LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam) override;

      private:
        CTrayIcon& tray_;
    };

    HMENU LoadTrayMenu() const;
    UINT DefaultCommand(HMENU popup) const;
    void OnTaskbarCreated();

    mutable std::recursive_mutex mutex_;  // the record changes on notification threads too
    bool present_ = false;
    bool hidden_ = false;
    bool wanted_ = false;  // created and not removed: the icon belongs in the notification area
    NOTIFYICONDATAW record_{};
    UINT default_item_ = 0;
    MenuCallback menu_callback_;
    PopupRunner popup_runner_;
    CTrayHook owner_hook_{*this};
    CTrayHook top_level_hook_{*this};
};

}  // namespace kv::app
