// SimHidService: the simulated keyboard as a device-service library. Native
// tests bind it directly as their kv::device::DeviceService; the simulated
// HidServ.dll wraps one instance behind the C exports.
//
// Library side (what the program sees):
//  - Every request's selector and check value are verified; a wrong check, an
//    unknown selector or a null selector makes the call return 0.
//  - RequestGetDeviceCount: 1 while the keyboard is plugged in (for any of its
//    three collections), else 0.
//  - RequestWriteOne: vendor channel only, exactly 64 bytes, keyboard plugged;
//    returns 1 and hands the report to the keyboard. The keyboard's reply comes
//    later, on the library thread, as a kind-1 notification to every standing
//    read on the vendor channel: RequestRecord{tag, 64, reply bytes, nullptr}.
//  - RequestAsyncRead: a standing read (non-null callback) with a unit id > 0.
//    Each read also gets a kind-0 notification, count = 0 or 1, with its own tag,
//    whenever the keyboard is plugged or unplugged.
//  - Consumer inputs (layer key 0x02FF, busy 0x1811 / 0x1810, lighting changed
//    0x0401) go to the standing reads on the consumer collection as kind 1 with
//    count 2: RequestRecord.data is null, consumer_block points to a 36-byte
//    block whose (unaligned) pointer at offset 28 leads to the two report bytes,
//    the 16-bit usage little-endian.
//  - RequestStatusWrite: indicator collection, keyboard plugged; stores the
//    indicator bytes (byte 1 bit 0 = G-key layer) and returns a unit id.
//  - DeleteRequestFromUnitId: 1 when the unit existed. A callback that is
//    already running may still finish after it returns.
//  Callbacks never run under the service's lock and may call back into it.
//
// Control side (any thread): plug and unplug, consumer keys, fault injection,
// the USB timing model, memory inspection, the traffic log and the state file.
// All methods are thread-safe; no exception leaves any of them.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "device/service.h"
#include "sim/dispatcher.h"
#include "sim/fault_injector.h"
#include "sim/keyboard.h"
#include "sim/keyboard_memory.h"
#include "sim/state_file.h"
#include "sim/traffic_log.h"
#include "sim/usb_timing.h"

namespace kv::sim {

struct SimOptions {
    bool plugged = true;
    bool usb_timing = false;                   // 1 ms frames; otherwise replies are immediate
    uint8_t macro_units = kFactoryMacroUnits;  // factory macro capacity, 128-byte units
    bool traffic_log = true;
    std::filesystem::path state_file;  // empty: no state file
};

struct SimStatus {
    bool plugged = false;
    bool update_mode = false;  // dropped off the bus after the update-mode switch
    bool config_open = false;  // between BeginConfig and EndConfig
    bool usb_timing = false;
    std::array<uint8_t, 2> indicator{};  // last status write
    uint64_t reports_written = 0;        // reports accepted by RequestWriteOne
    uint64_t standing_reads = 0;
    KeyboardCounters keyboard;
};

class SimHidService final : public kv::device::DeviceService {
  public:
    explicit SimHidService(SimOptions options = {});
    ~SimHidService() override;

    // kv::device::DeviceService
    int Init(int flags) override;
    int RequestGetDeviceCount(const DeviceSelector* selector, HidServCallback callback, uint32_t tag,
                              uint32_t check, uint32_t* unit_out) override;
    int RequestWriteOne(const DeviceSelector* selector, HidServCallback callback, uint32_t tag,
                        const uint8_t* data, uint32_t length, uint32_t check, uint32_t* unit_out) override;
    int RequestAsyncRead(const DeviceSelector* selector, HidServCallback callback, uint32_t tag,
                         uint32_t check, uint32_t* unit_out) override;
    int RequestStatusWrite(const DeviceSelector* selector, HidServCallback callback, uint32_t tag,
                           const uint8_t* data, uint32_t length, uint32_t check, uint32_t* unit_out) override;
    int DeleteRequestFromUnitId(uint32_t unit) override;

    // Presence. Each change notifies every standing read (kind 0). Plugging in
    // also leaves update mode and forgets an open configuration exchange.
    void Plug();
    void Unplug();
    bool Plugged() const;

    // Consumer inputs; false (nothing sent) while unplugged.
    bool SendConsumer(uint16_t usage);
    bool PressLayerKey() { return SendConsumer(0x02FF); }
    bool SendBusy(bool begin) { return SendConsumer(begin ? 0x1811 : 0x1810); }
    bool SendLightingChanged() { return SendConsumer(0x0401); }

    void SetFaults(const FaultSettings& faults);
    FaultSettings Faults() const;
    void ClearFaults();
    std::string DescribeFaults() const;

    void SetUsbTiming(bool on);

    // Memory snapshots and direct changes (no traffic, no notifications).
    KeyboardMemory Memory() const;
    std::vector<uint8_t> AreaBytes(Area area) const;
    void SetMemory(const KeyboardMemory& memory);
    bool WriteArea(Area area, size_t offset, std::span<const uint8_t> data);

    SimStatus Status() const;
    std::array<uint8_t, 2> Indicator() const;

    void EnableTrafficLog(bool on);
    bool TrafficLogEnabled() const;
    std::vector<TrafficEntry> Traffic() const;
    void ClearTraffic();

    // Loads the file now when it exists and is valid, then saves the memory to
    // it after every change that is not inside an open configuration exchange.
    // False (memory unchanged) when an existing file could not be loaded.
    bool UseStateFile(const std::filesystem::path& path);
    bool SaveState();
    std::string StateError() const;

    // Waits until every scheduled delivery has been made; false on time-out.
    bool WaitIdle(std::chrono::milliseconds timeout = std::chrono::seconds(5));

  private:
    using Clock = std::chrono::steady_clock;
    struct Unit {
        Channel channel;
        HidServCallback callback;
        uint32_t tag;
        bool standing_read;
    };
    struct Listener {
        HidServCallback callback;
        uint32_t tag;
    };

    Channel Accept(const DeviceSelector* selector, HidServCallback callback, uint32_t tag,
                   const uint8_t* data, uint32_t length, uint32_t check) const;
    int WriteReport(const uint8_t* data);
    void SetPluggedLocked(bool plugged);
    void ScheduleUnplug(Clock::time_point due);
    void DeliverInput(Channel channel, uint64_t generation, const Report& bytes, uint32_t count,
                      bool unplug_after = false);
    std::vector<Listener> ListenersLocked(Channel channel) const;
    void SaveIfSettledLocked();
    uint32_t NewUnitLocked(const Unit& unit);

    mutable std::recursive_mutex mutex_;
    Keyboard keyboard_;
    FaultInjector faults_;
    UsbTiming timing_;
    bool timing_on_;
    TrafficLog log_;
    std::map<uint32_t, Unit> units_;
    uint32_t next_unit_ = 1;
    bool plugged_;
    bool update_mode_ = false;
    uint64_t generation_ = 0;  // bumps on every plug change; stale deliveries are dropped
    std::array<uint8_t, 2> indicator_{};
    uint64_t reports_written_ = 0;
    std::filesystem::path state_file_;
    std::string state_error_;
    bool dirty_ = false;
    Dispatcher dispatcher_;  // last member: stops before the state it touches goes away
};

}  // namespace kv::sim
