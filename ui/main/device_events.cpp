#include "ui/main/device_events.h"

#include "app/tray/instance_messages.h"

namespace kv::ui {

void DeviceEvents::StartReadBack(int count) {
    if (model::ConfigSync* sync = context_.sync) sync->StartReadBack(count);
}

void DeviceEvents::LayerChanged(int) {
    // Posted, not sent: the notifier's thread also delivers the replies a
    // transaction on the window's thread may be waiting for.
    PostMessageW(context_.hwnd, app::kMsgLayer, app::kCodeLed, 0);
}

}  // namespace kv::ui
