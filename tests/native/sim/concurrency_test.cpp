#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "host_stub.h"
#include "sim/control_commands.h"
#include "sim/sim_service.h"

namespace kv::sim {
namespace {

using namespace std::chrono_literals;
using test::Request;

TEST(SimConcurrency, WritersOnManyThreadsAreAllHandledAndAnswered) {
    SimHidService service;
    test::Host host(service);
    constexpr int kThreads = 4, kWrites = 100;
    std::vector<std::thread> threads;
    std::atomic<int> accepted{0};
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([&, t] {
            for (int i = 0; i < kWrites; ++i) {
                uint16_t offset = static_cast<uint16_t>(t * kWrites + i);  // distinct bytes of the key maps
                if (host.Write(Request(0x08, 1, offset, std::vector<uint8_t>{static_cast<uint8_t>(t + 1)})) ==
                    1)
                    ++accepted;
            }
        });
    for (auto& th : threads) th.join();
    ASSERT_TRUE(service.WaitIdle());
    EXPECT_EQ(accepted.load(), kThreads * kWrites);
    EXPECT_EQ(host.collector.Pending(), static_cast<size_t>(kThreads * kWrites)) << "one reply per report";
    auto maps = service.AreaBytes(Area::kKeyMaps);
    for (int t = 0; t < kThreads; ++t)
        for (int i = 0; i < kWrites; ++i) ASSERT_EQ(maps[t * kWrites + i], t + 1) << t << "/" << i;
}

TEST(SimConcurrency, ControlAndTrafficInterleaveSafely) {
    SimHidService service;
    test::Host host(service);
    std::atomic<bool> stop{false};
    std::vector<std::thread> threads;
    threads.emplace_back([&] {
        while (!stop) host.Write(Request(0x03, 48));
    });
    threads.emplace_back([&] {
        while (!stop) {
            service.Unplug();
            service.Plug();
        }
    });
    threads.emplace_back([&] {
        while (!stop) {
            service.PressLayerKey();
            RunControlCommand(service, "fault drop-replies 1");
            RunControlCommand(service, "status");
            RunControlCommand(service, "log show 5");
        }
    });
    std::this_thread::sleep_for(300ms);
    stop = true;
    for (auto& th : threads) th.join();
    ASSERT_TRUE(service.WaitIdle());

    service.ClearFaults();
    service.Plug();
    while (host.collector.Next(50ms)) {
    }
    auto reply = host.Exchange(Request(0x01));
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->bytes[3], 0x01);
}

}  // namespace
}  // namespace kv::sim
