// The program's main window: a modal dialog that lives hidden behind the tray
// icon for the whole run. This is its spine: single instance, device start-up,
// tray icon, instance requests and shutdown. The skinned controls, language
// texts and the configuration read-back plug into the seams marked below.
#pragma once

#include <windows.h>

#include <atomic>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/startup/handles.h"
#include "app/tray/tray_icon.h"
#include "app/tray/tray_icon_state.h"
#include "device/notify.h"

namespace kv::app {
class DeviceHost;
}

namespace kv::ui {

class CAboutDlg;

class CKelvarinDlg {
  public:
    // Settles the single instance and starts the daemon. When this process
    // only hands a request to a running copy, EndsAtOnce() is true afterwards
    // and the dialog must not run.
    CKelvarinDlg(HINSTANCE instance, app::DeviceHost& device, device::NotificationSink& sink,
                 std::span<const std::wstring> args);
    ~CKelvarinDlg();
    CKelvarinDlg(const CKelvarinDlg&) = delete;
    CKelvarinDlg& operator=(const CKelvarinDlg&) = delete;

    bool EndsAtOnce() const { return ends_at_once_; }
    // Runs the modal loop; returns when the program ends.
    INT_PTR RunModal();

    HWND Hwnd() const { return hwnd_; }
    bool InitDone() const { return init_done_ != 0; }
    int LastDeviceCount() const { return last_device_count_; }

    // Tray icon: mode 0 with an id shows it and makes it the presence icon;
    // mode 0 with id 0 returns to the presence icon; mode 1 shows the busy icon.
    void SetTrayIcon(int mode, int icon_id);

    // Notifier reactions (library or short-lived threads).
    // Seam: the configuration read-back run starts here. For now it records the
    // count and shows the presence icon once the window is initialised.
    void StartReadBack(int count);
    void OnLayerChanged(int layer);  // seam: G-key marks and captions
    void OnLightingChanged();        // seam: deferred lighting read-back

    // Closes sub-dialogs, the mutex, the event slots and the tray icon and
    // releases the configuration. Always succeeds.
    bool ShutdownMain();

    void ShowMainWindow();
    void ExitProgram();

    // Seam: language text lookup; returns the key itself until language files exist.
    std::wstring LanguageText(std::wstring_view key) const;

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

    // Seams for the skinned main window and the configuration model.
    void InitSkinnedDialogBase() {}
    void InstallDefaultWorkingSet() {}
    bool LoadSharedButtonImages() { return true; }  // skins do not exist yet: never fails
    void BuildSkinnedControls() {}
    void ApplyCurrentLanguage() {}
    void FillUserModeList() {}
    void RebuildProfileMenu(bool /*create*/) {}
    void ReleaseSkinImages() {}
    void ReleaseWorkingSet() {}
    void ReleaseAppliedSet() {}

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

    // Commands.
    void OnOk();
    void OnCancel();
    void OnApply();
    void OnTrayOpen() { ShowMainWindow(); }
    void OnTrayAbout() { OpenAboutBox(); }
    void OnExit() { ExitProgram(); }

    HINSTANCE instance_;
    app::DeviceHost& device_;
    device::NotificationSink& sink_;
    HWND hwnd_ = nullptr;
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
    std::atomic<int> last_device_count_{0};
    std::unique_ptr<CAboutDlg> about_;
};

}  // namespace kv::ui
