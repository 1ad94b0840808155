#include "device/transact.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <thread>

namespace kv::device {

namespace {

constexpr int kAttempts = 3;
// How long a wait goes between calls of the wait hook.
constexpr std::chrono::milliseconds kWaitSlice{5};

// Inside the wait hook on this thread: a transaction begun there would share the waiting one's reply.
thread_local int tls_hook_depth = 0;

// The request as it goes on the wire: exactly 64 bytes, cut or zero-filled.
Report WireReport(std::span<const uint8_t> bytes) {
    Report report{};
    std::copy_n(bytes.begin(), std::min(bytes.size(), report.size()), report.begin());
    return report;
}

uint32_t Capacity(std::span<uint8_t> reply) {
    return static_cast<uint32_t>(std::min<size_t>(reply.size(), std::numeric_limits<uint32_t>::max()));
}

}  // namespace

DeviceLink::DeviceLink(DeviceService& service, TransactTimings timings)
    : service_(service), timings_(timings) {}

int DeviceLink::DeviceCount() {
    const DeviceSelector selector = VendorSelector();
    return service_.RequestGetDeviceCount(&selector, nullptr, 0, RequestCheck(selector, nullptr, 0), nullptr);
}

int DeviceLink::Transact(std::span<const uint8_t> request, std::span<uint8_t> reply, uint32_t* reply_length) {
    if (reply_length) *reply_length = 0;
    if (tls_hook_depth > 0) return kSendRefused;
    // Held for the whole exchange: a second caller waits its turn instead of
    // taking over the reply buffer of the first.
    while (!transaction_lock_.try_lock_for(kWaitSlice)) {
        if (Ended()) return kNoReply;
        WhileWaiting();
    }
    std::lock_guard transaction(transaction_lock_, std::adopt_lock);
    if (DeviceCount() <= 0) return kNoDevice;

    const Report report = WireReport(request);
    const uint32_t check = RequestCheck(VendorSelector(), nullptr, 0, report);
    for (int attempt = 1;; ++attempt) {
        uint32_t received = 0;
        switch (Attempt(report, check, reply, &received)) {
            case Outcome::kRefused:
                return kSendRefused;
            case Outcome::kAccepted:
                if (reply_length) *reply_length = received;
                return kOk;
            case Outcome::kFailStatus:
                // The last failure status is handed up; the command level maps it.
                if (attempt >= kAttempts) {
                    if (reply_length) *reply_length = received;
                    return kOk;
                }
                break;
            case Outcome::kTimedOut:
            case Outcome::kForeign:
                if (attempt >= kAttempts || Ended()) return kNoReply;
                break;
        }
        std::this_thread::sleep_for(timings_.retry_pause);
    }
}

void DeviceLink::EndOtherThreadsTransactions() {
    {
        std::lock_guard lock(reply_mutex_);
        if (!ending_) sole_thread_ = std::this_thread::get_id();
        ending_ = true;
    }
    reply_ready_.notify_all();
}

bool DeviceLink::Ended() const { return ending_ && std::this_thread::get_id() != sole_thread_; }

void DeviceLink::WhileWaiting() {
    WaitHook* hook = wait_hook_.load();
    if (!hook) return;
    ++tls_hook_depth;
    try {
        hook->WhileWaiting();
    } catch (...) {
        // A hook that fails only loses its turn; the exchange goes on.
    }
    --tls_hook_depth;
}

DeviceLink::Outcome DeviceLink::Attempt(const Report& report, uint32_t check, std::span<uint8_t> reply,
                                        uint32_t* received) {
    WhileWaiting();
    if (Ended()) return Outcome::kTimedOut;
    {
        std::lock_guard lock(reply_mutex_);
        reply_buffer_ = reply.data();
        reply_capacity_ = Capacity(reply);
        reply_length_ = 0;
        reply_code_ = -1;
        reply_status_ = -1;
        signalled_ = false;
        busy_ = true;
    }
    // Not under reply_mutex_: a library may deliver the reply before it returns.
    const DeviceSelector selector = VendorSelector();
    const int sent = service_.RequestWriteOne(&selector, nullptr, 0, report.data(),
                                              static_cast<uint32_t>(kReportSize), check, nullptr);

    std::unique_lock lock(reply_mutex_);
    bool answered = false;
    if (sent > 0) {
        reports_sent_.fetch_add(1, std::memory_order_relaxed);
        // In slices, so that the hook runs while the reply is out.
        const auto deadline = std::chrono::steady_clock::now() + timings_.reply_wait;
        for (;;) {
            const auto left = deadline - std::chrono::steady_clock::now();
            if (left <= decltype(left)::zero()) break;
            if (reply_ready_.wait_for(lock, std::min<std::chrono::steady_clock::duration>(left, kWaitSlice),
                                      [this] { return signalled_ || Ended(); }) ||
                Ended())
                break;
            lock.unlock();
            WhileWaiting();
            lock.lock();
        }
        answered = signalled_;
    }
    // From here on late replies are dropped.
    busy_ = false;
    reply_buffer_ = nullptr;
    reply_capacity_ = 0;

    if (sent <= 0) return Outcome::kRefused;
    if (!answered) return Outcome::kTimedOut;
    if (reply_code_ != report[kFieldCommand] || reply_status_ < 0) return Outcome::kForeign;
    *received = reply_length_;
    if (reply_status_ == 0xFF || reply_status_ == 0xFE) return Outcome::kFailStatus;
    return Outcome::kAccepted;
}

int DeviceLink::SendReport(std::span<const uint8_t> report) {
    const Report wire = WireReport(report);
    const DeviceSelector selector = VendorSelector();
    return service_.RequestWriteOne(&selector, nullptr, 0, wire.data(), static_cast<uint32_t>(kReportSize),
                                    RequestCheck(selector, nullptr, 0, wire), nullptr);
}

void DeviceLink::OnReply(const uint8_t* data, uint32_t count) {
    std::lock_guard lock(reply_mutex_);
    // One reply per attempt; anything while idle or after the first is stale.
    if (!busy_ || signalled_) return;
    if (data == nullptr) count = 0;
    const uint32_t copied = std::min(count, reply_capacity_);
    if (copied > 0) std::memcpy(reply_buffer_, data, copied);
    reply_length_ = copied;
    reply_code_ = count > kFieldCommand ? data[kFieldCommand] : -1;
    reply_status_ = count > kFieldStatus ? data[kFieldStatus] : -1;
    signalled_ = true;
    reply_ready_.notify_one();
}

uint64_t DeviceLink::ReportsSent() const { return reports_sent_.load(std::memory_order_relaxed); }

}  // namespace kv::device
