// A HID collection opened with CreateFileW, read and written overlapped.
#pragma once

#include <windows.h>

#include <string>

#include "hidserv/hid/hid_backend.h"
#include "hidserv/unique_handle.h"

namespace kv::hidserv {

class WinHidDevice final : public HidDevice {
  public:
    // nullptr when the path cannot be opened with that access.
    static std::unique_ptr<WinHidDevice> Open(const std::wstring& path, Access access);

    std::optional<HidCaps> Caps() override;
    IoResult Read(std::span<uint8_t> buffer) override;
    IoResult Write(std::span<const uint8_t> report, std::chrono::milliseconds limit) override;
    bool SetOutputReport(std::span<const uint8_t> report) override;
    void CancelReads() override;

  private:
    WinHidDevice(UniqueKernelHandle file, UniqueKernelHandle stop);
    // Waits for an overlapped transfer that is pending; cancels it when the
    // limit passes or the stop event is set first.
    IoResult Finish(OVERLAPPED& overlapped, DWORD limit_ms, bool stoppable);

    UniqueKernelHandle file_;
    UniqueKernelHandle stop_;  // manual reset: set once, ends every read
};

}  // namespace kv::hidserv
