// Input reports reach the standing reads of their channel, laid out as the
// program reads them.
#include <atomic>

#include "device/notify.h"
#include "device/transact.h"
#include "service_fixture.h"

namespace kv::hidserv::test {
namespace {

using kv::device::ConsumerSelector;
using kv::device::VendorSelector;

constexpr uint32_t kTagB = 0x42424242;
constexpr uint8_t kMarker = 0x7E;

bool SeenMarker(const std::vector<Seen>& seen, uint32_t tag) {
    for (const Seen& s : seen)
        if (s.tag == tag && s.kind == HIDSERV_KIND_INPUT && !s.bytes.empty() && s.bytes.back() == kMarker)
            return true;
    return false;
}

TEST_F(HidServiceTest, VendorInputReachesEveryControlReadAsAReportPointer) {
    const FakeKeyboard k = PlugKeyboard();
    Start();
    Read(VendorSelector(), HIDSERV_TAG_CTRL);
    Read(VendorSelector(), kTagB);
    Read(ConsumerSelector(), HIDSERV_TAG_CONS);
    const Bytes reply = CommandReport(0x03, 0x5A);
    k.vendor->PushInput(reply);
    ASSERT_TRUE(Recorder::Instance().WaitFor([](const auto& seen) { return seen.size() >= 2; }));
    for (uint32_t tag : {HIDSERV_TAG_CTRL, kTagB}) {
        const auto seen = Recorder::Instance().WithTag(tag);
        ASSERT_EQ(seen.size(), 1u) << tag;
        EXPECT_EQ(seen[0].kind, HIDSERV_KIND_INPUT);
        EXPECT_EQ(seen[0].count, 64u);
        EXPECT_TRUE(seen[0].data_pointer);
        EXPECT_FALSE(seen[0].consumer_block);
        EXPECT_EQ(seen[0].bytes, reply) << "the report id stays in front";
    }
    EXPECT_TRUE(Recorder::Instance().WithTag(HIDSERV_TAG_CONS).empty());
}

std::atomic<int> g_consumer_code{-1};

int ConsumerCodeCallback(const NotificationRecord* record) {
    if (const auto code = kv::device::ReadConsumerCode(*record->request)) g_consumer_code = *code;
    return RecordingCallback(record);
}

TEST_F(HidServiceTest, ConsumerInputComesThroughTheConsumerBlockWithoutItsReportId) {
    const FakeKeyboard k = PlugKeyboard();
    Start();
    g_consumer_code = -1;
    Read(ConsumerSelector(), HIDSERV_TAG_CONS, &ConsumerCodeCallback);
    Read(VendorSelector(), HIDSERV_TAG_CTRL);
    k.consumer->PushInput({0x03, 0xFF, 0x02});
    ASSERT_TRUE(Recorder::Instance().WaitFor([](const auto& seen) { return !seen.empty(); }));
    const auto seen = Recorder::Instance().WithTag(HIDSERV_TAG_CONS);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].count, 2u);
    EXPECT_FALSE(seen[0].data_pointer);
    EXPECT_TRUE(seen[0].consumer_block);
    EXPECT_EQ(seen[0].bytes, (Bytes{0xFF, 0x02}));
    EXPECT_EQ(g_consumer_code, 0x02FF) << "the layer key, as the program decodes it";
    EXPECT_TRUE(Recorder::Instance().WithTag(HIDSERV_TAG_CTRL).empty());
}

// Short and over-long reads: what a read is shown never exceeds the bytes that
// really arrived in the buffer, and an empty one is not shown at all.
struct LengthCase {
    const char* name;
    bool consumer;
    Bytes pushed;
    size_t claimed;  // the byte count the read reports
    Bytes shown;     // empty: nothing delivered
};

class ReportLength : public HidServiceTest, public ::testing::WithParamInterface<LengthCase> {};

TEST_P(ReportLength, ShowsOnlyTheBytesThatArrived) {
    const LengthCase& c = GetParam();
    const FakeKeyboard k = PlugKeyboard();
    Start();
    const auto& collection = c.consumer ? k.consumer : k.vendor;
    const uint32_t tag = c.consumer ? HIDSERV_TAG_CONS : HIDSERV_TAG_CTRL;
    Read(c.consumer ? ConsumerSelector() : VendorSelector(), tag);
    collection->PushInput(c.pushed, c.claimed);
    collection->PushInput({0x01, 0x00, kMarker});  // the reader goes on afterwards
    ASSERT_TRUE(Recorder::Instance().WaitFor([&](const auto& seen) { return SeenMarker(seen, tag); }));
    const auto seen = Recorder::Instance().WithTag(tag);
    ASSERT_EQ(seen.size(), c.shown.empty() ? 1u : 2u);
    if (!c.shown.empty()) {
        EXPECT_EQ(seen[0].bytes, c.shown);
        EXPECT_EQ(seen[0].count, c.shown.size());
    }
}

const Bytes kFullReply = CommandReport(0x07, 0x11);

INSTANTIATE_TEST_SUITE_P(
    HidService, ReportLength,
    ::testing::Values(LengthCase{"VendorShort", false, {4, 0, 0, 3}, 4, {4, 0, 0, 3}},
                      LengthCase{"VendorClaimsMoreThanItsBuffer", false, kFullReply, 4096, kFullReply},
                      LengthCase{"VendorEmpty", false, {}, 0, {}},
                      LengthCase{"ConsumerReportIdOnly", true, {0x03}, 1, {}},
                      LengthCase{"ConsumerOneByte", true, {0x03, 0x10}, 2, {0x10}},
                      LengthCase{
                          "ConsumerClaimsMoreThanItsBuffer", true, {0x03, 0x11, 0x18}, 900, {0x11, 0x18}}),
    [](const auto& info) { return std::string(info.param.name); });

// A consumer callback that waits (as the program's does, on its window) must
// not hold up the replies that the waiting thread needs.
std::atomic<bool> g_release_consumer{false};
std::atomic<bool> g_consumer_waiting{false};

int BlockingConsumerCallback(const NotificationRecord*) {
    g_consumer_waiting = true;
    WaitUntil([] { return g_release_consumer.load(); }, 10s);
    return 1;
}

TEST_F(HidServiceTest, RepliesArriveWhileAConsumerCallbackWaits) {
    const FakeKeyboard k = PlugKeyboard();
    Start();
    g_release_consumer = false;
    g_consumer_waiting = false;
    Read(ConsumerSelector(), HIDSERV_TAG_CONS, &BlockingConsumerCallback);
    Read(VendorSelector(), HIDSERV_TAG_CTRL);
    k.consumer->PushInput({0x03, 0xFF, 0x02});
    ASSERT_TRUE(WaitUntil([] { return g_consumer_waiting.load(); }));
    k.vendor->PushInput(CommandReport(0x03));
    const bool replied = Recorder::Instance().WaitFor([](const auto& seen) { return !seen.empty(); });
    g_release_consumer = true;
    EXPECT_TRUE(replied) << "the reply waited behind the consumer callback";
}

// The whole way: the program's transaction over the library and the fake keyboard.
kv::device::DeviceLink* g_link = nullptr;

int LinkCallback(const NotificationRecord* record) {
    if (record->kind == HIDSERV_KIND_INPUT && record->request->tag == HIDSERV_TAG_CTRL && g_link)
        g_link->OnReply(record->request->data, record->request->count);
    return 1;
}

TEST_F(HidServiceTest, CarriesAWholeTransaction) {
    const FakeKeyboard k = PlugKeyboard();
    k.vendor->OnWrite([](FakeCollection& c, const Bytes& request) {
        Bytes reply = request;
        reply[8 + 10] = 2;  // active profile
        c.PushInput(reply);
    });
    Start();
    kv::device::DeviceLink link(*service_);
    g_link = &link;
    Read(VendorSelector(), HIDSERV_TAG_CTRL, &LinkCallback);
    const auto request = kv::device::BuildReport(0x03, 0x30, 0);
    kv::device::Report reply{};
    uint32_t length = 0;
    EXPECT_EQ(link.Transact(request, reply, &length), 1);
    g_link = nullptr;
    EXPECT_EQ(length, 64u);
    EXPECT_EQ(reply[3], 0x03);
    EXPECT_EQ(reply[8 + 10], 2);
    EXPECT_EQ(k.vendor->Writes().size(), 1u) << "answered at the first attempt";
}

}  // namespace
}  // namespace kv::hidserv::test
