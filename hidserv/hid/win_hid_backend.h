// The real HID backend: SetupAPI for the list of HID interfaces, CreateFileW
// and hid.dll for each collection, a hidden window for arrivals and removals.
#pragma once

#include "hidserv/hid/hid_backend.h"

namespace kv::hidserv {

class WinHidBackend final : public HidBackend {
  public:
    std::vector<std::wstring> InterfacePaths() override;
    std::unique_ptr<HidDevice> Open(const std::wstring& path, Access access) override;
    std::unique_ptr<ChangeWatch> WatchChanges(std::function<void()> on_change) override;
};

}  // namespace kv::hidserv
