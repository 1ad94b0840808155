#include <gtest/gtest.h>

#include <memory>
#include <set>

#include "rig.h"

namespace kv::device::test {
namespace {

// A keyboard that keeps a settings block and can fail reads or writes of it.
struct SettingsKeyboard {
    std::mutex mutex;
    std::array<uint8_t, kSettingsBlockSize> block{};
    std::set<uint8_t> failing;  // command codes answered with status 0xFE

    Answer operator()(const Report& request) {
        std::lock_guard lock(mutex);
        const uint8_t code = request[kFieldCommand];
        if (failing.contains(code)) return Echo(request, 0xFE);
        Answer answer = Echo(request);
        if (code == kCmdReadSettings) std::ranges::copy(block, answer.bytes.begin() + kFieldData);
        if (code == kCmdWriteSettings) std::copy_n(request.begin() + kFieldData, block.size(), block.begin());
        return answer;
    }
};

class ActiveProfileTest : public ::testing::Test {
protected:
    ActiveProfileTest() {
        for (size_t i = 0; i < keyboard_->block.size(); ++i)
            keyboard_->block[i] = static_cast<uint8_t>(0x40 + i);
        keyboard_->block[kSettingsActiveProfile] = 2;
        auto keyboard = keyboard_;
        rig_.fake.SetResponder([keyboard](const Report& request, int) { return (*keyboard)(request); });
    }
    void Fail(uint8_t code) { keyboard_->failing.insert(code); }
    void Heal() { keyboard_->failing.clear(); }
    int Sent() { return rig_.fake.WriteCount(); }

    std::shared_ptr<SettingsKeyboard> keyboard_ = std::make_shared<SettingsKeyboard>();
    Rig rig_;
    Commands& commands_ = rig_.commands;
};

TEST_F(ActiveProfileTest, AnsweredFromTheCacheOnceRead) {
    EXPECT_EQ(commands_.GetActiveProfile(), 2);
    EXPECT_EQ(Sent(), 1);
    EXPECT_EQ(commands_.GetActiveProfile(), 2);
    EXPECT_EQ(Sent(), 1);
    commands_.ResetActiveProfileCache();  // detached
    EXPECT_EQ(commands_.GetActiveProfile(), 2);
    EXPECT_EQ(Sent(), 2);
}

TEST_F(ActiveProfileTest, FailedReadLeavesTheCacheUnknown) {
    Fail(kCmdReadSettings);
    EXPECT_EQ(commands_.GetActiveProfile(), -1);
    EXPECT_EQ(commands_.CachedActiveProfile(), -1);
    Heal();
    EXPECT_EQ(commands_.GetActiveProfile(), 2);
    EXPECT_EQ(commands_.CachedActiveProfile(), 2);
}

TEST_F(ActiveProfileTest, ValueNamingNoProfileIsAFailedRead) {
    keyboard_->block[kSettingsActiveProfile] = 7;
    EXPECT_EQ(commands_.GetActiveProfile(), -1);
    EXPECT_EQ(commands_.CachedActiveProfile(), -1);
}

TEST_F(ActiveProfileTest, SetWritesByteTenAndKeepsTheRest) {
    const auto before = keyboard_->block;
    EXPECT_EQ(commands_.SetActiveProfile(1), kOk);
    auto expected = before;
    expected[kSettingsActiveProfile] = 1;
    EXPECT_EQ(keyboard_->block, expected);
    EXPECT_EQ(commands_.CachedActiveProfile(), 1);
    const int sent = Sent();
    EXPECT_EQ(commands_.GetActiveProfile(), 1);
    EXPECT_EQ(Sent(), sent);
}

TEST_F(ActiveProfileTest, SetFailures) {
    const struct {
        const char* name;
        int profile;
        uint8_t failing;    // command code that fails, 0 for none
        int write_reports;  // settings-write reports sent (a failing one is tried three times)
        int cache_after;    // cache was 2 before
        int result;
    } cases[] = {
        {"write fails: cache unknown", 0, kCmdWriteSettings, 3, -1, kStatusFE},
        {"read fails: nothing written, cache kept", 0, kCmdReadSettings, 0, 2, kStatusFE},
        {"negative profile: nothing sent", -1, 0, 0, 2, kBadBlockIndex},
        {"profile 3 does not exist: nothing sent", 3, 0, 0, 2, kBadBlockIndex},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Heal();
        commands_.ResetActiveProfileCache();
        ASSERT_EQ(commands_.GetActiveProfile(), 2);
        if (c.failing) Fail(c.failing);
        const size_t already = rig_.fake.Written().size();
        EXPECT_EQ(commands_.SetActiveProfile(c.profile), c.result);
        const auto written = rig_.fake.Written();
        const auto writes =
            std::count_if(written.begin() + static_cast<std::ptrdiff_t>(already), written.end(),
                          [](const Report& r) { return r[kFieldCommand] == kCmdWriteSettings; });
        EXPECT_EQ(writes, c.write_reports);
        EXPECT_EQ(commands_.CachedActiveProfile(), c.cache_after);
    }
}

}  // namespace
}  // namespace kv::device::test
