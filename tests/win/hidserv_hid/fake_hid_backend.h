// A HID backend in memory: collections that come and go, input reports the
// test queues, writes it records, and arrival notifications it fires.
#pragma once

#include <atomic>
#include <condition_variable>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "hidserv/hid/hid_backend.h"

namespace kv::hidserv::test {

using Bytes = std::vector<uint8_t>;

// How a collection answers an interrupt-pipe write.
enum class WriteMode {
    kAccept,
    kRefuse,  // the control pipe (SetOutputReport) must take it
    kHang,    // pending until the time limit passes or the device goes
};

// One plugged-in collection. Handles opened on it keep it alive after removal
// and then fail every transfer, as handles of a removed device do.
class FakeCollection {
  public:
    explicit FakeCollection(const HidCaps& caps) : caps(caps) {}

    const HidCaps caps;

    // Queues one input report; bytes_reported, when given, is the byte count
    // the read claims, which may exceed the buffer.
    void PushInput(Bytes report, std::optional<size_t> bytes_reported = std::nullopt);
    // Runs on every accepted write, for example to queue a reply.
    void OnWrite(std::function<void(FakeCollection&, const Bytes&)> responder);
    void SetWriteMode(WriteMode mode);
    void SetOutputReportWorks(bool works);
    // Each write takes this long, to widen the window of a race.
    void SetWriteDelay(std::chrono::milliseconds delay);

    Bytes LastWrite() const;
    std::vector<Bytes> Writes() const;         // interrupt pipe
    std::vector<Bytes> OutputReports() const;  // control pipe
    int MostWritesAtOnce() const { return most_at_once_; }
    // Opens for reading or writing, and the access of the last one.
    int TransferOpens() const { return transfer_opens_; }
    Access LastAccess() const { return last_access_; }
    // True while a read is pending on a handle of this collection.
    bool ReadPending() const;
    bool WritePending() const;

  private:
    friend class FakeHandle;
    friend class FakeHidBackend;
    struct Input {
        Bytes bytes;
        std::optional<size_t> reported;
    };

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<Input> inputs_;
    bool present_ = true;
    WriteMode write_mode_ = WriteMode::kAccept;
    bool output_report_works_ = true;
    std::chrono::milliseconds write_delay_{0};
    std::function<void(FakeCollection&, const Bytes&)> responder_;
    std::vector<Bytes> writes_;
    std::vector<Bytes> output_reports_;
    int reads_pending_ = 0;
    int writes_pending_ = 0;
    std::atomic<int> at_once_{0};
    std::atomic<int> most_at_once_{0};
    std::atomic<int> transfer_opens_{0};
    std::atomic<Access> last_access_{Access::kQuery};
};

class FakeHidBackend final : public HidBackend {
  public:
    // Plugs a collection in at this path (replacing a removed one there).
    std::shared_ptr<FakeCollection> Plug(const std::wstring& path, const HidCaps& caps);
    // Unplugs: pending and later transfers on its handles fail as removed.
    void Unplug(const std::wstring& path);
    // An arrival or removal notification, as the system's watch would send it.
    void Notify();
    // Open fails for this path (a collection another program holds exclusively).
    void RefuseOpen(const std::wstring& path, Access access);
    // While on, listing and opening throw, to show that nothing escapes the library.
    void ThrowFromEverything(bool on) { throwing_ = on; }
    int Throws() const { return throws_; }
    void WithoutWatch() { watchable_ = false; }
    int QueryOpens(const std::wstring& path) const;

    std::vector<std::wstring> InterfacePaths() override;
    std::unique_ptr<HidDevice> Open(const std::wstring& path, Access access) override;
    std::unique_ptr<ChangeWatch> WatchChanges(std::function<void()> on_change) override;

  private:
    mutable std::mutex mutex_;
    std::vector<std::pair<std::wstring, std::shared_ptr<FakeCollection>>> present_;
    std::map<std::pair<std::wstring, Access>, bool> refused_;
    std::map<std::wstring, int> query_opens_;
    std::shared_ptr<std::function<void()>> on_change_;
    std::atomic<bool> throwing_{false};
    std::atomic<int> throws_{0};
    bool watchable_ = true;
};

// Collection descriptions: the keyboard's three and a few strangers.
HidCaps VendorCaps(uint16_t input = 64, uint16_t output = 64);
HidCaps ConsumerCaps();
HidCaps IndicatorCaps();
HidCaps WithIds(HidCaps caps, uint16_t vendor, uint16_t product);
HidCaps WithUsage(HidCaps caps, uint16_t page, uint16_t usage);

}  // namespace kv::hidserv::test
