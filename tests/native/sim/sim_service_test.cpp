#include "sim/sim_service.h"

#include <gtest/gtest.h>

#include "host_stub.h"

namespace kv::sim {
namespace {

using namespace std::chrono_literals;
using test::Request;

class SimService : public ::testing::Test {
  protected:
    SimHidService service;
    test::Host host{service};
};

TEST_F(SimService, ReplyReachesTheStandingReadAsAControlInput) {
    auto reply = host.Exchange(Request(0x03, 48));
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->kind, HIDSERV_KIND_INPUT);
    EXPECT_EQ(reply->tag, HIDSERV_TAG_CTRL);
    EXPECT_EQ(reply->count, 64u);
    EXPECT_TRUE(reply->has_data);
    EXPECT_FALSE(reply->has_block);
    ASSERT_EQ(reply->bytes.size(), 64u);
    EXPECT_EQ(reply->bytes[3], 0x03);
    EXPECT_EQ(reply->bytes[8 + 11], kFactoryMacroUnits);
}

TEST_F(SimService, ConsumerInputsArriveThroughTheConsumerBlock) {
    struct Case {
        bool (SimHidService::*send)();
        uint8_t lo, hi;
    };
    const Case cases[] = {{&SimHidService::PressLayerKey, 0xFF, 0x02},
                          {&SimHidService::SendLightingChanged, 0x01, 0x04}};
    for (const Case& c : cases) {
        ASSERT_TRUE((service.*c.send)());
        auto d = host.collector.Next();
        ASSERT_TRUE(d);
        EXPECT_EQ(d->kind, HIDSERV_KIND_INPUT);
        EXPECT_EQ(d->tag, HIDSERV_TAG_CONS);
        EXPECT_EQ(d->count, 2u);
        EXPECT_FALSE(d->has_data) << "consumer bytes only through the block";
        EXPECT_EQ(d->bytes, (std::vector<uint8_t>{c.lo, c.hi}));
    }
    ASSERT_TRUE(service.SendBusy(true));
    ASSERT_TRUE(service.SendBusy(false));
    EXPECT_EQ(host.collector.Next()->bytes, (std::vector<uint8_t>{0x11, 0x18}));
    EXPECT_EQ(host.collector.Next()->bytes, (std::vector<uint8_t>{0x10, 0x18}));
}

TEST_F(SimService, PlugChangesNotifyEveryStandingReadWithItsTag) {
    service.Unplug();
    std::vector<test::Delivered> got = {*host.collector.Next(), *host.collector.Next()};
    for (const auto& d : got) {
        EXPECT_EQ(d.kind, HIDSERV_KIND_COUNT);
        EXPECT_EQ(d.count, 0u);
    }
    EXPECT_NE(got[0].tag, got[1].tag) << "one CTRL, one CONS";
    DeviceSelector v = test::Vendor();
    EXPECT_EQ(service.RequestGetDeviceCount(&v, nullptr, 0, HidServRequestCheck(&v, nullptr, 0, nullptr, 0),
                                            nullptr),
              0);
    EXPECT_EQ(host.Write(Request(0x01)), 0) << "nothing is sent without a keyboard";
    EXPECT_FALSE(service.PressLayerKey());

    service.Plug();
    auto d = host.collector.Next();
    ASSERT_TRUE(d);
    EXPECT_EQ(d->kind, HIDSERV_KIND_COUNT);
    EXPECT_EQ(d->count, 1u);
    host.collector.Next();
    EXPECT_EQ(service.RequestGetDeviceCount(&v, nullptr, 0, HidServRequestCheck(&v, nullptr, 0, nullptr, 0),
                                            nullptr),
              1);
    service.Plug();
    EXPECT_FALSE(host.collector.Next(100ms)) << "no notification without a change";
}

TEST_F(SimService, WrongCheckOrSelectorIsRefusedAndHasNoEffect) {
    DeviceSelector v = test::Vendor(), i = test::Indicator(), c = test::Consumer();
    DeviceSelector foreign = test::Vendor();
    foreign.product_id = 0x7506;
    Report begin = Request(0x01);
    Report write = Request(0x06, 1, 0, std::vector<uint8_t>{9});
    uint8_t led[2] = {0x05, 0x03};
    uint32_t unit = 77;
    auto chk = [](const DeviceSelector& s, HidServCallback cb, uint32_t tag, const uint8_t* d, uint32_t n) {
        return HidServRequestCheck(&s, cb, tag, d, n);
    };
    auto cb = test::Collector::Callback;
    KeyboardMemory before = service.Memory();

    EXPECT_EQ(service.RequestGetDeviceCount(&v, nullptr, 0, chk(v, nullptr, 0, nullptr, 0) + 1, nullptr), 0);
    EXPECT_EQ(
        service.RequestGetDeviceCount(&foreign, nullptr, 0, chk(foreign, nullptr, 0, nullptr, 0), nullptr),
        0);
    EXPECT_EQ(service.RequestGetDeviceCount(nullptr, nullptr, 0, 0, nullptr), 0);
    EXPECT_EQ(service.RequestWriteOne(&v, nullptr, 0, write.data(), 64,
                                      chk(v, nullptr, 0, write.data(), 64) - 1, nullptr),
              0);
    EXPECT_EQ(service.RequestWriteOne(&v, nullptr, 0, write.data(), 64, chk(v, nullptr, 1, write.data(), 64),
                                      nullptr),
              0)
        << "check computed over another tag";
    EXPECT_EQ(service.RequestWriteOne(&c, nullptr, 0, begin.data(), 64, chk(c, nullptr, 0, begin.data(), 64),
                                      nullptr),
              0)
        << "commands go to the vendor channel only";
    EXPECT_EQ(service.RequestWriteOne(&v, nullptr, 0, begin.data(), 63, chk(v, nullptr, 0, begin.data(), 63),
                                      nullptr),
              0);
    EXPECT_EQ(service.RequestAsyncRead(&v, cb, HIDSERV_TAG_CTRL,
                                       chk(v, nullptr, HIDSERV_TAG_CTRL, nullptr, 0), &unit),
              0)
        << "check must cover the callback";
    EXPECT_EQ(unit, 77u);
    EXPECT_EQ(service.RequestStatusWrite(&i, cb, HIDSERV_TAG_LED, led, 2, chk(i, cb, HIDSERV_TAG_LED, led, 1),
                                         &unit),
              0);

    EXPECT_FALSE(host.collector.Next(100ms)) << "no reply to a refused write";
    EXPECT_EQ(service.Memory(), before);
    EXPECT_EQ(service.Indicator(), (std::array<uint8_t, 2>{}));
    EXPECT_EQ(service.Status().reports_written, 0u);
}

TEST_F(SimService, StatusWriteSetsTheIndicatorAndGetsAUnit) {
    DeviceSelector i = test::Indicator();
    uint8_t led[2] = {0x05, 0x03};
    uint32_t unit = 0;
    auto cb = test::Collector::Callback;
    ASSERT_EQ(service.RequestStatusWrite(&i, cb, HIDSERV_TAG_LED, led, 2,
                                         HidServRequestCheck(&i, cb, HIDSERV_TAG_LED, led, 2), &unit),
              1);
    EXPECT_NE(unit, 0u);
    EXPECT_NE(unit, host.control_unit);
    EXPECT_EQ(service.Indicator(), (std::array<uint8_t, 2>{0x05, 0x03}));
    EXPECT_EQ(service.DeleteRequestFromUnitId(unit), 1);
    EXPECT_EQ(service.DeleteRequestFromUnitId(unit), 0) << "already withdrawn";
    EXPECT_EQ(service.DeleteRequestFromUnitId(0), 0);
}

TEST_F(SimService, WithdrawnReadGetsNothingMore) {
    ASSERT_EQ(service.DeleteRequestFromUnitId(host.control_unit), 1);
    EXPECT_EQ(host.Write(Request(0x01)), 1) << "the report is still sent";
    ASSERT_TRUE(service.WaitIdle());
    EXPECT_EQ(host.collector.Pending(), 0u);
    EXPECT_TRUE(service.Status().config_open) << "the keyboard handled it";
}

TEST_F(SimService, UpdateSwitchDropsTheKeyboardOffTheBus) {
    Report r{};
    r[0] = 4;
    r[3] = 0xEE;
    r[4] = 0xEE;
    EXPECT_EQ(host.Write(r), 1);
    auto d = host.collector.Next();
    ASSERT_TRUE(d);
    EXPECT_EQ(d->kind, HIDSERV_KIND_COUNT) << "no reply, only the removal";
    EXPECT_EQ(d->count, 0u);
    SimStatus s = service.Status();
    EXPECT_FALSE(s.plugged);
    EXPECT_TRUE(s.update_mode);
    EXPECT_EQ(host.Write(Request(0x01)), 0);

    service.Plug();
    EXPECT_FALSE(service.Status().update_mode);
}

TEST_F(SimService, ReplyInFlightIsLostWhenTheKeyboardLeaves) {
    service.SetFaults(FaultSettings{.latency = 200ms});
    ASSERT_EQ(host.Write(Request(0x01)), 1);
    service.Unplug();
    service.Plug();
    ASSERT_TRUE(service.WaitIdle());
    std::vector<int> kinds;
    while (auto d = host.collector.Next(10ms)) kinds.push_back(d->kind);
    EXPECT_EQ(kinds, (std::vector<int>{0, 0, 0, 0})) << "two removals and two arrivals, no reply";
}

TEST_F(SimService, CallbackMayCallBackIntoTheLibrary) {
    static SimHidService* target = nullptr;
    static std::atomic<int> reentered{0};
    target = &service;
    reentered = 0;
    auto cb = [](const NotificationRecord*) -> int {
        DeviceSelector i = test::Indicator();
        uint8_t led[2] = {0x05, 0x03};
        uint32_t unit = 0;
        if (target->RequestStatusWrite(&i, nullptr, HIDSERV_TAG_LED, led, 2,
                                       HidServRequestCheck(&i, nullptr, HIDSERV_TAG_LED, led, 2), &unit) == 1)
            ++reentered;
        return 1;
    };
    DeviceSelector c = test::Consumer();
    uint32_t unit = 0;
    ASSERT_EQ(service.RequestAsyncRead(&c, cb, HIDSERV_TAG_CONS,
                                       HidServRequestCheck(&c, cb, HIDSERV_TAG_CONS, nullptr, 0), &unit),
              1);
    service.PressLayerKey();
    ASSERT_TRUE(service.WaitIdle());
    EXPECT_EQ(reentered.load(), 1);
    EXPECT_EQ(service.Indicator()[1], 0x03);
}

TEST_F(SimService, TrafficLogRecordsBothDirections) {
    host.Exchange(Request(0x01));
    service.PressLayerKey();
    host.collector.Next();
    ASSERT_TRUE(service.WaitIdle());
    auto log = service.Traffic();
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[0].direction, Direction::kToKeyboard);
    EXPECT_EQ(log[1].direction, Direction::kToHost);
    EXPECT_EQ(log[1].bytes[3], 0x01);
    EXPECT_EQ(log[2].channel, Channel::kConsumer);
    EXPECT_GE(log[1].time, log[0].time);

    service.EnableTrafficLog(false);
    host.Exchange(Request(0x02));
    EXPECT_EQ(service.Traffic().size(), 3u);
}

}  // namespace
}  // namespace kv::sim
