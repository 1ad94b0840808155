// The device side of the program: the loaded device-service library and the
// link, command set and notifier built on it.
#pragma once

#include <windows.h>

#include <memory>

#include "device/commands.h"
#include "device/notify.h"
#include "device/service.h"
#include "device/transact.h"

namespace kv::app {

inline constexpr wchar_t kDeviceLibraryName[] = L"HidServ.dll";

class DeviceHost {
  public:
    enum class BindResult { kOk, kLibraryMissing, kExportMissing, kInitFailed };

    DeviceHost() = default;
    ~DeviceHost();
    DeviceHost(const DeviceHost&) = delete;
    DeviceHost& operator=(const DeviceHost&) = delete;

    // Loads the library, binds all twelve exports and calls Init(0). Anything
    // but kOk means the program cannot run.
    BindResult Bind(const wchar_t* library = kDeviceLibraryName);

    // Builds link, commands and notifier and registers the two standing reads.
    // Only after a successful Bind.
    void Start(device::NotificationSink& sink);

    // Keyboards attached, as the library reports them on the vendor channel.
    int DeviceCount();

    bool Started() const { return notifier_ != nullptr; }
    device::DeviceLink& Link() { return *link_; }
    device::Commands& Commands() { return *commands_; }
    device::Notifier& Notifier() { return *notifier_; }

  private:
    // Never freed: the library is not told to end and its thread may call back
    // until the process is gone.
    HMODULE library_ = nullptr;
    std::unique_ptr<device::DeviceService> service_;
    std::unique_ptr<device::DeviceLink> link_;
    std::unique_ptr<device::Commands> commands_;
    std::unique_ptr<device::Notifier> notifier_;
};

}  // namespace kv::app
