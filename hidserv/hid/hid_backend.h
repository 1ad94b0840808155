// The operating-system side of the hid library build, kept behind one small
// interface: the real one sits on SetupAPI and hid.dll, the tests use a fake.
// Nothing here knows about selectors, units or notification records.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace kv::hidserv {

// What one top-level collection says about itself. Report lengths are in bytes
// and include the leading report-id byte (0 when the collection uses none).
struct HidCaps {
    uint16_t vendor_id = 0;
    uint16_t product_id = 0;
    uint16_t version = 0;
    uint16_t usage_page = 0;
    uint16_t usage = 0;
    uint16_t input_length = 0;
    uint16_t output_length = 0;
    uint16_t feature_length = 0;
};

enum class IoStatus {
    kDone,       // bytes transferred
    kTimedOut,   // the time limit passed; the transfer was cancelled
    kCancelled,  // CancelReads ended the read
    kRefused,    // the collection does not take this kind of transfer
    kGone,       // the device has been removed
    kFailed,     // any other error
};

struct IoResult {
    IoStatus status = IoStatus::kFailed;
    size_t bytes = 0;  // as the system reports it; callers do not trust it beyond their buffer
};

enum class Access {
    kQuery,  // attributes and caps only; works on collections other programs hold
    kRead,   // overlapped reads: a collection the system shares for reading
    kWrite,
    kReadWrite,
};

// One opened collection. Read runs on one thread; Write, SetOutputReport and
// CancelReads may be called from others at the same time.
class HidDevice {
  public:
    virtual ~HidDevice() = default;
    virtual std::optional<HidCaps> Caps() = 0;
    // Blocks until one input report arrives, the device fails or CancelReads is called.
    virtual IoResult Read(std::span<uint8_t> buffer) = 0;
    // One output report through the interrupt pipe, cancelled after the limit.
    virtual IoResult Write(std::span<const uint8_t> report, std::chrono::milliseconds limit) = 0;
    // The same report through the control pipe, for collections that refuse writes.
    virtual bool SetOutputReport(std::span<const uint8_t> report) = 0;
    // Ends the read in progress and every later one with kCancelled.
    virtual void CancelReads() = 0;
};

// Calls its function after each arrival or removal of a HID interface, on a
// thread of its own, until it is destroyed.
class ChangeWatch {
  public:
    virtual ~ChangeWatch() = default;
};

class HidBackend {
  public:
    virtual ~HidBackend() = default;
    // Device paths of every present HID interface, in the system's order.
    virtual std::vector<std::wstring> InterfacePaths() = 0;
    virtual std::unique_ptr<HidDevice> Open(const std::wstring& path, Access access) = 0;
    // nullptr when arrivals cannot be watched; the library then polls.
    virtual std::unique_ptr<ChangeWatch> WatchChanges(std::function<void()> on_change) = 0;
};

}  // namespace kv::hidserv
