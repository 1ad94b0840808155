#include "app/startup/app_notification_sink.h"

namespace kv::app {

void AppNotificationSink::Attach(device::NotificationSink* target) {
    std::lock_guard lock(mutex_);
    target_ = target;
}

void AppNotificationSink::StartReadBack(int count) {
    std::lock_guard lock(mutex_);
    if (target_) target_->StartReadBack(count);
}

void AppNotificationSink::LayerChanged(int layer) {
    std::lock_guard lock(mutex_);
    if (target_) target_->LayerChanged(layer);
}

void AppNotificationSink::LightingChanged() {
    std::lock_guard lock(mutex_);
    if (target_) target_->LightingChanged();
}

void AppNotificationSink::KeyboardBusy(bool busy) {
    std::lock_guard lock(mutex_);
    if (target_) target_->KeyboardBusy(busy);
}

}  // namespace kv::app
