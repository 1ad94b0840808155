#include "app/startup/app_notification_sink.h"

#include "ui/main/main_window.h"

namespace kv::app {

void AppNotificationSink::Attach(ui::CKelvarinDlg* window) {
    std::lock_guard lock(mutex_);
    window_ = window;
}

void AppNotificationSink::StartReadBack(int count) {
    std::lock_guard lock(mutex_);
    if (window_) window_->StartReadBack(count);
}

void AppNotificationSink::LayerChanged(int layer) {
    std::lock_guard lock(mutex_);
    if (window_) window_->OnLayerChanged(layer);
}

void AppNotificationSink::LightingChanged() {
    std::lock_guard lock(mutex_);
    if (window_) window_->OnLightingChanged();
}

void AppNotificationSink::SetTrayIcon(int mode, int icon_id) {
    std::lock_guard lock(mutex_);
    if (window_) window_->SetTrayIcon(mode, icon_id);
}

}  // namespace kv::app
