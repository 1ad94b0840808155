#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <thread>

#include "rig.h"

namespace kv::device::test {
namespace {

const Report kRequest = BuildReport(0x05, 4, 0x0010);

struct ScriptCase {
    const char* name;
    std::vector<Step> script;
    int transact_result;
    int sends;
    int command_result;
};

// Retries, time-outs and failure statuses, at the transaction and at the command level.
TEST(Transact, ScriptedAnswers) {
    const ScriptCase cases[] = {
        {"answered at once", {Step::kOk}, kOk, 1, kOk},
        {"any other status is success", {Step::kStatusOther}, kOk, 1, kOk},
        {"0xFE three times", {Step::kStatusFE, Step::kStatusFE, Step::kStatusFE}, kOk, 3, kStatusFE},
        {"0xFF three times", {Step::kStatusFF, Step::kStatusFF, Step::kStatusFF}, kOk, 3, kStatusFF},
        {"last failure status counts",
         {Step::kStatusFE, Step::kStatusFE, Step::kStatusFF},
         kOk,
         3,
         kStatusFF},
        {"0xFE then success", {Step::kStatusFE, Step::kOk}, kOk, 2, kOk},
        {"foreign code then right", {Step::kForeign, Step::kOk}, kOk, 2, kOk},
        {"foreign code three times", {Step::kForeign, Step::kForeign, Step::kForeign}, kNoReply, 3, kNoReply},
        {"never answers", {}, kNoReply, 3, kNoReply},
        {"silent once then answered", {Step::kSilent, Step::kOk}, kOk, 2, kOk},
        {"failure status then silence",
         {Step::kStatusFE, Step::kStatusFE, Step::kSilent},
         kNoReply,
         3,
         kNoReply},
        {"foreign, then 0xFE twice", {Step::kForeign, Step::kStatusFE, Step::kStatusFE}, kOk, 3, kStatusFE},
        {"reply too short for a status", {Step::kShort, Step::kOk}, kOk, 2, kOk},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        {
            Rig rig(kScripted);
            rig.fake.SetResponder(Script(c.script));
            Report reply{};
            uint32_t length = 99;
            EXPECT_EQ(rig.link.Transact(kRequest, reply, &length), c.transact_result);
            EXPECT_EQ(rig.fake.WriteCount(), c.sends);
            EXPECT_EQ(rig.link.ReportsSent(), static_cast<uint64_t>(c.sends));
            EXPECT_EQ(length, c.transact_result == kOk ? kReportSize : 0u);
            EXPECT_EQ(rig.fake.BadChecks(), 0);
            for (const Report& sent : rig.fake.Written()) EXPECT_EQ(sent, kRequest);
        }
        {
            Rig rig(kScripted);
            rig.fake.SetResponder(Script(c.script));
            EXPECT_EQ(rig.commands.BeginConfig(), c.command_result);
            EXPECT_EQ(rig.fake.WriteCount(), c.sends);
        }
    }
}

TEST(Transact, NoKeyboardSendsNothing) {
    Rig rig;
    rig.fake.SetDeviceCount(0);
    rig.fake.SetResponder(Script({Step::kOk}));
    Report reply;
    reply.fill(0xEE);
    uint32_t length = 99;
    EXPECT_EQ(rig.link.Transact(kRequest, reply, &length), kNoDevice);
    EXPECT_EQ(length, 0u);
    EXPECT_EQ(reply[kFieldCommand], 0xEE);
    EXPECT_EQ(rig.fake.WriteCount(), 0);
}

TEST(Transact, RefusedSendEndsAtOnceEvenOnARetry) {
    const struct {
        const char* name;
        int refused_send;
        std::vector<Step> script;
    } cases[] = {
        {"first send", 0, {}},
        {"after a time-out", 1, {Step::kSilent}},
        {"third send", 2, {Step::kStatusFE, Step::kForeign}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Rig rig(kScripted);
        rig.fake.SetResponder(Script(c.script));
        const int refused = c.refused_send;
        rig.fake.SetRefusal([refused](int index) { return index == refused; });
        Report reply{};
        uint32_t length = 99;
        EXPECT_EQ(rig.link.Transact(kRequest, reply, &length), kSendRefused);
        EXPECT_EQ(length, 0u);
        EXPECT_EQ(rig.fake.WriteCount(), c.refused_send + 1);
    }
}

TEST(Transact, RequestIsSentAsSixtyFourBytes) {
    const struct {
        const char* name;
        size_t length;
    } cases[] = {{"short request zero-filled", 5}, {"long request cut", 70}, {"exact", 64}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Rig rig;
        std::vector<uint8_t> request(c.length);
        for (size_t i = 0; i < request.size(); ++i) request[i] = static_cast<uint8_t>(i + 1);
        if (request.size() > kFieldStatus) request[kFieldStatus] = 0;
        rig.fake.SetResponder([](const Report& r, int) { return Echo(r); });
        Report reply{};
        uint32_t length = 0;
        ASSERT_EQ(rig.link.Transact(request, reply, &length), kOk);
        const Report sent = rig.fake.Written().at(0);
        for (size_t i = 0; i < kReportSize; ++i) {
            EXPECT_EQ(sent[i], i < request.size() ? request[i] : 0) << i;
        }
        EXPECT_EQ(rig.fake.BadChecks(), 0);
    }
}

TEST(Transact, ReplyIsCutToCapacity) {
    const struct {
        const char* name;
        size_t capacity;
        size_t reply_bytes;
        uint32_t expected_length;
    } cases[] = {
        {"capacity 10 of 64", 10, 64, 10},
        {"capacity 2, code still checked", 2, 64, 2},
        {"short reply", 64, 20, 20},
        {"longer than a report", 64, 80, 64},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Rig rig;
        const size_t reply_bytes = c.reply_bytes;
        rig.fake.SetResponder([reply_bytes](const Report& r, int) {
            Answer answer = Echo(r);
            answer.bytes.resize(reply_bytes, 0xAB);
            return answer;
        });
        std::array<uint8_t, 100> buffer;
        buffer.fill(0xEE);
        uint32_t length = 0;
        ASSERT_EQ(rig.link.Transact(kRequest, std::span(buffer).first(c.capacity), &length), kOk);
        EXPECT_EQ(length, c.expected_length);
        EXPECT_EQ(buffer[0], kRequest[0]);
        for (size_t i = c.expected_length; i < buffer.size(); ++i) ASSERT_EQ(buffer[i], 0xEE) << i;
        EXPECT_EQ(rig.fake.WriteCount(), 1);
    }
}

TEST(Transact, ReplyWhileIdleIsDroppedAndDoesNotDisturbTheNext) {
    Rig rig(kScripted);
    // A transaction that gives up, then its reply turns up late.
    Report lost{};
    ASSERT_EQ(rig.link.Transact(kRequest, lost, nullptr), kNoReply);
    Answer stale = Echo(kRequest);
    stale.bytes[kFieldData] = 0x99;
    rig.fake.Inject(stale.bytes);
    rig.fake.Drain();

    // The next exchange takes its own reply, not the stale one, and needs only one send.
    rig.fake.SetResponder([](const Report& r, int) {
        Answer answer = Echo(r);
        answer.bytes[kFieldData] = 0x42;
        return answer;
    });
    Report reply{};
    uint32_t length = 0;
    EXPECT_EQ(rig.link.Transact(kRequest, reply, &length), kOk);
    EXPECT_EQ(reply[kFieldData], 0x42);
    EXPECT_EQ(rig.fake.WriteCount(), 4);
}

// A second reply to the same attempt must not overwrite the one being read.
TEST(Transact, FirstReplyOfAnAttemptWins) {
    Rig rig;
    rig.fake.SetSink([&rig](const uint8_t* data, uint32_t count) {
        std::vector<uint8_t> first(data, data + count);
        first[kFieldData] = 0x11;
        rig.link.OnReply(first.data(), count);
        std::vector<uint8_t> second = first;
        second[kFieldData] = 0x22;
        rig.link.OnReply(second.data(), count);
    });
    rig.fake.SetResponder([](const Report& r, int) { return Echo(r); });
    for (int i = 0; i < 50; ++i) {
        Report reply{};
        uint32_t length = 0;
        ASSERT_EQ(rig.link.Transact(kRequest, reply, &length), kOk);
        ASSERT_EQ(reply[kFieldData], 0x11) << i;
        rig.fake.Drain();  // the duplicate is gone before the next request goes out
    }
}

TEST(Transact, SendReportIsOneWay) {
    Rig rig;
    rig.fake.SetDeviceCount(0);  // not consulted
    rig.fake.SetWriteResult(7);
    Report report{};
    report[kFieldCommand] = 0x33;
    EXPECT_EQ(rig.link.SendReport(std::span(report).first(10)), 7);
    ASSERT_EQ(rig.fake.WriteCount(), 1);
    EXPECT_EQ(rig.fake.Written()[0], report);
    EXPECT_EQ(rig.fake.BadChecks(), 0);
    EXPECT_EQ(rig.link.ReportsSent(), 0u);
}

// The production pacing: a foreign reply costs one 10 ms pause and a second send.
TEST(Transact, ForeignReplyRetriedWithDefaultTimings) {
    FakeService fake;
    DeviceLink link(fake);
    fake.SetSink([&link](const uint8_t* data, uint32_t count) { link.OnReply(data, count); });
    fake.SetResponder(Script({Step::kForeign, Step::kOk}));
    Report reply{};
    uint32_t length = 0;
    EXPECT_EQ(link.Transact(kRequest, reply, &length), kOk);
    EXPECT_EQ(fake.WriteCount(), 2);
    EXPECT_EQ(reply[kFieldCommand], kRequest[kFieldCommand]);
    fake.Stop();
}

// Two threads at once: each must get the replies to its own requests.
TEST(Transact, ConcurrentCallersNeverShareReplies) {
    Rig rig;
    rig.fake.SetResponder([](const Report& r, int) {
        Answer answer = Echo(r);
        answer.bytes[kFieldData + 3] = static_cast<uint8_t>(r[kFieldData] ^ 0x5A);
        return answer;
    });
    constexpr int kThreads = 3;
    constexpr int kIterations = 300;
    std::atomic<int> mismatches{0};
    std::atomic<int> failures{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < kIterations; ++i) {
                const uint8_t data[3] = {static_cast<uint8_t>(t + 1), static_cast<uint8_t>(i),
                                         static_cast<uint8_t>(i >> 8)};
                const Report request = BuildReport(0x05, 3, 0, data);
                Report reply{};
                uint32_t length = 0;
                if (rig.link.Transact(request, reply, &length) != kOk) {
                    ++failures;
                    continue;
                }
                if (reply[kFieldData] != data[0] || reply[kFieldData + 1] != data[1] ||
                    reply[kFieldData + 2] != data[2] || reply[kFieldData + 3] != (data[0] ^ 0x5A)) {
                    ++mismatches;
                }
            }
        });
    }
    for (auto& thread : threads) thread.join();
    EXPECT_EQ(failures.load(), 0);
    EXPECT_EQ(mismatches.load(), 0);
    EXPECT_EQ(rig.fake.WriteCount(), kThreads * kIterations);
}

// The wait hook: how a waiting thread gets to do its own work meanwhile.
class CountingHook final : public WaitHook {
  public:
    void WhileWaiting() override {
        ++calls;
        if (nested) nested_result = nested();
    }
    std::atomic<int> calls{0};
    std::function<int()> nested;
    int nested_result = 1234;
};

TEST(TransactWaitHook, RunsWhileALateReplyIsOut) {
    const struct {
        const char* name;
        std::chrono::milliseconds delay;
        int at_least;
    } cases[] = {
        {"answered at once: before the request", 0ms, 1},
        {"80 ms late: every few milliseconds", 80ms, 6},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Rig rig;
        CountingHook hook;
        rig.link.SetWaitHook(&hook);
        const auto delay = c.delay;
        rig.fake.SetResponder([delay](const Report& r, int) {
            Answer answer = Echo(r);
            answer.delay = delay;
            return answer;
        });
        Report reply{};
        EXPECT_EQ(rig.link.Transact(kRequest, reply, nullptr), kOk);
        EXPECT_GE(hook.calls.load(), c.at_least);
        EXPECT_EQ(rig.fake.WriteCount(), 1) << "the hook must not cost a retry";
        rig.link.SetWaitHook(nullptr);
    }
}

TEST(TransactWaitHook, ATransactionFromInsideTheHookIsRefused) {
    Rig rig;
    CountingHook hook;
    Report inner_reply{};
    bool tried = false;
    hook.nested = [&] {
        if (tried) return hook.nested_result;
        tried = true;
        return rig.link.Transact(BuildReport(0x06, 0, 0), inner_reply, nullptr);
    };
    rig.link.SetWaitHook(&hook);
    rig.fake.SetResponder([](const Report& r, int) {
        Answer answer = Echo(r);
        answer.bytes[kFieldData] = 0x42;
        answer.delay = 20ms;
        return answer;
    });
    Report reply{};
    uint32_t length = 0;
    EXPECT_EQ(rig.link.Transact(kRequest, reply, &length), kOk);
    EXPECT_EQ(hook.nested_result, kSendRefused);
    EXPECT_EQ(reply[kFieldCommand], kRequest[kFieldCommand]);
    EXPECT_EQ(reply[kFieldData], 0x42);
    EXPECT_EQ(rig.fake.WriteCount(), 1);
    rig.link.SetWaitHook(nullptr);
}

TEST(TransactWaitHook, RunsWhileWaitingForAnotherThreadsTransaction) {
    Rig rig;
    rig.fake.SetResponder([](const Report& r, int index) {
        Answer answer = Echo(r);
        if (index == 0) answer.delay = 100ms;  // the other thread's exchange is slow
        return answer;
    });
    std::thread other([&] {
        Report reply{};
        rig.link.Transact(kRequest, reply, nullptr);
    });
    ASSERT_TRUE([&] {
        for (int i = 0; i < 500 && rig.fake.WriteCount() == 0; ++i) std::this_thread::sleep_for(1ms);
        return rig.fake.WriteCount() == 1;
    }());
    // Only this thread's waits count from here on.
    CountingHook hook;
    const std::thread::id me = std::this_thread::get_id();
    std::atomic<int> mine{0};
    hook.nested = [&] {
        if (std::this_thread::get_id() == me) ++mine;
        return 1;
    };
    rig.link.SetWaitHook(&hook);
    Report reply{};
    EXPECT_EQ(rig.link.Transact(kRequest, reply, nullptr), kOk);
    other.join();
    EXPECT_GE(mine.load(), 5) << "the lock wait gave the hook no turns";
    rig.link.SetWaitHook(nullptr);
}

// At the end of the program another thread's exchange with a silent keyboard
// gives up at once, without retries; the ending thread's own go on.
TEST(Transact, OnlyTheEndingThreadsTransactionsGoOn) {
    Rig rig(kAnswered);  // without the end, the silent exchange would try three times
    std::atomic<bool> answer{false};
    rig.fake.SetResponder([&](const Report& r, int) { return answer ? Echo(r) : Silent(); });
    int other_result = 0;
    std::thread other([&] {
        Report reply{};
        other_result = rig.link.Transact(kRequest, reply, nullptr);
    });
    ASSERT_TRUE([&] {
        for (int i = 0; i < 2000 && rig.fake.WriteCount() == 0; ++i) std::this_thread::sleep_for(1ms);
        return rig.fake.WriteCount() == 1;
    }());
    rig.link.EndOtherThreadsTransactions();
    other.join();
    EXPECT_EQ(other_result, kNoReply);
    EXPECT_EQ(rig.fake.WriteCount(), 1) << "the ended exchange was tried again";

    answer = true;
    Report reply{};
    EXPECT_EQ(rig.link.Transact(kRequest, reply, nullptr), kOk) << "the ending thread's own exchange";
    std::thread later([&] {
        Report r{};
        other_result = rig.link.Transact(kRequest, r, nullptr);
    });
    later.join();
    EXPECT_EQ(other_result, kNoReply);
    EXPECT_EQ(rig.fake.WriteCount(), 2) << "another thread's later exchange was sent";
}

}  // namespace
}  // namespace kv::device::test
