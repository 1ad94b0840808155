#include "hidserv/hid/hid_service.h"

namespace kv::hidserv {
namespace {

constexpr uint32_t kCommandReportSize = 64;

}  // namespace

HidService::HidService(HidBackend& backend, HidServiceOptions options)
    : backend_(backend), options_(options), collections_(backend, reads_, [this] { RequestRescan(); }) {}

HidService::~HidService() {
    watch_.reset();
    {
        std::lock_guard lock(presence_mutex_);
        stopping_ = true;
    }
    presence_wake_.notify_all();
    if (presence_.joinable()) presence_.join();
    collections_.Clear();
}

int HidService::Init(int) {
    try {
        std::lock_guard lock(init_mutex_);
        if (started_) return 1;
        Rescan();
        watch_ = backend_.WatchChanges([this] { RequestRescan(); });
        polling_ = watch_ == nullptr;
        presence_ = std::thread([this] { PresenceLoop(); });
        started_ = true;
        return 1;
    } catch (...) {
        return 0;
    }
}

void HidService::RequestRescan() {
    {
        std::lock_guard lock(presence_mutex_);
        rescan_requested_ = true;
    }
    presence_wake_.notify_all();
}

void HidService::Rescan() {
    collections_.Rescan([this](uint32_t count) { reads_.DeliverCount(Channel::kVendor, count); });
}

void HidService::PresenceLoop() {
    std::unique_lock lock(presence_mutex_);
    while (!stopping_) {
        auto wanted = [this] { return stopping_ || rescan_requested_; };
        if (polling_)
            presence_wake_.wait_for(lock, options_.poll, wanted);
        else
            presence_wake_.wait(lock, wanted);
        if (stopping_) break;
        // Let the rest of a burst of notifications arrive first.
        if (presence_wake_.wait_for(lock, options_.settle, [this] { return stopping_; })) break;
        rescan_requested_ = false;
        lock.unlock();
        try {
            Rescan();
        } catch (...) {
            // The next notification scans again.
        }
        lock.lock();
    }
}

Channel HidService::Accept(const DeviceSelector* selector, HidServCallback callback, uint32_t tag,
                           const uint8_t* data, uint32_t length, uint32_t check) const {
    if (length > 0 && data == nullptr) return Channel::kNone;
    const Channel channel = ChannelOfSelector(selector);
    if (channel == Channel::kNone) return Channel::kNone;
    if (HidServRequestCheck(selector, callback, tag, data, length) != check) return Channel::kNone;
    return channel;
}

int HidService::RequestGetDeviceCount(const DeviceSelector* selector, HidServCallback callback, uint32_t tag,
                                      uint32_t check, uint32_t*) {
    try {
        if (!started_) return 0;
        const Channel channel = Accept(selector, callback, tag, nullptr, 0, check);
        return channel == Channel::kNone ? 0 : static_cast<int>(collections_.Count(channel));
    } catch (...) {
        return 0;
    }
}

int HidService::RequestWriteOne(const DeviceSelector* selector, HidServCallback callback, uint32_t tag,
                                const uint8_t* data, uint32_t length, uint32_t check, uint32_t*) {
    try {
        if (!started_ || length != kCommandReportSize) return 0;
        if (Accept(selector, callback, tag, data, length, check) != Channel::kVendor) return 0;
        const auto vendor = collections_.First(Channel::kVendor);
        if (!vendor) return 0;
        return vendor->WriteReport({data, length}, options_.write_limit) ? 1 : 0;
    } catch (...) {
        return 0;
    }
}

int HidService::RequestAsyncRead(const DeviceSelector* selector, HidServCallback callback, uint32_t tag,
                                 uint32_t check, uint32_t* unit_out) {
    try {
        if (!started_ || callback == nullptr) return 0;
        const Channel channel = Accept(selector, callback, tag, nullptr, 0, check);
        if (channel == Channel::kNone) return 0;
        const uint32_t unit = reads_.AddRead(channel, callback, tag);
        if (unit_out) *unit_out = unit;
        return 1;
    } catch (...) {
        return 0;
    }
}

int HidService::RequestStatusWrite(const DeviceSelector* selector, HidServCallback callback, uint32_t tag,
                                   const uint8_t* data, uint32_t length, uint32_t check, uint32_t* unit_out) {
    try {
        if (!started_ || length == 0) return 0;
        if (Accept(selector, callback, tag, data, length, check) != Channel::kIndicator) return 0;
        const auto indicator = collections_.First(Channel::kIndicator);
        if (!indicator || !indicator->WriteReport({data, length}, options_.write_limit)) return 0;
        const uint32_t unit = reads_.AddOneShot();
        if (unit_out) *unit_out = unit;
        return 1;
    } catch (...) {
        return 0;
    }
}

int HidService::DeleteRequestFromUnitId(uint32_t unit) {
    try {
        return reads_.Remove(unit) ? 1 : 0;
    } catch (...) {
        return 0;
    }
}

}  // namespace kv::hidserv
