// A hidden window on a thread of its own, registered for the arrival and
// removal of one device interface class.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <thread>

#include "hidserv/hid/hid_backend.h"

namespace kv::hidserv {

class DeviceChangeWindow final : public ChangeWatch {
  public:
    // nullptr when the window or the registration cannot be made.
    static std::unique_ptr<DeviceChangeWindow> Start(const GUID& interface_class,
                                                     std::function<void()> on_change);
    ~DeviceChangeWindow() override;

  private:
    explicit DeviceChangeWindow(std::function<void()> on_change);
    // Thread body: window, registration, message loop.
    void Run(GUID interface_class, HANDLE ready);
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

    std::function<void()> on_change_;
    HWND window_ = nullptr;  // set by the thread before it signals ready
    bool registered_ = false;
    std::thread thread_;
};

}  // namespace kv::hidserv
