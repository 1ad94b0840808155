#include "fake_service.h"

#include <algorithm>

namespace kv::device::test {

Answer Silent() {
    Answer answer;
    answer.silent = true;
    return answer;
}

Answer Echo(const Report& request, uint8_t status) {
    Answer answer;
    answer.bytes.assign(request.begin(), request.end());
    answer.bytes[kFieldStatus] = status;
    return answer;
}

Answer WithCode(const Report& request, uint8_t code) {
    Answer answer = Echo(request);
    answer.bytes[kFieldCommand] = code;
    return answer;
}

FakeService::FakeService() : worker_([this] { Worker(); }) {}

FakeService::~FakeService() { Stop(); }

void FakeService::Stop() {
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
    if (worker_.joinable()) worker_.join();
}

void FakeService::SetResponder(Responder responder) {
    std::lock_guard lock(mutex_);
    responder_ = std::move(responder);
}

void FakeService::SetSink(Sink sink) {
    std::lock_guard lock(mutex_);
    sink_ = std::move(sink);
}

void FakeService::SetDeviceCount(int count) {
    std::lock_guard lock(mutex_);
    device_count_ = count;
}

void FakeService::SetRefusal(std::function<bool(int)> refuse) {
    std::lock_guard lock(mutex_);
    refuse_ = std::move(refuse);
}

void FakeService::SetWriteResult(int result) {
    std::lock_guard lock(mutex_);
    write_result_ = result;
}

void FakeService::Inject(std::vector<uint8_t> bytes, std::chrono::milliseconds delay) {
    {
        std::lock_guard lock(mutex_);
        queue_.push_back(Answer{.silent = false, .bytes = std::move(bytes), .delay = delay});
    }
    wake_.notify_all();
}

void FakeService::Drain() {
    std::unique_lock lock(mutex_);
    drained_.wait(lock, [this] { return queue_.empty() && !delivering_; });
}

void FakeService::Worker() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stop_ || !queue_.empty(); });
        if (stop_) return;
        Answer answer = std::move(queue_.front());
        queue_.pop_front();
        delivering_ = true;
        Sink sink = sink_;
        lock.unlock();
        if (answer.delay.count() > 0) std::this_thread::sleep_for(answer.delay);
        if (sink) sink(answer.bytes.data(), static_cast<uint32_t>(answer.bytes.size()));
        lock.lock();
        delivering_ = false;
        drained_.notify_all();
    }
}

std::vector<Report> FakeService::Written() const {
    std::lock_guard lock(mutex_);
    return written_;
}

int FakeService::WriteCount() const {
    std::lock_guard lock(mutex_);
    return static_cast<int>(written_.size());
}

int FakeService::BadChecks() const {
    std::lock_guard lock(mutex_);
    return bad_checks_;
}

std::vector<ServiceCall> FakeService::Calls() const {
    std::lock_guard lock(mutex_);
    return calls_;
}

bool FakeService::CheckOk(const DeviceSelector* selector, HidServCallback callback, uint32_t tag,
                          const uint8_t* data, uint32_t length, uint32_t check) {
    const bool ok = selector != nullptr && selector->size_tag == HIDSERV_SELECTOR_TAG &&
                    selector->vendor_id == HIDSERV_VENDOR_ID && selector->product_id == HIDSERV_PRODUCT_ID &&
                    HidServRequestCheck(selector, callback, tag, data, length) == check;
    if (!ok) ++bad_checks_;
    return ok;
}

int FakeService::Init(int) { return 1; }

int FakeService::RequestGetDeviceCount(const DeviceSelector* selector, HidServCallback callback, uint32_t tag,
                                       uint32_t check, uint32_t*) {
    std::lock_guard lock(mutex_);
    if (!CheckOk(selector, callback, tag, nullptr, 0, check)) return 0;
    return selector->usage_page == HIDSERV_PAGE_VENDOR ? device_count_ : 0;
}

int FakeService::RequestWriteOne(const DeviceSelector* selector, HidServCallback callback, uint32_t tag,
                                 const uint8_t* data, uint32_t length, uint32_t check, uint32_t*) {
    std::unique_lock lock(mutex_);
    Report report{};
    std::copy_n(data, std::min<size_t>(length, report.size()), report.begin());
    const int index = static_cast<int>(written_.size());
    written_.push_back(report);
    if (length != kReportSize || selector->usage_page != HIDSERV_PAGE_VENDOR) return 0;
    if (!CheckOk(selector, callback, tag, data, length, check)) return 0;
    if (refuse_ && refuse_(index)) return 0;
    const int result = write_result_;
    if (responder_) {
        Answer answer = responder_(report, index);
        if (!answer.silent) {
            queue_.push_back(std::move(answer));
            wake_.notify_all();
        }
    }
    return result;
}

int FakeService::RequestAsyncRead(const DeviceSelector* selector, HidServCallback callback, uint32_t tag,
                                  uint32_t check, uint32_t* unit_out) {
    std::lock_guard lock(mutex_);
    if (!CheckOk(selector, callback, tag, nullptr, 0, check)) return 0;
    const uint32_t unit = next_unit_++;
    calls_.push_back({"async-read", selector->usage_page, selector->usage, tag, callback, {}, unit});
    if (unit_out) *unit_out = unit;
    return 1;
}

int FakeService::RequestStatusWrite(const DeviceSelector* selector, HidServCallback callback, uint32_t tag,
                                    const uint8_t* data, uint32_t length, uint32_t check,
                                    uint32_t* unit_out) {
    std::lock_guard lock(mutex_);
    if (!CheckOk(selector, callback, tag, data, length, check)) return 0;
    const uint32_t unit = next_unit_++;
    calls_.push_back(
        {"status-write", selector->usage_page, selector->usage, tag, callback, {data, data + length}, unit});
    if (unit_out) *unit_out = unit;
    return 1;
}

int FakeService::DeleteRequestFromUnitId(uint32_t unit) {
    std::lock_guard lock(mutex_);
    calls_.push_back({"delete", 0, 0, 0, nullptr, {}, unit});
    return 1;
}

}  // namespace kv::device::test
