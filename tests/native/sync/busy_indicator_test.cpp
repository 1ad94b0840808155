#include "model/sync/busy_indicator.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "fake_host.h"
#include "model/sync/ordered_runs.h"

namespace kv::model::test {
namespace {

using namespace std::chrono_literals;

TEST(BusyIndicator, EachSessionShowsThenHidesEvenWhenStoppedBeforeItsEnd) {
    struct Case {
        const char* name;
        bool end_before_stop;
    };
    for (const Case& c : {Case{"ended", true}, Case{"stopped while shown", false}}) {
        SCOPED_TRACE(c.name);
        FakeHost host(std::filesystem::temp_directory_path());
        BusyIndicator busy(host, 1h);  // a stop must not wait out the delay
        auto session = busy.Begin();
        if (c.end_before_stop) busy.End(session);
        busy.Stop();
        EXPECT_EQ(host.Events(), (std::vector<std::string>{"busy-begin", "busy-end"}));
        busy.End(session);  // late End after the stop is harmless
    }
}

TEST(OrderedRuns, StopDropsJobsNotYetBegunAndRefusesNewOnes) {
    OrderedRuns runs;
    std::atomic<int> ran{0};
    std::atomic<bool> first_started{false};
    ASSERT_TRUE(runs.Start([&] {
        first_started = true;
        while (runs.SleepFor(1ms)) {
        }
        ++ran;
    }));
    ASSERT_TRUE(runs.Start([&] { ++ran; }));
    while (!first_started) std::this_thread::sleep_for(1ms);
    runs.Stop();
    EXPECT_EQ(ran, 1) << "the waiting job never began";
    EXPECT_FALSE(runs.Start([&] { ++ran; }));
    EXPECT_EQ(ran, 1);
}

}  // namespace
}  // namespace kv::model::test
