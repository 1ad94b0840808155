#include "hidserv/hid/win_hid_backend.h"

#include <windows.h>

// This MinGW header lacks C linkage of its own.
extern "C" {
#include <hidsdi.h>
}
#include <setupapi.h>

#include <cstddef>
#include <cwchar>

#include "hidserv/hid/device_change_window.h"
#include "hidserv/hid/win_hid_device.h"
#include "hidserv/unique_handle.h"

namespace kv::hidserv {
namespace {

void DestroyInfoList(HDEVINFO list) { SetupDiDestroyDeviceInfoList(list); }
using UniqueInfoList = UniqueHandle<HDEVINFO, DestroyInfoList>;

std::wstring DevicePathOf(HDEVINFO list, SP_DEVICE_INTERFACE_DATA& item) {
    DWORD needed = 0;
    SetupDiGetDeviceInterfaceDetailW(list, &item, nullptr, 0, &needed, nullptr);
    constexpr size_t kPathOffset = offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_W, DevicePath);
    if (needed <= kPathOffset || needed > 64 * 1024) return {};
    // Aligned storage for the variable-length record.
    std::vector<uint64_t> storage((needed + sizeof(uint64_t) - 1) / sizeof(uint64_t));
    auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(storage.data());
    detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
    if (!SetupDiGetDeviceInterfaceDetailW(list, &item, detail, needed, nullptr, nullptr)) return {};
    const size_t max_chars = (needed - kPathOffset) / sizeof(wchar_t);
    return std::wstring(detail->DevicePath, wcsnlen(detail->DevicePath, max_chars));
}

}  // namespace

std::vector<std::wstring> WinHidBackend::InterfacePaths() {
    GUID hid_class{};
    HidD_GetHidGuid(&hid_class);
    HDEVINFO raw = SetupDiGetClassDevsW(&hid_class, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    if (raw == INVALID_HANDLE_VALUE) return {};
    UniqueInfoList list(raw);
    std::vector<std::wstring> paths;
    for (DWORD index = 0;; ++index) {
        SP_DEVICE_INTERFACE_DATA item{};
        item.cbSize = sizeof item;
        if (!SetupDiEnumDeviceInterfaces(list.Get(), nullptr, &hid_class, index, &item)) break;
        std::wstring path = DevicePathOf(list.Get(), item);
        if (!path.empty()) paths.push_back(std::move(path));
    }
    return paths;
}

std::unique_ptr<HidDevice> WinHidBackend::Open(const std::wstring& path, Access access) {
    return WinHidDevice::Open(path, access);
}

std::unique_ptr<ChangeWatch> WinHidBackend::WatchChanges(std::function<void()> on_change) {
    GUID hid_class{};
    HidD_GetHidGuid(&hid_class);
    return DeviceChangeWindow::Start(hid_class, std::move(on_change));
}

}  // namespace kv::hidserv
