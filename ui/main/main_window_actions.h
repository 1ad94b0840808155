// What the parts of the main window may ask of the window itself.
#pragma once

namespace kv::ui {

// Who ends the program: the user (close button, tray Exit) is asked about
// pending changes first; a "/Kill" start never is.
enum class ExitReason { kUser, kKillRequest };

class MainWindowActions {
  public:
    virtual ~MainWindowActions() = default;
    // With a keyboard: taskbar button, shown, foreground; without: "MAIN_NO_DEVICE_PROMPT".
    virtual void ShowMainWindow() = 0;
    virtual void HideMainWindow() = 0;
    // Ends open boxes, menus and dialogs, then hides the window, shuts down and
    // ends the modal loop once they have returned: the program ends.
    virtual void ExitProgram(ExitReason reason) = 0;
    // At most one about box.
    virtual void OpenAboutBox() = 0;
    // The help document "Help\index.html".
    virtual void OpenHelp() = 0;
    // The profile manager (1005) and the firmware update dialog (32780), modal.
    virtual void OpenProfileManager() = 0;
    virtual void OpenFirmwareUpdate() = 0;
};

}  // namespace kv::ui
