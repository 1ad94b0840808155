// Cost of the device link itself: exchanges per second against a library that
// answers at once on its own thread, and reports per key-map block.
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <deque>
#include <mutex>
#include <thread>

#include "device/commands.h"

namespace {

using namespace kv::device;

// Echoes every vendor report from a worker thread, as the library's notification thread would.
class EchoService final : public DeviceService {
public:
    explicit EchoService(DeviceLink*& link) : link_(link), worker_([this] { Run(); }) {}
    ~EchoService() override {
        {
            std::lock_guard lock(mutex_);
            stop_ = true;
        }
        wake_.notify_all();
        worker_.join();
    }

    int Init(int) override { return 1; }
    int RequestGetDeviceCount(const DeviceSelector*, HidServCallback, uint32_t, uint32_t,
                              uint32_t*) override {
        return 1;
    }
    int RequestWriteOne(const DeviceSelector*, HidServCallback, uint32_t, const uint8_t* data,
                        uint32_t length, uint32_t, uint32_t*) override {
        Report report{};
        std::copy_n(data, std::min<size_t>(length, report.size()), report.begin());
        {
            std::lock_guard lock(mutex_);
            queue_.push_back(report);
            ++writes_;
        }
        wake_.notify_all();
        return 1;
    }
    int RequestAsyncRead(const DeviceSelector*, HidServCallback, uint32_t, uint32_t, uint32_t*) override {
        return 1;
    }
    int RequestStatusWrite(const DeviceSelector*, HidServCallback, uint32_t, const uint8_t*, uint32_t,
                           uint32_t, uint32_t*) override {
        return 1;
    }
    int DeleteRequestFromUnitId(uint32_t) override { return 1; }

    uint64_t Writes() {
        std::lock_guard lock(mutex_);
        return writes_;
    }

private:
    void Run() {
        std::unique_lock lock(mutex_);
        for (;;) {
            wake_.wait(lock, [this] { return stop_ || !queue_.empty(); });
            if (stop_) return;
            const Report report = queue_.front();
            queue_.pop_front();
            lock.unlock();
            link_->OnReply(report.data(), static_cast<uint32_t>(report.size()));
            lock.lock();
        }
    }

    DeviceLink*& link_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<Report> queue_;
    bool stop_ = false;
    uint64_t writes_ = 0;
    std::thread worker_;
};

}  // namespace

int main() {
    DeviceLink* link_ptr = nullptr;
    EchoService service(link_ptr);
    DeviceLink link(service);
    link_ptr = &link;
    Commands commands(link);

    constexpr int kExchanges = 20000;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kExchanges; ++i) commands.BeginConfig();
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    std::printf("exchanges: %d in %.3f s, %.1f us each\n", kExchanges, elapsed.count(),
                elapsed.count() * 1e6 / kExchanges);

    const uint64_t before = service.Writes();
    std::array<uint8_t, kKeyMapSize> block{};
    commands.WriteKeyMapBlock(block, 1);
    std::printf("reports per key-map block: %llu\n",
                static_cast<unsigned long long>(service.Writes() - before));
    return 0;
}
