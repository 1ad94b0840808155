// Where the device notifier's reports reach the main window; each runs on a
// library or short-lived thread and only hands the work on.
#pragma once

#include "device/notify.h"
#include "ui/main/lighting_panel.h"
#include "ui/main/main_context.h"
#include "ui/main/main_tray.h"

namespace kv::ui {

class DeviceEvents : public device::NotificationSink {
  public:
    DeviceEvents(MainContext& context, LightingPanel& lighting, MainTray& tray)
        : context_(context), lighting_(lighting), tray_(tray) {}

    void StartReadBack(int count) override;
    void LayerChanged(int layer) override;
    void LightingChanged() override { lighting_.PostLightingChanged(); }
    void KeyboardBusy(bool busy) override { tray_.ShowBusy(busy); }

  private:
    MainContext& context_;
    LightingPanel& lighting_;
    MainTray& tray_;
};

}  // namespace kv::ui
