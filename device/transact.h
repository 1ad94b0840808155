// Report framing and the send-and-wait transaction.
#pragma once

#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <span>
#include <thread>

#include "device/service.h"

namespace kv::device {

// Result codes of transactions and commands.
enum Result : int {
    kOk = 1,
    kNoDevice = 0,        // no keyboard (nothing sent) or the wait failed
    kSendRefused = -1,
    kNoReply = -2,
    kStatusFF = -102,
    kStatusFE = -103,
    kBadBlockIndex = -201,
};

constexpr size_t kReportSize = 64;
constexpr size_t kReportData = 56;
using Report = std::array<uint8_t, kReportSize>;

// Byte offsets of a CommandReport.
enum ReportField : size_t {
    kFieldReportId = 0,
    kFieldChecksumLo = 1,
    kFieldChecksumHi = 2,
    kFieldCommand = 3,
    kFieldLength = 4,
    kFieldOffsetLo = 5,
    kFieldOffsetHi = 6,
    kFieldStatus = 7,
    kFieldData = 8,
};
constexpr uint8_t kReportId = 4;

// Sum of bytes 3..63, truncated to 16 bits.
uint16_t ReportChecksum(std::span<const uint8_t, kReportSize> report);
// Fills bytes 1 and 2 from the finished report.
void StampChecksum(std::span<uint8_t, kReportSize> report);
// A fresh request: id 4, code, length, offset, data, checksum.
Report BuildReport(uint8_t command, uint8_t length, uint16_t offset, std::span<const uint8_t> data = {});
// 1, -102 or -103 from a reply's status byte.
int MapReplyStatus(std::span<const uint8_t> reply);

// What a thread does while its transaction waits, for the transaction lock or
// for the reply: the user-interface thread keeps its windows painting.
class WaitHook {
public:
    virtual ~WaitHook() = default;
    // Called on the waiting thread before each request goes out and every few
    // milliseconds while it waits; cheap when there is nothing to do. A
    // transaction started from inside it is refused (kSendRefused): it would
    // take over the reply the waiting one expects.
    virtual void WhileWaiting() = 0;
};

struct TransactTimings {
    std::chrono::milliseconds reply_wait{1000};   // per attempt
    std::chrono::milliseconds retry_pause{10};    // between attempts
    // Unused: callers now queue on the transaction lock instead of waiting a
    // fixed time and barging in. Kept so existing initialisers still compile.
    std::chrono::milliseconds busy_wait{1001};
};

// Owns the transaction state. Whole transactions are serialised by a lock, so
// the read-back thread and the UI thread never share a reply buffer.
class DeviceLink {
public:
    explicit DeviceLink(DeviceService& service, TransactTimings timings = {});

    DeviceService& Service() { return service_; }
    int DeviceCount();

    // One command exchange: 1, 0, -1 or -2. *reply_length is 0 unless 1 is returned.
    // The request is sent as 64 bytes (cut or zero-filled); the reply is cut to reply.size().
    // A caller that finds another exchange running waits for it to end. Never call
    // it on the library's notification thread: that thread delivers the replies.
    int Transact(std::span<const uint8_t> request, std::span<uint8_t> reply, uint32_t* reply_length);
    // One-way send; the library's result (> 0 sent). No checksum, no count check.
    int SendReport(std::span<const uint8_t> report);

    // Receive path for a CTRL input (library thread). Dropped unless a transaction waits.
    void OnReply(const uint8_t* data, uint32_t count);

    // Reports sent by Transact since construction (for benchmarks and tests).
    uint64_t ReportsSent() const;

    // Every thread's transactions call the hook while they wait (nullptr: none).
    // The hook must stay alive until it is replaced.
    void SetWaitHook(WaitHook* hook) { wait_hook_ = hook; }

    // The program is ending: from now on only the calling thread's
    // transactions go on; those of every other thread end at once with
    // kNoReply, the ones waiting for a reply or for their turn included.
    void EndOtherThreadsTransactions();

private:
    enum class Outcome { kRefused, kTimedOut, kForeign, kFailStatus, kAccepted };
    Outcome Attempt(const Report& report, uint32_t check, std::span<uint8_t> reply, uint32_t* received);
    void WhileWaiting();
    bool Ended() const;

    DeviceService& service_;
    TransactTimings timings_;
    std::recursive_timed_mutex transaction_lock_;  // one whole transaction at a time
    std::mutex reply_mutex_;                       // guards the fields below
    std::condition_variable reply_ready_;
    bool busy_ = false;       // a request is out and its reply awaited
    bool signalled_ = false;  // the awaited reply has been copied
    uint8_t* reply_buffer_ = nullptr;
    uint32_t reply_capacity_ = 0;
    uint32_t reply_length_ = 0;
    // Taken from the received bytes, not the (possibly shorter) copy; -1 when the reply was too short.
    int reply_code_ = -1;
    int reply_status_ = -1;
    std::atomic<uint64_t> reports_sent_{0};
    std::atomic<WaitHook*> wait_hook_{nullptr};
    std::atomic<bool> ending_{false};
    std::thread::id sole_thread_;  // set once, before ending_
};

}  // namespace kv::device
