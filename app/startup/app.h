// The application object: builds the paths, opens the per-user registry key,
// owns the configuration locks and the device side, settles the single
// instance, starts the daemon and runs the main window.
#pragma once

#include <windows.h>

#include <atomic>
#include <memory>
#include <optional>

#include "app/settings/profile_values.h"
#include "app/settings/registry_key.h"
#include "app/startup/app_notification_sink.h"
#include "app/startup/app_services.h"
#include "app/startup/device_host.h"
#include "app/startup/handles.h"
#include "app/startup/key_event_slots.h"
#include "app/startup/paths.h"
#include "app/startup/user_settings_location.h"
#include "app/tray/single_instance.h"
#include "model/config_sets.h"

namespace kv::app {

class CKelvarinApp {
  public:
    explicit CKelvarinApp(MainWindowFactory make_main_window);
    ~CKelvarinApp();
    CKelvarinApp(const CKelvarinApp&) = delete;
    CKelvarinApp& operator=(const CKelvarinApp&) = delete;

    // Runs the whole program; the process's exit code (always 0).
    int Run(HINSTANCE instance);

  private:
    MainWindowFactory make_main_window_;
    AppPaths paths_;
    UniqueRegistryKey user_registry_key_;
    RegKey app_key_;
    std::optional<ProfileValues> profile_values_;
    // The working and applied sets with WorkingConfigLock and AppliedConfigLock.
    std::optional<model::ConfigSets> sets_;
    SingleInstance single_instance_;
    KeyEventSlots key_events_;
    UserSettingsLocation user_settings_;
    std::atomic<bool> auto_open_suppressed_{false};
    // The sink outlives the device side: the notifier joins its threads, which
    // may still report to the sink, when it goes away.
    AppNotificationSink sink_;
    DeviceHost device_;
    std::unique_ptr<MainWindow> main_window_;
};

}  // namespace kv::app
