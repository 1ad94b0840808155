#include <gtest/gtest.h>

#include "host_stub.h"
#include "sim/sim_service.h"

namespace kv::sim {
namespace {

using namespace std::chrono_literals;
using test::Request;

// A write of one lighting byte, so each case can tell whether the keyboard acted.
const Report kWrite = Request(0x06, 1, 15, std::vector<uint8_t>{3});

uint8_t ReportRate(SimHidService& s) { return s.AreaBytes(Area::kProfileSettings)[15]; }

TEST(SimFaults, EachFaultShapesTheNextExchanges) {
    struct Case {
        const char* name;
        FaultSettings faults;
        bool replied;
        uint8_t code;    // reply command code
        uint8_t status;  // reply status
        bool applied;    // the keyboard stored the byte
    };
    const Case cases[] = {
        {"none", {}, true, 0x06, kStatusOk, true},
        {"drop request", {.drop_requests = 1}, false, 0, 0, false},
        {"drop reply", {.drop_replies = 1}, false, 0, 0, true},
        {"wrong code", {.wrong_code = 1}, true, 0x46, kStatusOk, true},
        {"status FE", {.fail_status = 1, .status = 0xFE}, true, 0x06, 0xFE, false},
        {"status FF", {.fail_status = 1, .status = 0xFF}, true, 0x06, 0xFF, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SimHidService service;
        test::Host host(service);
        service.SetFaults(c.faults);
        auto reply = host.Exchange(kWrite, 300ms);
        ASSERT_EQ(reply.has_value(), c.replied);
        if (c.replied) {
            EXPECT_EQ(reply->bytes[3], c.code);
            EXPECT_EQ(reply->bytes[7], c.status);
            EXPECT_EQ(reply->bytes[1] | reply->bytes[2] << 8,
                      ReportSum(std::span<const uint8_t, 64>(reply->bytes.data(), 64)));
        }
        EXPECT_EQ(ReportRate(service) == 3, c.applied);

        // One-shot: the next exchange is normal again.
        auto next = host.Exchange(Request(0x01), 300ms);
        ASSERT_TRUE(next);
        EXPECT_EQ(next->bytes[3], 0x01);
        EXPECT_EQ(next->bytes[7], kStatusOk);
    }
}

TEST(SimFaults, CountsCoverSeveralReports) {
    SimHidService service;
    test::Host host(service);
    service.SetFaults({.fail_status = 3, .status = 0xFE});
    for (int i = 0; i < 3; ++i) EXPECT_EQ(host.Exchange(Request(0x01))->bytes[7], 0xFE);
    EXPECT_EQ(host.Exchange(Request(0x01))->bytes[7], kStatusOk);
    EXPECT_EQ(service.DescribeFaults(), "none\n");
}

TEST(SimFaults, AfterLetsReportsPassBeforeTheFaultsStart) {
    SimHidService service;
    test::Host host(service);
    service.SetFaults({.fail_status = 2, .status = 0xFF, .after = 3});
    const uint8_t expected[] = {kStatusOk, kStatusOk, kStatusOk, 0xFF, 0xFF, kStatusOk};
    for (uint8_t status : expected) EXPECT_EQ(host.Exchange(Request(0x01))->bytes[7], status);
    EXPECT_EQ(service.DescribeFaults(), "none\n");
}

TEST(SimFaults, LateReplyArrivesAfterTheHostGaveUp) {
    SimHidService service;
    test::Host host(service);
    service.SetFaults({.latency = 150ms});
    auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(host.Exchange(Request(0x01), 50ms)) << "not within a short wait";
    auto late = host.collector.Next(1000ms);
    ASSERT_TRUE(late) << "but it does come";
    EXPECT_GE(std::chrono::steady_clock::now() - start, 150ms);
    EXPECT_EQ(late->bytes[3], 0x01);
}

TEST(SimFaults, UnplugAfterAnsweringNReports) {
    SimHidService service;
    test::Host host(service);
    service.SetFaults({.unplug_after = 2});
    auto first = host.Exchange(Request(0x01));
    auto second = host.Exchange(Request(0x02));
    ASSERT_TRUE(first && second);
    EXPECT_EQ(second->kind, HIDSERV_KIND_INPUT) << "the second reply still arrives";
    auto removal = host.collector.Next();
    ASSERT_TRUE(removal);
    EXPECT_EQ(removal->kind, HIDSERV_KIND_COUNT);
    EXPECT_EQ(removal->count, 0u);
    EXPECT_FALSE(service.Plugged());
    EXPECT_EQ(host.Write(Request(0x01)), 0);
}

}  // namespace
}  // namespace kv::sim
