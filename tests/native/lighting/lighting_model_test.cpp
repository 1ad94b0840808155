#include "model/lighting/lighting_model.h"

#include <gtest/gtest.h>

#include "fake_keyboard.h"

namespace kv::model {
namespace {

using device::Command;
using test::SentCommand;

SentCommand Cmd(uint8_t code, uint8_t length = 0, uint16_t offset = 0, std::vector<uint8_t> data = {}) {
    if (data.empty() && (code == device::kCmdWriteProfileSettings || code == device::kCmdWriteKeyColours)) {
        data.assign(length, 0);
    }
    return SentCommand{code, length, offset, std::move(data)};
}
const SentCommand kBegin = Cmd(device::kCmdBeginConfig);
const SentCommand kEnd = Cmd(device::kCmdEndConfig);
const SentCommand kReadSettings = Cmd(device::kCmdReadSettings, 0x30);

class FakeSwitch : public PanelSwitchStore {
  public:
    bool on = false;
    int writes = 0;
    bool ReadPanelSwitch() override { return on; }
    void WritePanelSwitch(bool value) override {
        on = value;
        ++writes;
    }
};

class LightingModelTest : public ::testing::Test {
  protected:
    test::FakeDevice device;
    test::FakeKeyboard& keyboard = device.keyboard;
    FakeSwitch panel_switch;
    LightingModel model{device.commands, panel_switch};

    void SetRecordByte(int profile, size_t offset, uint8_t value) {
        keyboard.profile_area[static_cast<size_t>(profile) * kLightingRecordSize + offset] = value;
    }
    std::vector<SentCommand> Take() { return std::exchange(keyboard.sent, {}); }
};

TEST_F(LightingModelTest, ReadLightingReadsSettingsPageAndRecordsInOrder) {
    keyboard.SetModes({1, 2, 254});
    model.SetCurrentProfile(1);
    ASSERT_EQ(model.ReadLighting(), 0);
    const std::vector<SentCommand> expected = {
        kReadSettings,
        kBegin,
        Cmd(device::kCmdReadKeyColours, 54, 256 + 0),
        Cmd(device::kCmdReadKeyColours, 54, 256 + 54),
        Cmd(device::kCmdReadKeyColours, 54, 256 + 108),
        Cmd(device::kCmdReadKeyColours, 54, 256 + 162),
        Cmd(device::kCmdReadProfileSettings, 56, 0),
        Cmd(device::kCmdReadProfileSettings, 56, 42),
        Cmd(device::kCmdReadProfileSettings, 56, 84),
        kEnd,
    };
    EXPECT_EQ(Take(), expected);
}

TEST_F(LightingModelTest, PageIsReadOnlyWhenThePerKeyModeIsListed) {
    keyboard.SetModes({1, 2, 3});
    keyboard.key_colours.fill(0xAB);
    ASSERT_EQ(model.ReadLighting(), 0);
    for (const auto& c : Take()) EXPECT_NE(c.command, device::kCmdReadKeyColours);
    for (uint8_t b : model.KeyLightPage(0)) ASSERT_EQ(b, 0);
}

TEST_F(LightingModelTest, ReadLightingRecordsSkipsThePage) {
    keyboard.SetModes({254});
    ASSERT_EQ(model.ReadLightingRecords(), 0);
    const std::vector<SentCommand> expected = {
        kReadSettings,
        kBegin,
        Cmd(device::kCmdReadProfileSettings, 56, 0),
        Cmd(device::kCmdReadProfileSettings, 56, 42),
        Cmd(device::kCmdReadProfileSettings, 56, 84),
        kEnd,
    };
    EXPECT_EQ(Take(), expected);
}

TEST_F(LightingModelTest, PageReadRefreshesBytes0To215AndKeepsTheRest) {
    keyboard.SetModes({254});
    keyboard.key_colours.fill(0x11);
    ASSERT_EQ(model.ReadLighting(), 0);
    const auto page = model.KeyLightPage(0);
    for (size_t i = 0; i < 216; ++i) ASSERT_EQ(page[i], 0x11) << i;
    for (size_t i = 216; i < kKeyLightPageSize; ++i) ASSERT_EQ(page[i], 0) << i;
}

TEST_F(LightingModelTest, DecodesOnlyTheCurrentProfile) {
    SetRecordByte(0, kLightMode, 3);
    SetRecordByte(2, kLightMode, 12);
    SetRecordByte(2, kLightReportRate, 7);
    keyboard.profile_area[125] = 0x5A;  // last byte of the last record's unwritten tail
    model.SetCurrentProfile(2);
    ASSERT_EQ(model.ReadLighting(), 0);
    EXPECT_EQ(model.State().mode, 12);
    EXPECT_EQ(model.State().report_rate, 3);
    EXPECT_EQ(model.Record(0)[0], 3);
    EXPECT_EQ(model.Record(2)[41], 0x5A);
}

TEST_F(LightingModelTest, SettingsFailureLeavesTheModeListEmptyAndReadsNothingElse) {
    keyboard.SetModes({1, 254});
    ASSERT_EQ(model.ReadLighting(), 0);
    SetRecordByte(0, kLightMode, 9);
    panel_switch.on = true;
    Take();

    keyboard.Fail(device::kCmdReadSettings, 0);
    EXPECT_EQ(model.ReadLighting(), -1);
    EXPECT_EQ(Take(), std::vector<SentCommand>{kReadSettings});
    for (uint8_t id : model.Modes()) EXPECT_EQ(id, 0);
    EXPECT_FALSE(model.HasPerKeyMode());
    LightModeTable table;
    table.Rebuild(model.Modes());
    EXPECT_EQ(table.Count(), 0u);
    EXPECT_EQ(table.IndexOfId(1), -1);
    EXPECT_EQ(model.State().mode, 0);  // not decoded again
    EXPECT_FALSE(model.PanelOn());     // not read again
    EXPECT_EQ(model.ReadLightingRecords(), -1);
}

TEST_F(LightingModelTest, FailedRecordReadKeepsThePreviousRecord) {
    SetRecordByte(1, kLightMode, 4);
    SetRecordByte(0, kLightMode, 2);
    model.SetCurrentProfile(1);
    ASSERT_EQ(model.ReadLighting(), 0);
    ASSERT_EQ(model.State().mode, 4);

    SetRecordByte(1, kLightMode, 8);
    SetRecordByte(0, kLightMode, 6);
    keyboard.Fail(device::kCmdReadProfileSettings, 42);
    ASSERT_EQ(model.ReadLighting(), 0);
    EXPECT_EQ(model.Record(1)[0], 4);
    EXPECT_EQ(model.State().mode, 4);
    EXPECT_EQ(model.Record(0)[0], 6);  // the others still refreshed
}

TEST_F(LightingModelTest, FailedPageChunkKeepsThePreviousBytes) {
    keyboard.SetModes({254});
    keyboard.key_colours.fill(0x22);
    ASSERT_EQ(model.ReadLighting(), 0);

    keyboard.key_colours.fill(0x33);
    keyboard.Fail(device::kCmdReadKeyColours, 54);
    ASSERT_EQ(model.ReadLighting(), 0);
    const auto page = model.KeyLightPage(0);
    for (size_t i = 0; i < 216; ++i) ASSERT_EQ(page[i], (i >= 54 && i < 108) ? 0x22 : 0x33) << i;
}

TEST_F(LightingModelTest, ReadsThePanelSwitch) {
    panel_switch.on = true;
    ASSERT_EQ(model.ReadLighting(), 0);
    EXPECT_TRUE(model.PanelOn());
    Take();
    model.SetPanelOn(false);
    EXPECT_FALSE(panel_switch.on);
    EXPECT_EQ(panel_switch.writes, 1);
    EXPECT_TRUE(Take().empty());  // the switch sends nothing
}

TEST_F(LightingModelTest, WriteLightingBytesAddressesTheCurrentRecord) {
    model.SetCurrentProfile(2);
    const uint8_t rate = 1;
    model.WriteLightingBytes(kLightReportRate, std::span(&rate, 1));
    EXPECT_EQ(Take(),
              (std::vector<SentCommand>{kBegin, Cmd(device::kCmdWriteProfileSettings, 1, 99, {1}), kEnd}));
    EXPECT_EQ(keyboard.profile_area[99], 1);
    EXPECT_EQ(model.Record(2)[kLightReportRate], 0);  // refreshed only by the next read

    const uint8_t flag = 1;
    const auto colour = ColourBytes(0x00FF00);
    model.WriteLightingBytes(kLightDirection, std::span(&flag, 1), kLightEffectColour, colour);
    EXPECT_EQ(Take(), (std::vector<SentCommand>{
                          kBegin, Cmd(device::kCmdWriteProfileSettings, 1, 88, {1}),
                          Cmd(device::kCmdWriteProfileSettings, 3, 89, {0x00, 0xFF, 0x00}), kEnd}));
}

TEST_F(LightingModelTest, WriteLightingBytesNeverReachesTheNextRecord) {
    const std::array<uint8_t, 4> bytes{1, 2, 3, 4};
    model.WriteLightingBytes(40, bytes);
    model.WriteLightingBytes(42, bytes);
    EXPECT_EQ(Take(), (std::vector<SentCommand>{kBegin, Cmd(device::kCmdWriteProfileSettings, 2, 40, {1, 2}),
                                                kEnd, kBegin, kEnd}));
}

TEST_F(LightingModelTest, ToggleKeyLightWritesOneByteOfTheCurrentMap) {
    keyboard.SetModes({254});
    SetRecordByte(1, kLightUserMap, 3);
    keyboard.key_colours[256 + 3 * 21 + 7] = 0x01;
    model.SetCurrentProfile(1);
    ASSERT_EQ(model.ReadLighting(), 0);
    Take();

    ASSERT_TRUE(model.ToggleKeyLight(kMatrixIndexFn, true));
    EXPECT_EQ(Take(), (std::vector<SentCommand>{kBegin, Cmd(device::kCmdWriteKeyColours, 1, 256 + 70, {0x21}),
                                                kEnd}));
    EXPECT_EQ(model.CurrentUserMap()[7], 0x21);
    EXPECT_TRUE(model.IsKeyMarked(61));
    EXPECT_EQ(keyboard.key_colours[256 + 70], 0x21);

    ASSERT_TRUE(model.ToggleKeyLight(0, false));
    EXPECT_EQ(Take(), (std::vector<SentCommand>{kBegin, Cmd(device::kCmdWriteKeyColours, 1, 256 + 63, {0x00}),
                                                kEnd}));
    EXPECT_FALSE(model.ToggleKeyLight(168, true));
    EXPECT_TRUE(Take().empty());
}

TEST_F(LightingModelTest, ClearAndFillSendTheWholeMap) {
    model.State().user_map = 2;
    model.FillKeyMap();
    EXPECT_EQ(Take(),
              (std::vector<SentCommand>{
                  kBegin, Cmd(device::kCmdWriteKeyColours, 21, 42, std::vector<uint8_t>(21, 0xFF)), kEnd}));
    for (int k = 0; k < kMatrixIndexCount; ++k) ASSERT_TRUE(model.IsKeyMarked(k));

    model.ClearKeyMap();
    EXPECT_EQ(Take(),
              (std::vector<SentCommand>{kBegin, kBegin, Cmd(device::kCmdWriteKeyColours, 21, 42), kEnd}));
    for (int k = 0; k < kMatrixIndexCount; ++k) ASSERT_FALSE(model.IsKeyMarked(k));
}

TEST_F(LightingModelTest, RestoreDefaultsWritesMapsThenRecord) {
    keyboard.SetModes({1, 254});
    model.SetCurrentProfile(1);
    ASSERT_EQ(model.ReadLighting(), 0);
    model.State().user_map = 6;
    Take();

    model.RestoreLightingDefaults();
    auto maps = [](size_t at, size_t n) {
        return std::vector<uint8_t>(kDefaultKeyLightPage.begin() + at, kDefaultKeyLightPage.begin() + at + n);
    };
    const std::vector<SentCommand> expected = {
        kBegin,
        Cmd(device::kCmdWriteKeyColours, 45, 256 + 0, maps(0, 45)),
        Cmd(device::kCmdWriteKeyColours, 45, 256 + 45, maps(45, 45)),
        Cmd(device::kCmdWriteKeyColours, 45, 256 + 90, maps(90, 45)),
        Cmd(device::kCmdWriteKeyColours, 45, 256 + 135, maps(135, 45)),
        Cmd(device::kCmdWriteKeyColours, 30, 256 + 180, maps(180, 30)),
        kEnd,
        kBegin,
        Cmd(device::kCmdWriteProfileSettings, 35, 42,
            std::vector<uint8_t>(kDefaultLightingRecord.begin(), kDefaultLightingRecord.end())),
        kEnd,
    };
    EXPECT_EQ(Take(), expected);
    EXPECT_EQ(model.State().user_map, 0);
    for (size_t i = 0; i < kUserMapsBytes; ++i)
        ASSERT_EQ(keyboard.key_colours[256 + i], kDefaultKeyLightPage[i]);
    const auto page = model.KeyLightPage(1);
    EXPECT_TRUE(std::equal(page.begin(), page.end(), kDefaultKeyLightPage.begin()));
    // Map 10 marks only the 0 key.
    model.State().user_map = 9;
    for (int k = 0; k < kMatrixIndexCount; ++k) EXPECT_EQ(model.IsKeyMarked(k), k == 81) << k;
}

TEST_F(LightingModelTest, RestoreDefaultsWithoutPerKeyModeWritesOnlyTheRecord) {
    keyboard.SetModes({1, 2});
    ASSERT_EQ(model.ReadLighting(), 0);
    model.State().user_map = 6;
    Take();
    model.RestoreLightingDefaults();
    const auto sent = Take();
    ASSERT_EQ(sent.size(), 3u);
    EXPECT_EQ(sent[1].command, device::kCmdWriteProfileSettings);
    EXPECT_EQ(sent[1].offset, 0);
    EXPECT_EQ(model.State().user_map, 6);
}

TEST_F(LightingModelTest, OutOfRangeProfileIsIgnored) {
    model.SetCurrentProfile(1);
    model.SetCurrentProfile(3);
    model.SetCurrentProfile(-1);
    EXPECT_EQ(model.CurrentProfile(), 1);
    EXPECT_EQ(device.commands.ShownProfile(), 1);
}

}  // namespace
}  // namespace kv::model
