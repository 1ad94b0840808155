// A HidService over the fake backend, with a recording callback and helpers
// that speak the library's ABI the way the program does.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "device/service.h"
#include "fake_hid_backend.h"
#include "hidserv/hid/hid_service.h"

namespace kv::hidserv::test {

using namespace std::chrono_literals;

// One notification as a callback saw it, copied out of the library's records.
struct Seen {
    int32_t kind = -1;
    uint32_t tag = 0;
    uint32_t count = 0;
    Bytes bytes;                  // the report bytes, through whichever pointer the layout uses
    bool data_pointer = false;    // RequestRecord.data was set
    bool consumer_block = false;  // RequestRecord.consumer_block was set
    std::thread::id thread;
};

// Everything RecordingCallback saw since the last Clear. Thread-safe.
class Recorder {
  public:
    static Recorder& Instance();
    void Add(Seen seen);
    void Clear();
    std::vector<Seen> All() const;
    std::vector<Seen> WithTag(uint32_t tag) const;
    // Waits until the predicate over everything seen holds, or the time is up. The
    // predicate runs under the recorder's lock: it must not call the recorder.
    bool WaitFor(const std::function<bool(const std::vector<Seen>&)>& done,
                 std::chrono::milliseconds limit = 5s);

  private:
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<Seen> seen_;
};

int RecordingCallback(const NotificationRecord* record);
Seen Copy(const NotificationRecord& record);

// The three collections of one plugged keyboard.
struct FakeKeyboard {
    std::shared_ptr<FakeCollection> vendor, consumer, indicator;
};

// A 64-byte command report with id 4, the command code and a correct checksum.
Bytes CommandReport(uint8_t command, uint8_t fill = 0);

class HidServiceTest : public ::testing::Test {
  protected:
    void SetUp() override { Recorder::Instance().Clear(); }
    void TearDown() override;

    // Paths are prefix + "\\col01".."\\col03".
    FakeKeyboard PlugKeyboard(const std::wstring& prefix = L"\\\\?\\hid#kbd");
    void UnplugKeyboard(const std::wstring& prefix = L"\\\\?\\hid#kbd");
    HidService& Start(HidServiceOptions options = FastOptions());
    static HidServiceOptions FastOptions();

    // ABI calls with correct check values.
    int Count(const DeviceSelector& selector);
    int WriteOne(const Bytes& report);
    uint32_t Read(const DeviceSelector& selector, uint32_t tag,
                  HidServCallback callback = &RecordingCallback);
    int StatusWrite(const Bytes& data, uint32_t* unit = nullptr);

    // Notifies an arrival or removal and waits until the vendor count is `count`.
    bool NotifyAndWaitForCount(int count);

    FakeHidBackend backend_;
    std::unique_ptr<HidService> service_;
};

bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds limit = 5s);

}  // namespace kv::hidserv::test
