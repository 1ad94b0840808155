#include "service_fixture.h"

#include <cstring>

namespace kv::hidserv::test {

using kv::device::ConsumerSelector;
using kv::device::IndicatorSelector;
using kv::device::RequestCheck;
using kv::device::VendorSelector;

Recorder& Recorder::Instance() {
    static Recorder recorder;
    return recorder;
}

void Recorder::Add(Seen seen) {
    std::lock_guard lock(mutex_);
    seen_.push_back(std::move(seen));
    changed_.notify_all();
}

void Recorder::Clear() {
    std::lock_guard lock(mutex_);
    seen_.clear();
}

std::vector<Seen> Recorder::All() const {
    std::lock_guard lock(mutex_);
    return seen_;
}

std::vector<Seen> Recorder::WithTag(uint32_t tag) const {
    std::vector<Seen> found;
    for (const Seen& s : All())
        if (s.tag == tag) found.push_back(s);
    return found;
}

bool Recorder::WaitFor(const std::function<bool(const std::vector<Seen>&)>& done,
                       std::chrono::milliseconds limit) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, limit, [&] { return done(seen_); });
}

Seen Copy(const NotificationRecord& record) {
    Seen s;
    s.kind = record.kind;
    s.thread = std::this_thread::get_id();
    const RequestRecord& request = *record.request;
    s.tag = request.tag;
    s.count = request.count;
    s.data_pointer = request.data != nullptr;
    s.consumer_block = request.consumer_block != nullptr;
    const uint8_t* bytes = request.data;
    if (request.consumer_block)
        std::memcpy(&bytes, request.consumer_block + HIDSERV_CONSUMER_DATA_OFFSET, sizeof bytes);
    if (record.kind == HIDSERV_KIND_INPUT && bytes) s.bytes.assign(bytes, bytes + request.count);
    return s;
}

int RecordingCallback(const NotificationRecord* record) {
    Recorder::Instance().Add(Copy(*record));
    return 1;
}

Bytes CommandReport(uint8_t command, uint8_t fill) {
    Bytes r(64, fill);
    r[0] = 4;
    r[3] = command;
    r[7] = 0;
    unsigned sum = 0;
    for (size_t i = 3; i < 64; ++i) sum += r[i];
    r[1] = static_cast<uint8_t>(sum);
    r[2] = static_cast<uint8_t>(sum >> 8);
    return r;
}

bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() >= end) return done();
        std::this_thread::sleep_for(2ms);
    }
    return true;
}

void HidServiceTest::TearDown() { service_.reset(); }

FakeKeyboard HidServiceTest::PlugKeyboard(const std::wstring& prefix) {
    FakeKeyboard k;
    k.consumer = backend_.Plug(prefix + L"\\col01", ConsumerCaps());
    k.vendor = backend_.Plug(prefix + L"\\col02", VendorCaps());
    k.indicator = backend_.Plug(prefix + L"\\col03", IndicatorCaps());
    return k;
}

void HidServiceTest::UnplugKeyboard(const std::wstring& prefix) {
    for (const wchar_t* col : {L"\\col01", L"\\col02", L"\\col03"}) backend_.Unplug(prefix + col);
}

HidServiceOptions HidServiceTest::FastOptions() {
    HidServiceOptions options;
    options.settle = 5ms;
    options.poll = 50ms;
    options.write_limit = 300ms;
    return options;
}

HidService& HidServiceTest::Start(HidServiceOptions options) {
    service_ = std::make_unique<HidService>(backend_, options);
    EXPECT_EQ(service_->Init(0), 1);
    return *service_;
}

int HidServiceTest::Count(const DeviceSelector& selector) {
    return service_->RequestGetDeviceCount(&selector, nullptr, 0, RequestCheck(selector, nullptr, 0),
                                           nullptr);
}

int HidServiceTest::WriteOne(const Bytes& report) {
    const DeviceSelector v = VendorSelector();
    return service_->RequestWriteOne(&v, nullptr, 0, report.data(), static_cast<uint32_t>(report.size()),
                                     RequestCheck(v, nullptr, 0, report), nullptr);
}

uint32_t HidServiceTest::Read(const DeviceSelector& selector, uint32_t tag, HidServCallback callback) {
    uint32_t unit = 0;
    EXPECT_EQ(
        service_->RequestAsyncRead(&selector, callback, tag, RequestCheck(selector, callback, tag), &unit),
        1);
    return unit;
}

int HidServiceTest::StatusWrite(const Bytes& data, uint32_t* unit) {
    const DeviceSelector s = IndicatorSelector();
    uint32_t ignored = 0;
    return service_->RequestStatusWrite(
        &s, &RecordingCallback, HIDSERV_TAG_LED, data.data(), static_cast<uint32_t>(data.size()),
        RequestCheck(s, &RecordingCallback, HIDSERV_TAG_LED, data), unit ? unit : &ignored);
}

bool HidServiceTest::NotifyAndWaitForCount(int count) {
    backend_.Notify();
    return WaitUntil([&] { return Count(VendorSelector()) == count; });
}

}  // namespace kv::hidserv::test
