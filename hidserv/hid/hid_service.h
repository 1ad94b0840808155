// HidService: the library's logic over a HID backend. The hid build of
// HidServ.dll wraps one instance over the real backend; the tests run it over
// a fake one.
//
//  - Init scans the HID interfaces, opens the keyboard's collections (vendor id
//    0x0C45, product id 0x7505, the three usage pairs) and starts watching
//    arrivals and removals. Every other call returns 0 before Init.
//  - Every request's selector and check value are verified; a wrong one makes
//    the call return 0 and touch nothing.
//  - RequestGetDeviceCount: the number of the selector's collections open now.
//  - RequestWriteOne: exactly 64 bytes to the vendor channel; 1 only when the
//    report was written within the time limit.
//  - RequestAsyncRead: a standing read; kind-1 records for each input of its
//    channel, and on the vendor channel kind-0 records whenever the number of
//    attached keyboards changes.
//  - RequestStatusWrite: the bytes as one output report to the indicator
//    collection; 1 and a unit id when it was written.
//  - DeleteRequestFromUnitId: 1 when the unit existed; see StandingReads for
//    what it guarantees.
// No exception leaves any of these.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

#include "device/service.h"
#include "hidserv/hid/collection_set.h"
#include "hidserv/hid/hid_backend.h"
#include "hidserv/hid/standing_reads.h"

namespace kv::hidserv {

struct HidServiceOptions {
    // A plugged keyboard arrives as a burst of interface notifications; one scan
    // after the burst has settled sees all of them.
    std::chrono::milliseconds settle{250};
    // How often to scan when the backend cannot watch arrivals.
    std::chrono::milliseconds poll{2000};
    // Time limit of one output report.
    std::chrono::milliseconds write_limit{1000};
};

class HidService final : public kv::device::DeviceService {
  public:
    explicit HidService(HidBackend& backend, HidServiceOptions options = {});
    ~HidService() override;
    HidService(const HidService&) = delete;
    HidService& operator=(const HidService&) = delete;

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

    // Asks for a scan after the settle time (any thread).
    void RequestRescan();

  private:
    // The selector's channel when the library runs and the check value is right.
    Channel Accept(const DeviceSelector* selector, HidServCallback callback, uint32_t tag,
                   const uint8_t* data, uint32_t length, uint32_t check) const;
    void PresenceLoop();
    void Rescan();

    HidBackend& backend_;
    const HidServiceOptions options_;
    StandingReads reads_;
    CollectionSet collections_;

    std::mutex init_mutex_;
    std::atomic<bool> started_{false};
    std::mutex presence_mutex_;
    std::condition_variable presence_wake_;
    bool rescan_requested_ = false;
    bool stopping_ = false;
    bool polling_ = false;
    std::thread presence_;
    std::unique_ptr<ChangeWatch> watch_;
};

}  // namespace kv::hidserv
