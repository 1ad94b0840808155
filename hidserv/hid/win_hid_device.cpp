#include "hidserv/hid/win_hid_device.h"

// This MinGW header lacks C linkage of its own.
extern "C" {
#include <hidsdi.h>
}

#include <algorithm>
#include <vector>

namespace kv::hidserv {
namespace {

void FreePreparsed(PHIDP_PREPARSED_DATA data) { HidD_FreePreparsedData(data); }
using UniquePreparsed = UniqueHandle<PHIDP_PREPARSED_DATA, FreePreparsed>;

IoStatus StatusOf(DWORD error) {
    switch (error) {
        case ERROR_DEVICE_NOT_CONNECTED:
        case ERROR_DEVICE_REMOVED:
        case ERROR_GEN_FAILURE:
        case ERROR_BAD_COMMAND:
        case ERROR_INVALID_HANDLE:
        case ERROR_FILE_NOT_FOUND:
        case ERROR_OPERATION_ABORTED:  // pending transfers end this way when the device goes
            return IoStatus::kGone;
        case ERROR_INVALID_FUNCTION:
        case ERROR_NOT_SUPPORTED:
        case ERROR_INVALID_PARAMETER:
            return IoStatus::kRefused;
        default:
            return IoStatus::kFailed;
    }
}

UniqueKernelHandle NewEvent(bool manual_reset) {
    return UniqueKernelHandle(CreateEventW(nullptr, manual_reset, FALSE, nullptr));
}

}  // namespace

WinHidDevice::WinHidDevice(UniqueKernelHandle file, UniqueKernelHandle stop)
    : file_(std::move(file)), stop_(std::move(stop)) {}

std::unique_ptr<WinHidDevice> WinHidDevice::Open(const std::wstring& path, Access access) {
    DWORD rights = 0;
    if (access == Access::kRead || access == Access::kReadWrite) rights |= GENERIC_READ;
    if (access == Access::kWrite || access == Access::kReadWrite) rights |= GENERIC_WRITE;
    UniqueKernelHandle file =
        OwnFileHandle(CreateFileW(path.c_str(), rights, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr));
    UniqueKernelHandle stop = NewEvent(true);
    if (!file || !stop) return nullptr;
    return std::unique_ptr<WinHidDevice>(new WinHidDevice(std::move(file), std::move(stop)));
}

std::optional<HidCaps> WinHidDevice::Caps() {
    HIDD_ATTRIBUTES attributes{};
    attributes.Size = sizeof attributes;
    if (!HidD_GetAttributes(file_.Get(), &attributes)) return std::nullopt;
    PHIDP_PREPARSED_DATA raw = nullptr;
    if (!HidD_GetPreparsedData(file_.Get(), &raw)) return std::nullopt;
    UniquePreparsed preparsed(raw);
    HIDP_CAPS caps{};
    if (HidP_GetCaps(preparsed.Get(), &caps) != HIDP_STATUS_SUCCESS) return std::nullopt;
    HidCaps result;
    result.vendor_id = attributes.VendorID;
    result.product_id = attributes.ProductID;
    result.version = attributes.VersionNumber;
    result.usage_page = caps.UsagePage;
    result.usage = caps.Usage;
    result.input_length = caps.InputReportByteLength;
    result.output_length = caps.OutputReportByteLength;
    result.feature_length = caps.FeatureReportByteLength;
    return result;
}

IoResult WinHidDevice::Finish(OVERLAPPED& overlapped, DWORD limit_ms, bool stoppable) {
    const HANDLE waits[2] = {overlapped.hEvent, stop_.Get()};
    const DWORD woke = WaitForMultipleObjects(stoppable ? 2 : 1, waits, FALSE, limit_ms);
    DWORD bytes = 0;
    if (woke != WAIT_OBJECT_0) {
        // The buffer and the OVERLAPPED must outlive the transfer: wait for the cancel to land.
        CancelIoEx(file_.Get(), &overlapped);
        GetOverlappedResult(file_.Get(), &overlapped, &bytes, TRUE);
        return {woke == WAIT_TIMEOUT ? IoStatus::kTimedOut : IoStatus::kCancelled, 0};
    }
    if (!GetOverlappedResult(file_.Get(), &overlapped, &bytes, FALSE)) return {StatusOf(GetLastError()), 0};
    return {IoStatus::kDone, bytes};
}

IoResult WinHidDevice::Read(std::span<uint8_t> buffer) {
    if (WaitForSingleObject(stop_.Get(), 0) == WAIT_OBJECT_0) return {IoStatus::kCancelled, 0};
    UniqueKernelHandle event = NewEvent(true);
    if (!event || buffer.empty()) return {IoStatus::kFailed, 0};
    OVERLAPPED overlapped{};
    overlapped.hEvent = event.Get();
    if (!ReadFile(file_.Get(), buffer.data(), static_cast<DWORD>(buffer.size()), nullptr, &overlapped) &&
        GetLastError() != ERROR_IO_PENDING)
        return {StatusOf(GetLastError()), 0};
    return Finish(overlapped, INFINITE, true);
}

IoResult WinHidDevice::Write(std::span<const uint8_t> report, std::chrono::milliseconds limit) {
    UniqueKernelHandle event = NewEvent(true);
    if (!event || report.empty()) return {IoStatus::kFailed, 0};
    OVERLAPPED overlapped{};
    overlapped.hEvent = event.Get();
    if (!WriteFile(file_.Get(), report.data(), static_cast<DWORD>(report.size()), nullptr, &overlapped) &&
        GetLastError() != ERROR_IO_PENDING)
        return {StatusOf(GetLastError()), 0};
    const auto ms = std::clamp<long long>(limit.count(), 0, INFINITE - 1);
    return Finish(overlapped, static_cast<DWORD>(ms), false);
}

bool WinHidDevice::SetOutputReport(std::span<const uint8_t> report) {
    std::vector<uint8_t> copy(report.begin(), report.end());  // the call takes a writable buffer
    return !copy.empty() && HidD_SetOutputReport(file_.Get(), copy.data(), static_cast<ULONG>(copy.size()));
}

void WinHidDevice::CancelReads() { SetEvent(stop_.Get()); }

}  // namespace kv::hidserv
