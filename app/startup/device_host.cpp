#include "app/startup/device_host.h"

namespace kv::app {

// The notifier uninstalls itself, waiting for callbacks in flight, before the
// link it uses goes away.
DeviceHost::~DeviceHost() = default;

DeviceHost::BindResult DeviceHost::Bind(const wchar_t* library) {
    library_ = LoadLibraryW(library);
    if (!library_) return BindResult::kLibraryMissing;
    HMODULE module = library_;
    service_ = device::BindDeviceService([module](const char* name) -> void* {
        return reinterpret_cast<void*>(GetProcAddress(module, name));
    });
    if (!service_) return BindResult::kExportMissing;
    if (service_->Init(0) <= 0) return BindResult::kInitFailed;
    return BindResult::kOk;
}

void DeviceHost::Start(device::NotificationSink& sink) {
    link_ = std::make_unique<device::DeviceLink>(*service_);
    commands_ = std::make_unique<device::Commands>(*link_);
    commands_->ResetActiveProfileCache();
    notifier_ = std::make_unique<device::Notifier>(*link_, sink);
    notifier_->RegisterNotifications();
}

int DeviceHost::DeviceCount() { return link_ ? link_->DeviceCount() : 0; }

}  // namespace kv::app
