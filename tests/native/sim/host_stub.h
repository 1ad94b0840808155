// The host side of the simulator for tests: builds requests with their check
// values and collects what the library's callback delivers.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <cstring>
#include <deque>
#include <mutex>
#include <optional>
#include <vector>

#include "hidserv/HidServ.h"
#include "sim/keyboard.h"
#include "sim/sim_service.h"

namespace kv::sim::test {

inline DeviceSelector Selector(uint16_t page, uint16_t usage) {
    DeviceSelector s{};
    s.size_tag = HIDSERV_SELECTOR_TAG;
    s.vendor_id = HIDSERV_VENDOR_ID;
    s.product_id = HIDSERV_PRODUCT_ID;
    s.usage_page = page;
    s.usage = usage;
    return s;
}
inline DeviceSelector Vendor() { return Selector(HIDSERV_PAGE_VENDOR, HIDSERV_USAGE_VENDOR); }
inline DeviceSelector Consumer() { return Selector(HIDSERV_PAGE_CONSUMER, HIDSERV_USAGE_CONSUMER); }
inline DeviceSelector Indicator() { return Selector(HIDSERV_PAGE_INDICATOR, HIDSERV_USAGE_INDICATOR); }

inline Report Request(uint8_t command, uint8_t length = 0, uint16_t offset = 0,
                      std::span<const uint8_t> data = {}) {
    Report r{};
    r[0] = 4;
    r[3] = command;
    r[4] = length;
    r[5] = static_cast<uint8_t>(offset);
    r[6] = static_cast<uint8_t>(offset >> 8);
    if (!data.empty()) std::memcpy(r.data() + 8, data.data(), std::min<size_t>(data.size(), 56));
    uint16_t sum = ReportSum(r);
    r[1] = static_cast<uint8_t>(sum);
    r[2] = static_cast<uint8_t>(sum >> 8);
    return r;
}

// One delivered notification, copied out of the library's records.
struct Delivered {
    int32_t kind = -1;
    uint32_t tag = 0;
    uint32_t count = 0;
    bool has_data = false;
    bool has_block = false;
    std::vector<uint8_t> bytes;  // from data (vendor) or through the consumer block
};

// Collects every callback. One instance at a time (the C callback has no context).
class Collector {
  public:
    Collector() { instance_ = this; }
    ~Collector() { instance_ = nullptr; }

    static int Callback(const NotificationRecord* record) {
        Collector* self = instance_.load();
        if (!self || !record || !record->request) return 1;
        Delivered d;
        d.kind = record->kind;
        d.tag = record->request->tag;
        d.count = record->request->count;
        d.has_data = record->request->data != nullptr;
        d.has_block = record->request->consumer_block != nullptr;
        if (d.kind == HIDSERV_KIND_INPUT) {
            const uint8_t* bytes = record->request->data;
            if (d.has_block)
                std::memcpy(&bytes, record->request->consumer_block + HIDSERV_CONSUMER_DATA_OFFSET,
                            sizeof bytes);
            if (bytes) d.bytes.assign(bytes, bytes + d.count);
        }
        std::lock_guard lock(self->mutex_);
        self->queue_.push_back(std::move(d));
        self->ready_.notify_all();
        return 1;
    }

    std::optional<Delivered> Next(std::chrono::milliseconds timeout = std::chrono::milliseconds(2000)) {
        std::unique_lock lock(mutex_);
        if (!ready_.wait_for(lock, timeout, [this] { return !queue_.empty(); })) return std::nullopt;
        Delivered d = std::move(queue_.front());
        queue_.pop_front();
        return d;
    }

    size_t Pending() {
        std::lock_guard lock(mutex_);
        return queue_.size();
    }

  private:
    static inline std::atomic<Collector*> instance_{nullptr};
    std::mutex mutex_;
    std::condition_variable ready_;
    std::deque<Delivered> queue_;
};

// Standing reads on both input collections plus report exchange helpers.
class Host {
  public:
    explicit Host(SimHidService& service) : service_(service) {
        DeviceSelector v = Vendor(), c = Consumer();
        service_.RequestAsyncRead(&v, Collector::Callback, HIDSERV_TAG_CTRL,
                                  HidServRequestCheck(&v, Collector::Callback, HIDSERV_TAG_CTRL, nullptr, 0),
                                  &control_unit);
        service_.RequestAsyncRead(&c, Collector::Callback, HIDSERV_TAG_CONS,
                                  HidServRequestCheck(&c, Collector::Callback, HIDSERV_TAG_CONS, nullptr, 0),
                                  &consumer_unit);
    }

    // Withdraws the reads and lets deliveries in flight finish before the collector goes.
    ~Host() {
        service_.DeleteRequestFromUnitId(control_unit);
        service_.DeleteRequestFromUnitId(consumer_unit);
        service_.WaitIdle();
    }
    Host(const Host&) = delete;
    Host& operator=(const Host&) = delete;

    int Write(const Report& report) {
        DeviceSelector v = Vendor();
        return service_.RequestWriteOne(&v, nullptr, 0, report.data(), 64,
                                        HidServRequestCheck(&v, nullptr, 0, report.data(), 64), nullptr);
    }

    // Writes and waits for the next vendor input.
    std::optional<Delivered> Exchange(const Report& report,
                                      std::chrono::milliseconds timeout = std::chrono::milliseconds(2000)) {
        if (Write(report) <= 0) return std::nullopt;
        return collector.Next(timeout);
    }

    Collector collector;
    uint32_t control_unit = 0;
    uint32_t consumer_unit = 0;

  private:
    SimHidService& service_;
};

}  // namespace kv::sim::test
