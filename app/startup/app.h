// The application object: builds the paths, opens the per-user registry key,
// owns the configuration locks and the device side, and runs the main window.
#pragma once

#include <windows.h>

#include <memory>
#include <mutex>
#include <optional>

#include "app/startup/app_notification_sink.h"
#include "app/startup/device_host.h"
#include "app/startup/handles.h"

namespace kv::ui {
class CKelvarinDlg;
}

namespace kv::app {

class CKelvarinApp {
  public:
    CKelvarinApp();
    ~CKelvarinApp();
    CKelvarinApp(const CKelvarinApp&) = delete;
    CKelvarinApp& operator=(const CKelvarinApp&) = delete;

    // Runs the whole program; the process's exit code (always 0).
    int Run(HINSTANCE instance);

  private:
    UniqueRegistryKey user_registry_key_;
    std::optional<std::recursive_mutex> working_config_lock_;
    std::optional<std::recursive_mutex> applied_config_lock_;
    // The sink outlives the device side: the notifier joins its threads, which
    // may still report to the sink, when it goes away.
    AppNotificationSink sink_;
    DeviceHost device_;
    std::unique_ptr<ui::CKelvarinDlg> main_window_;
};

}  // namespace kv::app
