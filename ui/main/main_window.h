// The program's main window: a modal dialog that lives hidden behind the tray
// icon for the whole run: single instance, device start-up, tray icon,
// instance requests, language texts, the configuration sync (it is the sync's
// host) and shutdown. The skinned controls plug into the seams marked below.
#pragma once

#include <windows.h>

#include <atomic>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/settings/ini_panel_switch.h"
#include "app/settings/language.h"
#include "app/settings/language_texts.h"
#include "app/startup/handles.h"
#include "app/tray/tray_icon.h"
#include "app/tray/tray_icon_state.h"
#include "device/notify.h"
#include "model/config_sets.h"
#include "model/lighting/lighting_model.h"
#include "model/sync/config_sync.h"
#include "model/sync/sync_host.h"
#include "ui/kit/image_file.h"

namespace kv::app {
class DeviceHost;
}

namespace kv::ui {

class CAboutDlg;

class CKelvarinDlg : public model::SyncHost {
  public:
    // Settles the single instance and starts the daemon. When this process
    // only hands a request to a running copy, EndsAtOnce() is true afterwards
    // and the dialog must not run. `sets` (with its locks) outlives the window.
    CKelvarinDlg(HINSTANCE instance, app::DeviceHost& device, device::NotificationSink& sink,
                 model::ConfigSets& sets, std::span<const std::wstring> args);
    ~CKelvarinDlg() override;
    CKelvarinDlg(const CKelvarinDlg&) = delete;
    CKelvarinDlg& operator=(const CKelvarinDlg&) = delete;

    bool EndsAtOnce() const { return ends_at_once_; }
    // Runs the modal loop; returns when the program ends.
    INT_PTR RunModal();

    HWND Hwnd() const { return hwnd_; }
    bool InitDone() const override { return init_done_ != 0; }
    // Keyboards seen by the last read-back run.
    int LastDeviceCount() const;

    // Tray icon: mode 0 with an id shows it and makes it the presence icon;
    // mode 0 with id 0 returns to the presence icon; mode 1 shows the busy icon.
    void SetTrayIcon(int mode, int icon_id) override;

    // Notifier reactions (library or short-lived threads).
    // Starts a configuration read-back run on its own thread.
    void StartReadBack(int count);
    // Posts 'PE' with 'LED': the G-key marks follow the new layer.
    void OnLayerChanged(int layer);
    // Starts timer 1051, which reads the lighting records back.
    void OnLightingChanged();

    // Closes sub-dialogs, the mutex, the event slots and the tray icon and
    // releases the configuration. Always succeeds.
    bool ShutdownMain();

    void ShowMainWindow();
    void ExitProgram();

    // The text of the current language; "#Error" when it is missing.
    std::wstring LanguageText(const wchar_t* section, const wchar_t* key) const;

    // SyncHost (see model/sync/sync_host.h for the threads each runs on).
    void ShowMessage(std::u16string_view text, uint32_t flags) override;
    void RunOnUiThread(const std::function<void()>& work) override;
    void ServiceUiWhileWaiting() override;
    void CloseSubDialogs() override;
    void HideMainWindow() override;
    void PostOpen() override;
    bool AutoOpenSuppressed() const override;
    void SetAutoOpenSuppressed(bool suppressed) override;
    int AskMessage(std::u16string_view text, uint32_t flags) override;
    void RefreshKeyButtons() override {}  // seam: the keyboard picture
    void SetCurrentProfile(int profile) override { current_profile_ = profile; }
    void RefreshLightingPanel(bool /*with_key_view*/) override {}  // seam: the lighting panel
    model::GLayer CurrentLayer() const override;
    void BusyBegin() override;
    void BusyEnd() override;
    bool PendingChanges() const override { return modified_; }
    void SetPendingChanges(bool pending) override { SetModified(pending); }
    std::filesystem::path UserFolder() const override;

  private:
    struct Reply {
        bool handled;
        LRESULT result;
    };
    using MessageHandler = Reply (CKelvarinDlg::*)(WPARAM, LPARAM);
    using CommandHandler = void (CKelvarinDlg::*)();
    struct MessageRoute {
        UINT message;
        MessageHandler handler;
    };
    struct CommandRoute {
        UINT id;
        CommandHandler handler;
    };
    static const MessageRoute kMessageRoutes[];
    static const CommandRoute kCommandRoutes[];

    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
    INT_PTR Dispatch(UINT message, WPARAM wparam, LPARAM lparam);

    // Instance decision of a new process; true when this process goes on.
    bool SettleInstance(std::span<const std::wstring> args);
    void StartDaemon();

    // Initialisation, in order; false ends the program silently.
    bool Initialise();
    bool BindDevice();
    void AddAboutToSystemMenu();
    void BecomeMainWindow();
    void CreateKeyEventSlots();
    void RegisterSessionNotifications();
    void EndSilently();

    // Seams for the skinned main window.
    void InitSkinnedDialogBase() {}
    void BuildSkinnedControls() {}
    void FillUserModeList() {}
    void RebuildProfileMenu(bool /*create*/) {}

    // Configuration sync and lighting, built once the device side runs.
    void StartSync();
    void InstallDefaultWorkingSet();
    void ReleaseWorkingSet();
    void ReleaseAppliedSet();
    // The eleven button images every skinned window shares; false when one is missing.
    bool LoadSharedButtonImages();
    void ReleaseSkinImages();
    // Sends itself 'PA' with 'LANG' and the current language index.
    void ApplyCurrentLanguage();
    void ApplyLanguageTexts();
    // The owner of a message box shown from the calling thread.
    HWND MessageOwner() const;

    void SetModified(bool modified);
    void TranslateTrayMenu(HMENU popup) const;
    void OpenAboutBox();
    void CloseAboutBox();

    // Messages.
    Reply OnCommand(WPARAM wparam, LPARAM lparam);
    Reply OnSysCommand(WPARAM wparam, LPARAM lparam);
    Reply OnWindowPosChanging(WPARAM wparam, LPARAM lparam);
    Reply OnQueryDragIcon(WPARAM wparam, LPARAM lparam);
    Reply OnSessionChange(WPARAM wparam, LPARAM lparam);
    Reply OnKillRequest(WPARAM wparam, LPARAM lparam);
    Reply OnShowRequest(WPARAM wparam, LPARAM lparam);
    Reply OnInitMessage(WPARAM wparam, LPARAM lparam);
    Reply OnReloadMessage(WPARAM wparam, LPARAM lparam);
    Reply OnLayerMessage(WPARAM wparam, LPARAM lparam);
    Reply OnLanguageMessage(WPARAM wparam, LPARAM lparam);
    Reply OnCloseSubDialogs(WPARAM wparam, LPARAM lparam);
    Reply OnBusyMessage(WPARAM wparam, LPARAM lparam);
    Reply OnStartLightingTimer(WPARAM wparam, LPARAM lparam);
    Reply OnTimer(WPARAM wparam, LPARAM lparam);

    // Commands.
    void OnOk();
    void OnCancel();
    void OnApply();
    void OnDefault();
    void OnTrayOpen() { ShowMainWindow(); }
    void OnTrayAbout() { OpenAboutBox(); }
    void OnExit() { ExitProgram(); }

    HINSTANCE instance_;
    app::DeviceHost& device_;
    device::NotificationSink& sink_;
    model::ConfigSets& sets_;
    app::LanguageSettings language_settings_;
    app::LanguageTexts language_texts_;
    app::IniPanelSwitch panel_switch_;
    HWND hwnd_ = nullptr;
    DWORD ui_thread_ = 0;
    HICON app_icon_ = nullptr;
    HICON app_icon_small_ = nullptr;
    bool ends_at_once_ = false;
    bool modified_ = false;
    bool show_allowed_ = false;  // the window stays hidden until ShowMainWindow

    app::UniqueKernelHandle single_instance_mutex_;
    std::vector<app::UniqueKernelHandle> key_event_slots_;
    app::UniqueModule user32_;
    FARPROC set_layered_window_attributes_ = nullptr;  // required, never called

    app::CTrayIcon tray_;
    app::TrayIconState tray_icon_;
    std::atomic<int> init_done_{0};
    std::unique_ptr<CAboutDlg> about_;
    std::vector<DecodedImage> shared_images_;
    int current_profile_ = 0;
    int busy_frame_ = 0;

    // Work a sync thread hands to this thread with 'TR' / 'PROF'; one at a time.
    std::mutex ui_work_send_;
    std::mutex ui_work_mutex_;
    const std::function<void()>* ui_work_ = nullptr;

    // Built in Initialise after the device side; read from notifier threads.
    std::unique_ptr<model::LightingModel> lighting_;
    std::unique_ptr<model::ConfigSync> sync_;
    std::atomic<model::ConfigSync*> sync_ready_{nullptr};
};

}  // namespace kv::ui
