// What the program does when the device notifier reports something. Each
// reaction forwards to the main window; until the window is attached (and
// after it is detached at shutdown) reports are dropped.
#pragma once

#include <mutex>

#include "device/notify.h"

namespace kv::ui {
class CKelvarinDlg;
}

namespace kv::app {

class AppNotificationSink : public device::NotificationSink {
  public:
    void Attach(ui::CKelvarinDlg* window);

    void StartReadBack(int count) override;
    void LayerChanged(int layer) override;
    void LightingChanged() override;
    void SetTrayIcon(int mode, int icon_id) override;

  private:
    std::recursive_mutex mutex_;
    ui::CKelvarinDlg* window_ = nullptr;
};

}  // namespace kv::app
