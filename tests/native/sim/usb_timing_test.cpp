#include "sim/usb_timing.h"

#include <gtest/gtest.h>

namespace kv::sim {
namespace {

using namespace std::chrono_literals;
using Clock = UsbTiming::Clock;

TEST(UsbTiming, ExchangeCostsTwoFramesForAPromptHost) {
    Clock::time_point epoch{};
    UsbTiming bus(epoch);
    // Written 100 us into frame 5: out in frame 5, reply in frame 6, home at 7 ms.
    int64_t out = bus.ClaimOut(epoch + 5100us);
    EXPECT_EQ(out, 5);
    EXPECT_EQ(bus.ClaimIn(out + 1), epoch + 7ms);
    // The host answers 50 us after the reply: the next exchange ends at 9 ms.
    out = bus.ClaimOut(epoch + 7050us);
    EXPECT_EQ(bus.ClaimIn(out + 1), epoch + 9ms);
}

TEST(UsbTiming, OneReportPerDirectionPerFrame) {
    Clock::time_point epoch{};
    UsbTiming bus(epoch);
    EXPECT_EQ(bus.ClaimOut(epoch + 200us), 0);
    EXPECT_EQ(bus.ClaimOut(epoch + 300us), 1) << "second write waits for the next frame";
    EXPECT_EQ(bus.ClaimIn(1), epoch + 2ms);
    EXPECT_EQ(bus.ClaimIn(1), epoch + 3ms) << "in slot of frame 1 is taken";
}

TEST(UsbTiming, LatencyRoundsUpToWholeFrames) {
    EXPECT_EQ(UsbTiming::FramesFor(0ms), 0);
    EXPECT_EQ(UsbTiming::FramesFor(1ms), 1);
    EXPECT_EQ(UsbTiming::FramesFor(1001us), 2);
}

}  // namespace
}  // namespace kv::sim
