// A scripted stand-in for the device-service library. Every report written on the
// vendor channel goes to a responder; its answer is delivered from a worker thread,
// as the real library does from its notification thread.
#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "device/service.h"
#include "device/transact.h"

namespace kv::device::test {

struct Answer {
    bool silent = false;
    std::vector<uint8_t> bytes;  // delivered as is (count = size)
    std::chrono::milliseconds delay{0};
};

Answer Silent();
// The request back with its status byte set and, optionally, other data bytes.
Answer Echo(const Report& request, uint8_t status = 0);
Answer WithCode(const Report& request, uint8_t code);

// Every call other than a vendor-channel write, in order.
struct ServiceCall {
    std::string op;  // "delete", "async-read", "status-write", "count"
    uint16_t usage_page = 0;
    uint16_t usage = 0;
    uint32_t tag = 0;
    HidServCallback callback = nullptr;
    std::vector<uint8_t> data;
    uint32_t unit = 0;  // withdrawn or handed out
};

class FakeService final : public DeviceService {
public:
    using Responder = std::function<Answer(const Report& request, int index)>;
    using Sink = std::function<void(const uint8_t* data, uint32_t count)>;

    FakeService();
    ~FakeService() override;

    void SetResponder(Responder responder);
    void SetSink(Sink sink);
    void SetDeviceCount(int count);
    // Decides per send (0-based) whether the library refuses it.
    void SetRefusal(std::function<bool(int index)> refuse);
    void SetWriteResult(int result);
    // Queues an input as if the keyboard had sent it unasked.
    void Inject(std::vector<uint8_t> bytes, std::chrono::milliseconds delay = {});
    // Waits until every queued input has been delivered.
    void Drain();
    void Stop();

    std::vector<Report> Written() const;  // accepted and refused, in order
    int WriteCount() const;
    int BadChecks() const;
    std::vector<ServiceCall> Calls() const;

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

private:
    void Worker();
    bool CheckOk(const DeviceSelector* selector, HidServCallback callback, uint32_t tag, const uint8_t* data,
                 uint32_t length, uint32_t check);

    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable drained_;
    std::deque<Answer> queue_;
    bool delivering_ = false;
    bool stop_ = false;
    Responder responder_;
    Sink sink_;
    std::function<bool(int)> refuse_;
    int device_count_ = 1;
    int write_result_ = 1;
    int bad_checks_ = 0;
    uint32_t next_unit_ = 100;
    std::vector<Report> written_;
    std::vector<ServiceCall> calls_;
    std::thread worker_;
};

}  // namespace kv::device::test
