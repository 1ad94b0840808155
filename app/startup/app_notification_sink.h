// What the program does when the device notifier reports something: each
// report goes on to the main window's receiver; until one is attached (and
// after it is detached at shutdown) reports are dropped.
#pragma once

#include <mutex>

#include "device/notify.h"

namespace kv::app {

class AppNotificationSink : public device::NotificationSink {
  public:
    void Attach(device::NotificationSink* target);

    void StartReadBack(int count) override;
    void LayerChanged(int layer) override;
    void LightingChanged() override;
    void KeyboardBusy(bool busy) override;

  private:
    std::recursive_mutex mutex_;
    device::NotificationSink* target_ = nullptr;
};

}  // namespace kv::app
