// The program's device link (transactions, commands, notifications) against
// the simulated keyboard: the two sides of the protocol together.
#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <numeric>

#include "device/commands.h"
#include "device/notify.h"
#include "device/transact.h"
#include "sim/sim_service.h"

namespace kv::sim {
namespace {

using namespace std::chrono_literals;
using namespace kv::device;

class RecordingSink : public NotificationSink {
  public:
    void StartReadBack(int count) override { Note("readback " + std::to_string(count)); }
    void LayerChanged(int layer) override { Note("layer " + std::to_string(layer)); }
    void LightingChanged() override { Note("lighting"); }
    void KeyboardBusy(bool busy) override { Note(busy ? "busy" : "idle"); }

    // The next event, or "" after the timeout.
    std::string Next(std::chrono::milliseconds timeout = 2000ms) {
        std::unique_lock lock(mutex_);
        if (!ready_.wait_for(lock, timeout, [this] { return !events_.empty(); })) return "";
        std::string e = events_.front();
        events_.erase(events_.begin());
        return e;
    }

  private:
    void Note(std::string e) {
        std::lock_guard lock(mutex_);
        events_.push_back(std::move(e));
        ready_.notify_all();
    }
    std::mutex mutex_;
    std::condition_variable ready_;
    std::vector<std::string> events_;
};

// Short waits keep the failure paths quick; the protocol is the same.
constexpr TransactTimings kQuick{std::chrono::milliseconds(150), std::chrono::milliseconds(1),
                                 std::chrono::milliseconds(5)};

class DeviceLinkOnSim : public ::testing::Test {
  protected:
    void SetUp() override { notifier.RegisterNotifications(); }
    void TearDown() override { sim.WaitIdle(); }

    uint64_t Sent() { return sim.Status().reports_written; }

    SimHidService sim;
    DeviceLink link{sim, kQuick};
    Commands commands{link};
    RecordingSink sink;
    Notifier notifier{link, sink};
};

TEST_F(DeviceLinkOnSim, WrittenBlocksReadBackAndLandInTheKeyboard) {
    std::array<uint8_t, kKeyMapSize> block;
    std::iota(block.begin(), block.end(), uint8_t{3});
    commands.BeginConfig();
    ASSERT_EQ(commands.WriteKeyMapBlock(block, 1), kOk);
    std::vector<uint8_t> macro(57);
    std::iota(macro.begin(), macro.end(), uint8_t{100});
    ASSERT_EQ(commands.WriteMacroArea(macro), kOk);
    commands.EndConfig();

    std::array<uint8_t, kKeyMapSize> back{};
    ASSERT_EQ(commands.ReadKeyMapBlock(back, 1), kOk);
    EXPECT_EQ(back, block);
    auto maps = sim.AreaBytes(Area::kKeyMaps);
    EXPECT_TRUE(std::equal(block.begin(), block.end(), maps.begin() + 512));
    std::vector<uint8_t> macro_back(57);
    ASSERT_EQ(commands.ReadMacroArea(macro_back), kOk);
    EXPECT_EQ(macro_back, macro);
    EXPECT_EQ(sim.Status().keyboard.writes_outside_config, 0u);
}

TEST_F(DeviceLinkOnSim, LightingRecordWindowsAndActiveProfile) {
    std::array<uint8_t, kReportData> window{};
    ASSERT_EQ(commands.ReadProfileSettings(window, 56, 84), kOk) << "the last record's 56-byte window";
    auto record = FactoryLightingRecord(2);
    EXPECT_TRUE(std::equal(record.begin(), record.end(), window.begin()));

    commands.SetActiveProfile(2);
    EXPECT_EQ(sim.Memory().ActiveProfile(), 2);
    commands.ResetActiveProfileCache();
    EXPECT_EQ(commands.GetActiveProfile(), 2);
}

TEST_F(DeviceLinkOnSim, FailurePathsGiveTheDocumentedResults) {
    std::array<uint8_t, kSettingsBlockSize> settings{};

    sim.SetFaults({.drop_replies = 3});
    uint64_t before = Sent();
    EXPECT_EQ(commands.ReadSettingsBlock(settings), kNoReply);
    EXPECT_EQ(Sent() - before, 3u) << "three sends";

    sim.SetFaults({.fail_status = 3, .status = 0xFE});
    EXPECT_EQ(commands.BeginConfig(), kStatusFE);
    sim.SetFaults({.fail_status = 3, .status = 0xFF});
    EXPECT_EQ(commands.BeginConfig(), kStatusFF);

    sim.SetFaults({.wrong_code = 1});
    before = Sent();
    EXPECT_EQ(commands.ReadSettingsBlock(settings), kOk);
    EXPECT_EQ(Sent() - before, 2u) << "the foreign reply costs one attempt";
    EXPECT_EQ(settings[11], kFactoryMacroUnits);

    sim.Unplug();
    before = Sent();
    EXPECT_EQ(commands.BeginConfig(), kNoDevice);
    EXPECT_EQ(Sent(), before) << "nothing sent without a keyboard";
}

TEST_F(DeviceLinkOnSim, LateReplyDoesNotDisturbTheNextTransaction) {
    sim.SetFaults({.latency = 200ms});
    EXPECT_EQ(commands.BeginConfig(), kOk) << "the first, late reply answers the second attempt";
    sim.ClearFaults();
    ASSERT_TRUE(sim.WaitIdle());  // the second attempt's reply arrives while nobody waits
    std::array<uint8_t, kSettingsBlockSize> settings{};
    ASSERT_EQ(commands.ReadSettingsBlock(settings), kOk);
    EXPECT_EQ(settings[11], kFactoryMacroUnits);
}

TEST_F(DeviceLinkOnSim, NotificationsReachTheProgram) {
    sim.Unplug();
    EXPECT_EQ(sink.Next(), "readback 0");
    sim.Plug();
    EXPECT_EQ(sink.Next(), "readback 1");

    sim.PressLayerKey();
    EXPECT_EQ(sink.Next(), "layer 1");
    EXPECT_EQ(sim.Indicator(), (std::array<uint8_t, 2>{0x05, 0x03})) << "indicator written back";
    sim.SendLightingChanged();
    EXPECT_EQ(sink.Next(), "lighting");
    sim.SendBusy(true);
    EXPECT_EQ(sink.Next(), "busy");
}

TEST_F(DeviceLinkOnSim, UpdateSwitchTakesTheKeyboardAway) {
    EXPECT_EQ(commands.EnterUpdateMode(), 1);
    EXPECT_EQ(sink.Next(), "readback 0");
    EXPECT_TRUE(sim.Status().update_mode);
    EXPECT_EQ(link.DeviceCount(), 0);
}

}  // namespace
}  // namespace kv::sim
