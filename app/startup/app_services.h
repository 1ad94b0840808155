// What the application object hands the main window, and the main window as
// the application object runs it. The entry point puts the two together, so
// that app/ never needs to know the window's class.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <memory>

#include "app/settings/profile_values.h"
#include "app/startup/device_host.h"
#include "app/startup/key_event_slots.h"
#include "app/startup/paths.h"
#include "app/startup/user_settings_location.h"
#include "app/tray/single_instance.h"
#include "device/notify.h"
#include "model/config_sets.h"

namespace kv::app {

struct AppServices {
    HINSTANCE instance;
    const AppPaths& paths;
    HKEY user_registry_key;  // HKCU\Software\QX5307, or nullptr when it could not be opened
    // The application's profile strings (HKCU\Software\Kelvarin_Ostrand\Kelvarin).
    const ProfileValues& profile_values;
    DeviceHost& device;
    // What the device side reports to: it passes reports on to the window's
    // Notifications() while the window runs.
    device::NotificationSink& notifications;
    model::ConfigSets& sets;  // with WorkingConfigLock and AppliedConfigLock
    SingleInstance& single_instance;
    KeyEventSlots& key_events;
    UserSettingsLocation& user_settings;
    // true: the window does not open by itself when the keyboard is found.
    std::atomic<bool>& auto_open_suppressed;
};

class MainWindow {
  public:
    virtual ~MainWindow() = default;
    // Where the device notifier's reports go while the window runs.
    virtual device::NotificationSink& Notifications() = 0;
    // Runs the window's modal loop; returns when the program ends.
    virtual void RunModal() = 0;
};

using MainWindowFactory = std::function<std::unique_ptr<MainWindow>(AppServices&)>;

}  // namespace kv::app
