// The program's main window: a skinned dialog (template 102) that lives
// hidden behind the tray icon for the whole run. It owns one part per concern
// and hands every message to their route tables before its own:
//   KeyboardMap    key, G, Fn, flip and profile buttons
//   LightingPanel  lamp, modes, sliders, per-key tools, report rate, timer 1051
//   MainCommands   OK, Cancel, Apply, Default, links, help, menus, minimise, close
//   MainTray       tray icon and menu
//   BusyAnimation, SyncUiThread, MainPresence, MessageBoxes
//                  the configuration sync's roles on the window's side
//   MainProfileManager, MainUpdateDialog
//                  the profile manager and the firmware update dialog with their hosts
//   SubDialogs     the about box and the list of the dialogs the window owns
//   CompositeLink  the key assignment dialog and what it needs from the window
#pragma once

#include <windows.h>

#include <memory>

#include "app/settings/ini_panel_switch.h"
#include "app/settings/language.h"
#include "app/settings/language_texts.h"
#include "app/startup/app_services.h"
#include "app/startup/handles.h"
#include "model/lighting/lighting_model.h"
#include "model/sync/config_sync.h"
#include "ui/kit/base_dialog.h"
#include "ui/main/busy_animation.h"
#include "ui/main/composite_link.h"
#include "ui/main/device_events.h"
#include "ui/main/keyboard_filter.h"
#include "ui/main/keyboard_map.h"
#include "ui/main/lighting_panel.h"
#include "ui/main/main_canvases.h"
#include "ui/main/main_commands.h"
#include "ui/main/main_context.h"
#include "ui/main/main_presence.h"
#include "ui/main/main_profile_manager.h"
#include "ui/main/main_tray.h"
#include "ui/main/main_update_dialog.h"
#include "ui/main/main_window_actions.h"
#include "ui/main/message_boxes.h"
#include "ui/main/responsive_wait.h"
#include "ui/main/sub_dialogs.h"
#include "ui/main/sync_ui_thread.h"

namespace kv::ui {

class CKelvarinDlg : public CBaseDialog, public app::MainWindow, private MainWindowActions {
  public:
    // The services (with the configuration sets and their locks) outlive the window.
    explicit CKelvarinDlg(app::AppServices& app);
    ~CKelvarinDlg() override;

    // app::MainWindow
    device::NotificationSink& Notifications() override { return device_events_; }
    void RunModal() override { DoModal(); }

    // Closes the sub-dialogs, the mutex, the event slots and the tray icon and
    // releases the configuration. Always succeeds.
    bool ShutdownMain();

  protected:
    bool Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    BOOL OnInitDialog() override;

  private:
    // MainWindowActions
    void ShowMainWindow() override;
    void HideMainWindow() override { ShowWindow(hwnd_, SW_HIDE); }
    void ExitProgram(ExitReason reason) override;
    void OpenAboutBox() override;
    void OpenHelp() override;
    void OpenProfileManager() override { profile_manager_.Open(); }
    void OpenFirmwareUpdate() override { update_.Open(); }

    // Initialisation, in order; false when the program ends instead.
    bool Initialise();
    bool StartDevice();
    void StartSync();
    void InstallDefaultWorkingSet();
    void DressControls();
    void AddAboutToSystemMenu();
    void BecomeMainWindow();
    void ApplyCurrentLanguage();
    bool EndSilently();

    LRESULT OnQueryDragIcon(WPARAM, LPARAM);
    LRESULT OnSessionChange(WPARAM, LPARAM);
    LRESULT OnHelpRequest(WPARAM, LPARAM);
    LRESULT OnKillRequest(WPARAM code, LPARAM);
    LRESULT OnShowRequest(WPARAM code, LPARAM);
    LRESULT OnInitMessage(WPARAM code, LPARAM);
    LRESULT OnLanguageMessage(WPARAM code, LPARAM);
    LRESULT OnLayerMessage(WPARAM code, LPARAM);
    LRESULT OnCloseSubDialogs(WPARAM, LPARAM);

    // Ending the program (main_window_exit.cpp): once nothing is on the stack.
    void OnExitTimer() { FinishExit(); }
    LRESULT OnFinishExitMessage(WPARAM, LPARAM);
    void FinishExit();
    void AskToApplyBeforeExit();
    // While a keyboard exchange of this thread pumps: true when the message is dropped.
    bool IgnoredWhilePumping(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void PaintMinimised();

    app::AppServices& app_;
    ResponsiveWait responsive_;  // before the parts: they ask it whether an exchange pumps
    app::LanguageSettings language_settings_;
    app::LanguageTexts texts_;
    app::IniPanelSwitch panel_switch_;
    HICON icon_ = nullptr;
    HICON icon_small_ = nullptr;
    MainCanvases canvases_;
    MainContext context_;

    KeyboardMap keyboard_;
    LightingPanel lighting_;
    MainCommands commands_;
    MainTray tray_;
    BusyAnimation busy_;
    SyncUiThread ui_thread_;
    MainPresence presence_;
    MessageBoxes prompts_;
    DeviceEvents device_events_;
    MainProfileManager profile_manager_;
    MainUpdateDialog update_;
    SubDialogs dialogs_;
    CompositeLink composite_;
    KeyboardFilter keyboard_filter_;

    app::UniqueModule user32_;
    FARPROC set_layered_window_attributes_ = nullptr;  // required, never called
    bool show_allowed_ = false;                        // hidden until ShowMainWindow
    struct ExitState {
        bool requested = false;
        bool ask = false;  // about pending changes, before the end
        bool finishing = false;
    } exit_;

    // Built by the initialisation once the device side runs.
    std::unique_ptr<model::LightingModel> lighting_model_;
    std::unique_ptr<model::ConfigSync> sync_;
};

}  // namespace kv::ui
