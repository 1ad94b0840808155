#include "device/notify.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>

#include "rig.h"

namespace kv::device::test {
namespace {

class RecordingSink : public NotificationSink {
  public:
    void StartReadBack(int count) override { Add("readback " + std::to_string(count)); }
    void LayerChanged(int layer) override { Add("layer " + std::to_string(layer)); }
    void LightingChanged() override { Add("lighting"); }
    void KeyboardBusy(bool busy) override {
        const int inside = ++inside_;
        int seen = max_inside_.load();
        while (inside > seen && !max_inside_.compare_exchange_weak(seen, inside)) {
        }
        std::this_thread::sleep_for(tray_delay);
        --inside_;
        Add(busy ? "busy" : "idle");
    }

    std::vector<std::string> Events() const {
        std::lock_guard lock(mutex_);
        return events_;
    }
    bool WaitForEvents(size_t n, std::chrono::milliseconds timeout = 10s) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, timeout, [&] { return events_.size() >= n; });
    }

    std::chrono::milliseconds tray_delay{0};
    std::atomic<bool> fail{false};  // throw after recording
    std::atomic<int> max_inside_{0};

  private:
    void Add(std::string event) {
        {
            std::lock_guard lock(mutex_);
            events_.push_back(std::move(event));
        }
        changed_.notify_all();
        if (fail) throw std::runtime_error("sink failed");
    }

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::string> events_;
    std::atomic<int> inside_{0};
};

// One notification as the library hands it over; owns everything its pointers reach.
struct Input {
    std::array<uint8_t, 8> report{};
    std::array<uint8_t, HIDSERV_CONSUMER_BLOCK_SIZE> block{};
    RequestRecord request{};
    NotificationRecord record{};
};

std::unique_ptr<Input> Plain(int32_t kind, uint32_t tag, uint32_t count) {
    auto input = std::make_unique<Input>();
    input->request.tag = tag;
    input->request.count = count;
    input->record.kind = kind;
    input->record.request = &input->request;
    return input;
}

enum class Damage { kNone, kNoBlock, kNoReport };

std::unique_ptr<Input> Consumer(uint8_t lo, uint8_t hi, uint32_t count = 2, Damage damage = Damage::kNone) {
    auto input = Plain(HIDSERV_KIND_INPUT, HIDSERV_TAG_CONS, count);
    input->report[0] = lo;
    input->report[1] = hi;
    const uint8_t* report = damage == Damage::kNoReport ? nullptr : input->report.data();
    std::memcpy(input->block.data() + HIDSERV_CONSUMER_DATA_OFFSET, &report, sizeof report);
    input->request.consumer_block = damage == Damage::kNoBlock ? nullptr : input->block.data();
    return input;
}

std::unique_ptr<Input> Consumer(uint16_t code) {
    return Consumer(static_cast<uint8_t>(code), static_cast<uint8_t>(code >> 8));
}

class NotifyTest : public ::testing::Test {
  protected:
    int Dispatch(const Input& input) { return notifier_.OnDeviceNotification(&input.record); }

    Rig rig_{kScripted};
    RecordingSink sink_;
    Notifier notifier_{rig_.link, sink_};
};

TEST_F(NotifyTest, DispatchTable) {
    const struct {
        const char* name;
        std::function<std::unique_ptr<Input>()> make;
        std::vector<std::string> expected;
    } cases[] = {
        {"lighting changed", [] { return Consumer(kConsLightingChanged); }, {"lighting"}},
        {"layer key", [] { return Consumer(0xFF, 0x02); }, {"layer 1"}},
        {"layer key bytes reversed", [] { return Consumer(0x02, 0xFF); }, {}},
        {"other consumer code", [] { return Consumer(0x1801); }, {}},
        {"another consumer code", [] { return Consumer(0x1804); }, {}},
        {"count change on the vendor channel",
         [] { return Plain(HIDSERV_KIND_COUNT, HIDSERV_TAG_CTRL, 3); },
         {"readback 3"}},
        {"no keyboard any more",
         [] { return Plain(HIDSERV_KIND_COUNT, HIDSERV_TAG_CTRL, 0); },
         {"readback 0"}},
        {"count change tagged CONS", [] { return Plain(HIDSERV_KIND_COUNT, HIDSERV_TAG_CONS, 1); }, {}},
        {"unknown kind", [] { return Plain(2, HIDSERV_TAG_CTRL, 1); }, {}},
        {"input tagged LED", [] { return Plain(HIDSERV_KIND_INPUT, HIDSERV_TAG_LED, 2); }, {}},
        {"consumer block missing", [] { return Consumer(0x01, 0x04, 2, Damage::kNoBlock); }, {}},
        {"consumer report missing", [] { return Consumer(0x01, 0x04, 2, Damage::kNoReport); }, {}},
        {"consumer report one byte", [] { return Consumer(0x01, 0x04, 1); }, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingSink sink;
        Notifier notifier(rig_.link, sink);
        auto input = c.make();
        EXPECT_EQ(notifier.OnDeviceNotification(&input->record), 1);
        EXPECT_EQ(sink.Events(), c.expected);
    }
    EXPECT_EQ(notifier_.OnDeviceNotification(nullptr), 1);
    NotificationRecord empty{HIDSERV_KIND_INPUT, 0, nullptr};
    EXPECT_EQ(notifier_.OnDeviceNotification(&empty), 1);
}

TEST_F(NotifyTest, LayerKeyFlipsTheIndicatorAndWritesIt) {
    EXPECT_EQ(notifier_.IndicatorStatus(), (std::array<uint8_t, 2>{0x05, 0x02}));
    auto key = Consumer(kConsLayerKey);

    Dispatch(*key);
    EXPECT_EQ(notifier_.IndicatorStatus(), (std::array<uint8_t, 2>{0x05, 0x03}));
    EXPECT_EQ(notifier_.Layer(), 1);
    Dispatch(*key);
    EXPECT_EQ(notifier_.IndicatorStatus(), (std::array<uint8_t, 2>{0x05, 0x02}));
    EXPECT_EQ(notifier_.Layer(), 0);
    EXPECT_EQ(sink_.Events(), (std::vector<std::string>{"layer 1", "layer 0"}));

    // Each write first withdraws the previous one.
    const auto calls = rig_.fake.Calls();
    ASSERT_EQ(calls.size(), 4u);
    EXPECT_EQ(calls[0].op, "delete");
    EXPECT_EQ(calls[0].unit, 0u);
    EXPECT_EQ(calls[1].op, "status-write");
    EXPECT_EQ(calls[1].data, (std::vector<uint8_t>{0x05, 0x03}));
    EXPECT_EQ(calls[1].usage_page, HIDSERV_PAGE_INDICATOR);
    EXPECT_EQ(calls[1].usage, HIDSERV_USAGE_INDICATOR);
    EXPECT_EQ(calls[1].tag, HIDSERV_TAG_LED);
    EXPECT_EQ(calls[1].callback, &Notifier::Callback);
    EXPECT_EQ(calls[2].op, "delete");
    EXPECT_EQ(calls[2].unit, calls[1].unit);
    EXPECT_EQ(calls[3].data, (std::vector<uint8_t>{0x05, 0x02}));
    EXPECT_EQ(rig_.fake.BadChecks(), 0);
}

TEST_F(NotifyTest, RegisterWithdrawsThenReadsConsumerThenVendor) {
    notifier_.RegisterNotifications();
    notifier_.RegisterNotifications();
    const auto calls = rig_.fake.Calls();
    ASSERT_EQ(calls.size(), 8u);
    const struct {
        const char* op;
        uint16_t page;
        uint32_t tag;
    } expected[] = {
        {"delete", 0, 0},
        {"async-read", HIDSERV_PAGE_CONSUMER, HIDSERV_TAG_CONS},
        {"delete", 0, 0},
        {"async-read", HIDSERV_PAGE_VENDOR, HIDSERV_TAG_CTRL},
    };
    for (size_t i = 0; i < calls.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(calls[i].op, expected[i % 4].op);
        if (calls[i].op == "async-read") {
            EXPECT_EQ(calls[i].usage_page, expected[i % 4].page);
            EXPECT_EQ(calls[i].tag, expected[i % 4].tag);
            EXPECT_EQ(calls[i].callback, &Notifier::Callback);
        }
    }
    EXPECT_EQ(calls[0].unit, 0u);
    EXPECT_EQ(calls[2].unit, 0u);
    EXPECT_EQ(calls[4].unit, calls[1].unit);  // the second round withdraws the first
    EXPECT_EQ(calls[6].unit, calls[3].unit);
    EXPECT_EQ(notifier_.ConsumerReadUnit(), calls[5].unit);
    EXPECT_EQ(notifier_.ControlReadUnit(), calls[7].unit);
    EXPECT_EQ(rig_.fake.BadChecks(), 0);

    // The callback the reads name now leads to this notifier.
    auto count = Plain(HIDSERV_KIND_COUNT, HIDSERV_TAG_CTRL, 2);
    EXPECT_EQ(Notifier::Callback(&count->record), 1);
    EXPECT_EQ(sink_.Events(), (std::vector<std::string>{"readback 2"}));
}

// Replies travel library -> callback -> installed notifier -> waiting transaction.
TEST_F(NotifyTest, RepliesReachTheLinkThroughTheCallback) {
    rig_.fake.SetSink([](const uint8_t* data, uint32_t count) {
        RequestRecord request{HIDSERV_TAG_CTRL, count, data, nullptr};
        NotificationRecord record{HIDSERV_KIND_INPUT, 0, &request};
        EXPECT_EQ(Notifier::Callback(&record), 1);
    });
    rig_.fake.SetResponder([](const Report& r, int) { return Echo(r); });

    Notifier::Install(&notifier_);
    EXPECT_EQ(rig_.commands.BeginConfig(), kOk);
    Notifier::Install(nullptr);
    EXPECT_EQ(rig_.commands.BeginConfig(), kNoReply);
}

TEST_F(NotifyTest, DestroyedNotifierIsNoLongerReached) {
    {
        RecordingSink sink;
        Notifier notifier(rig_.link, sink);
        Notifier::Install(&notifier);
    }
    auto count = Plain(HIDSERV_KIND_COUNT, HIDSERV_TAG_CTRL, 1);
    EXPECT_EQ(Notifier::Callback(&count->record), 1);
}

TEST_F(NotifyTest, BusyCodesChangeTheTrayOneAtATimeInOrder) {
    sink_.tray_delay = 2ms;
    constexpr int kPairs = 10;
    auto begin = Consumer(kConsBusyBegin);
    auto end = Consumer(kConsBusyEnd);
    for (int i = 0; i < kPairs; ++i) {
        Dispatch(*begin);
        Dispatch(*end);
    }
    ASSERT_TRUE(sink_.WaitForEvents(2 * kPairs));
    const auto events = sink_.Events();
    for (size_t i = 0; i < events.size(); ++i) EXPECT_EQ(events[i], i % 2 ? "idle" : "busy") << i;
    EXPECT_EQ(sink_.max_inside_.load(), 1);
}

TEST_F(NotifyTest, FailingSinkNeverEscapesTheCallback) {
    sink_.fail = true;
    const std::function<std::unique_ptr<Input>()> inputs[] = {
        [] { return Consumer(kConsLayerKey); },
        [] { return Consumer(kConsLightingChanged); },
        [] { return Plain(HIDSERV_KIND_COUNT, HIDSERV_TAG_CTRL, 1); },
        [] { return Consumer(kConsBusyBegin); },
        [] { return Consumer(kConsBusyEnd); },
    };
    Notifier::Install(&notifier_);
    for (const auto& make : inputs) {
        auto input = make();
        EXPECT_EQ(Notifier::Callback(&input->record), 1);
    }
    Notifier::Install(nullptr);
    // Both tray changes ran although each one threw.
    ASSERT_TRUE(sink_.WaitForEvents(5));
    EXPECT_EQ(sink_.Events().back(), "idle");
}

TEST(NotifierLifetime, DestructionDropsQueuedTrayChangesSafely) {
    Rig rig;
    RecordingSink sink;
    sink.tray_delay = 20ms;
    auto notifier = std::make_unique<Notifier>(rig.link, sink);
    auto begin = Consumer(kConsBusyBegin);
    for (int i = 0; i < 10; ++i) notifier->OnDeviceNotification(&begin->record);
    notifier.reset();  // joins its threads
    const size_t after = sink.Events().size();
    EXPECT_LT(after, 10u);
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(sink.Events().size(), after);
}

}  // namespace
}  // namespace kv::device::test
