#include "hidserv/hid/device_change_window.h"

#include <dbt.h>

#include "hidserv/unique_handle.h"

namespace kv::hidserv {
namespace {

constexpr wchar_t kClassName[] = L"KelvarinHidServDeviceWatch";
constexpr DWORD kStartLimitMs = 10000;

void Unregister(HDEVNOTIFY notify) { UnregisterDeviceNotification(notify); }
using UniqueNotification = UniqueHandle<HDEVNOTIFY, Unregister>;

HINSTANCE ThisModule() {
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&ThisModule), &module);
    return module;
}

}  // namespace

DeviceChangeWindow::DeviceChangeWindow(std::function<void()> on_change) : on_change_(std::move(on_change)) {}

std::unique_ptr<DeviceChangeWindow> DeviceChangeWindow::Start(const GUID& interface_class,
                                                              std::function<void()> on_change) {
    UniqueKernelHandle ready(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!ready) return nullptr;
    std::unique_ptr<DeviceChangeWindow> watch(new DeviceChangeWindow(std::move(on_change)));
    DeviceChangeWindow* self = watch.get();
    const HANDLE ready_event = ready.Get();
    self->thread_ =
        std::thread([self, interface_class, ready_event] { self->Run(interface_class, ready_event); });
    if (WaitForSingleObject(ready_event, kStartLimitMs) != WAIT_OBJECT_0) {
        // A thread that never got going still owns the object and the event.
        self->thread_.detach();
        watch.release();
        ready.Release();
        return nullptr;
    }
    if (!self->registered_) return nullptr;  // the thread has ended; the destructor joins it
    return watch;
}

DeviceChangeWindow::~DeviceChangeWindow() {
    if (window_) PostMessageW(window_, WM_CLOSE, 0, 0);
    if (thread_.joinable()) thread_.join();
}

void DeviceChangeWindow::Run(GUID interface_class, HANDLE ready) {
    const HINSTANCE instance = ThisModule();
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = &DeviceChangeWindow::WindowProc;
    window_class.hInstance = instance;
    window_class.lpszClassName = kClassName;
    RegisterClassExW(&window_class);  // fails harmlessly when a second watch registers it again
    // A top-level window (not message-only) also gets the DBT_DEVNODES_CHANGED broadcast.
    HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, kClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                  instance, this);
    UniqueNotification notification;
    if (window) {
        DEV_BROADCAST_DEVICEINTERFACE_W filter{};
        filter.dbcc_size = sizeof filter;
        filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
        filter.dbcc_classguid = interface_class;
        notification =
            UniqueNotification(RegisterDeviceNotificationW(window, &filter, DEVICE_NOTIFY_WINDOW_HANDLE));
    }
    registered_ = static_cast<bool>(notification);
    if (!registered_ && window) DestroyWindow(window);
    window_ = registered_ ? window : nullptr;
    SetEvent(ready);
    if (!registered_) return;
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
}

LRESULT CALLBACK DeviceChangeWindow::WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<DeviceChangeWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
        case WM_DEVICECHANGE:
            if (self && (wparam == DBT_DEVICEARRIVAL || wparam == DBT_DEVICEREMOVECOMPLETE ||
                         wparam == DBT_DEVNODES_CHANGED)) {
                try {
                    self->on_change_();
                } catch (...) {
                    // A lost notification only delays the next scan.
                }
            }
            return TRUE;
        case WM_CLOSE:
            DestroyWindow(window);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window, message, wparam, lparam);
    }
}

}  // namespace kv::hidserv
