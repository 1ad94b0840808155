#include "model/assign/write_configuration.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <vector>

#include "device/commands.h"
#include "device/transact.h"
#include "model/assign/assignment_store.h"
#include "model/macro/macro_image.h"
#include "model/try_alloc.h"
#include "text_map.h"

namespace kv::model {
namespace {

using device::Report;

// A keyboard that answers every report at once and keeps what was written.
class RecordingKeyboard : public device::DeviceService {
  public:
    void Attach(device::DeviceLink& link) { link_ = &link; }

    int Init(int) override { return 1; }
    int RequestGetDeviceCount(const DeviceSelector*, HidServCallback, uint32_t, uint32_t,
                              uint32_t*) override {
        return 1;
    }
    int RequestWriteOne(const DeviceSelector*, HidServCallback, uint32_t, const uint8_t* data,
                        uint32_t length, uint32_t, uint32_t*) override {
        Report report{};
        std::copy_n(data, std::min<uint32_t>(length, 64), report.begin());
        reports.push_back(report);
        Report reply = report;
        reply[device::kFieldStatus] = fail && fail(report) ? 0xFF : 0x00;
        if (report[device::kFieldCommand] == device::kCmdReadSettings) {
            std::fill(reply.begin() + 8, reply.end(), 0);
            reply[8 + device::kSettingsActiveProfile] = active_profile;
        }
        link_->OnReply(reply.data(), 64);
        return 1;
    }
    int RequestAsyncRead(const DeviceSelector*, HidServCallback, uint32_t, uint32_t, uint32_t*) override {
        return 1;
    }
    int RequestStatusWrite(const DeviceSelector*, HidServCallback, uint32_t, const uint8_t*, uint32_t,
                           uint32_t, uint32_t*) override {
        return 1;
    }
    int DeleteRequestFromUnitId(uint32_t) override { return 1; }

    std::vector<uint8_t> Codes() const {
        std::vector<uint8_t> codes;
        for (const Report& r : reports) {
            if (codes.empty() || codes.back() != r[device::kFieldCommand])
                codes.push_back(r[device::kFieldCommand]);
        }
        return codes;
    }
    // The bytes the reports of one write command put at each device offset.
    std::map<size_t, uint8_t> Written(uint8_t command) const {
        std::map<size_t, uint8_t> bytes;
        for (const Report& r : reports) {
            if (r[device::kFieldCommand] != command) continue;
            const size_t offset = r[device::kFieldOffsetLo] | r[device::kFieldOffsetHi] << 8;
            for (size_t i = 0; i < r[device::kFieldLength]; ++i)
                bytes[offset + i] = r[device::kFieldData + i];
        }
        return bytes;
    }
    std::vector<uint8_t> WrittenRange(uint8_t command, size_t from, size_t count) const {
        const auto bytes = Written(command);
        std::vector<uint8_t> out;
        for (size_t at = from; at < from + count; ++at) {
            const auto it = bytes.find(at);
            if (it == bytes.end()) return {};
            out.push_back(it->second);
        }
        return out;
    }

    std::vector<Report> reports;
    std::function<bool(const Report&)> fail;
    uint8_t active_profile = 1;

  private:
    device::DeviceLink* link_ = nullptr;
};

class RecordingMessages : public MessageSink {
  public:
    explicit RecordingMessages(const RecordingKeyboard& keyboard) : keyboard_(keyboard) {}
    void ShowMessage(std::u16string_view text, MessageKind kind) override {
        shown.push_back({std::u16string(text), kind, keyboard_.reports.size()});
    }
    struct Shown {
        std::u16string text;
        MessageKind kind;
        size_t reports_before;
    };
    std::vector<Shown> shown;

  private:
    const RecordingKeyboard& keyboard_;
};

const testing::TextMap kTexts{{u"EXTRA_MACRO_TOO_LONG", u"too long"},
                              {u"EXTRA_PROFILE_SPACE_TIGHT", u"tight"}};

MacroRecord Macro(uint16_t id, uint16_t actions, size_t name_units) {
    MacroRecord r{};
    r.id = id;
    r.play_count = 2;
    r.action_count = actions;
    for (uint16_t a = 0; a < actions; ++a) r.actions[a] = {100, 0x01E, static_cast<uint16_t>(a % 2)};
    std::fill_n(r.name, name_units, u'm');
    return r;
}

std::vector<uint8_t> Image(std::span<const MacroRecord> macros, bool names) {
    const MacroImageSizes sizes = MacroImageSizesOf(macros);
    std::vector<uint8_t> image(names ? sizes.with_names : sizes.without_names);
    EXPECT_TRUE(BuildMacroImage(macros, names, image));
    return image;
}

class WriteConfigurationTest : public ::testing::Test {
  protected:
    void SetUp() override {
        keyboard_.Attach(link_);
        WriteAssignment(*sets_.Working().block, 0, 0x1E, KeyAssignment{kKindKey, 0, 0x030, 0, 0});
        WriteAssignment(*sets_.Working().block, 1, 0x1E, KeyAssignment{kKindMacro, 1, 2, 0, 0});
        WriteAssignment(*sets_.Working().block, 2, 0x1E, KeyAssignment{kKindDisabled, 0, 0, 0, 0});
    }
    void SetMacros(std::vector<MacroRecord> macros) {
        auto records = MacroList::Allocate(macros.size());
        std::copy(macros.begin(), macros.end(), records.get());
        sets_.Working().macros.Install(std::move(records), static_cast<uint16_t>(macros.size()));
    }
    int Write(bool all_profiles, uint32_t capacity = 4096) {
        if (!sets_.Applied().block) {
            EXPECT_TRUE(sets_.SnapshotWorkingToApplied());
        }
        return WriteConfiguration(
            sets_, all_profiles,
            ConfigurationTarget{commands_, BuiltInKeyMatrix(), capacity, kTexts, messages_});
    }
    KeyMapImage ExpectedKeyMap(int profile) {
        return BuildKeyMapImage(*sets_.Applied().block, profile, sets_.Applied().macros, BuiltInKeyMatrix());
    }
    std::vector<uint8_t> KeyMapWritten(int profile) {
        return keyboard_.WrittenRange(device::kCmdWriteKeyMap, 512 * profile, 512);
    }

    RecordingKeyboard keyboard_;
    device::DeviceLink link_{
        keyboard_, device::TransactTimings{std::chrono::milliseconds(200), std::chrono::milliseconds(0),
                                           std::chrono::milliseconds(0)}};
    device::Commands commands_{link_};
    RecordingMessages messages_{keyboard_};
    ConfigSets sets_;
};

TEST_F(WriteConfigurationTest, AllProfilesSendsTheMacroAreaOnceThenThreeKeyMaps) {
    SetMacros({Macro(5, 2, 3), Macro(2, 4, 0)});
    EXPECT_EQ(1, Write(true));
    EXPECT_EQ((std::vector<uint8_t>{device::kCmdBeginConfig, device::kCmdWriteMacroArea,
                                    device::kCmdWriteKeyMap, device::kCmdEndConfig}),
              keyboard_.Codes());
    const std::vector<uint8_t> area = Image(sets_.Applied().macros.Records(), true);
    EXPECT_EQ(area, keyboard_.WrittenRange(device::kCmdWriteMacroArea, 0, area.size()));
    EXPECT_EQ(area.size(), keyboard_.Written(device::kCmdWriteMacroArea).size());
    // Block order 0, 1, 2: 10 reports each.
    std::vector<size_t> block_of_report;
    for (const Report& r : keyboard_.reports) {
        if (r[device::kFieldCommand] == device::kCmdWriteKeyMap) {
            block_of_report.push_back((r[device::kFieldOffsetLo] | r[device::kFieldOffsetHi] << 8) / 512);
        }
    }
    ASSERT_EQ(30u, block_of_report.size());
    EXPECT_TRUE(std::is_sorted(block_of_report.begin(), block_of_report.end()));
    for (int p = 0; p < 3; ++p) {
        const KeyMapImage expected = ExpectedKeyMap(p);
        EXPECT_EQ(std::vector<uint8_t>(expected.begin(), expected.end()), KeyMapWritten(p)) << p;
    }
    // The macro key of profile 1 plays the second macro of the list.
    EXPECT_EQ(0x01, KeyMapWritten(1)[3 * 19 + 2]);
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(WriteConfigurationTest, OneProfileWritesTheActiveProfileOnly) {
    keyboard_.active_profile = 2;
    EXPECT_EQ(1, Write(false));
    EXPECT_EQ(
        (std::vector<uint8_t>{device::kCmdReadSettings, device::kCmdBeginConfig, device::kCmdWriteMacroArea,
                              device::kCmdWriteKeyMap, device::kCmdEndConfig}),
        keyboard_.Codes());
    const KeyMapImage expected = ExpectedKeyMap(2);
    EXPECT_EQ(std::vector<uint8_t>(expected.begin(), expected.end()), KeyMapWritten(2));
    EXPECT_EQ(512u, keyboard_.Written(device::kCmdWriteKeyMap).size());
    // The empty macro list still goes out as a bare header.
    EXPECT_EQ(Image({}, true), keyboard_.WrittenRange(device::kCmdWriteMacroArea, 0, 16));
}

TEST_F(WriteConfigurationTest, NoActiveProfileWritesNothing) {
    keyboard_.active_profile = 7;  // names no profile
    EXPECT_EQ(0, Write(false));
    EXPECT_EQ(std::vector<uint8_t>{device::kCmdReadSettings}, keyboard_.Codes());
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(WriteConfigurationTest, MacrosThatFitOnlyWithoutNamesAreSentWithoutAndWarnedAfter) {
    // 1100 bytes with names, 900 without.
    SetMacros({Macro(1, 100, 50), Macro(2, 118, 50)});
    ASSERT_EQ(1100u, MacroImageSizesOf(sets_.Working().macros.Records()).with_names);
    ASSERT_EQ(900u, MacroImageSizesOf(sets_.Working().macros.Records()).without_names);
    EXPECT_EQ(1, Write(true, 1024));
    const std::vector<uint8_t> area = Image(sets_.Applied().macros.Records(), false);
    EXPECT_EQ(area, keyboard_.WrittenRange(device::kCmdWriteMacroArea, 0, area.size()));
    EXPECT_EQ(900u, keyboard_.Written(device::kCmdWriteMacroArea).size());
    ASSERT_EQ(1u, messages_.shown.size());
    EXPECT_EQ(u"tight", messages_.shown[0].text);
    EXPECT_EQ(MessageKind::kKeyboardWrite, messages_.shown[0].kind);
    EXPECT_EQ(keyboard_.reports.size(), messages_.shown[0].reports_before);  // after the whole exchange
}

TEST_F(WriteConfigurationTest, MacrosThatFitWithNamesKeepThem) {
    SetMacros({Macro(1, 100, 50), Macro(2, 118, 50)});
    EXPECT_EQ(1, Write(true, 1100));
    EXPECT_EQ(1100u, keyboard_.Written(device::kCmdWriteMacroArea).size());
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(WriteConfigurationTest, MacrosTooLongEvenWithoutNamesSendNothing) {
    const struct {
        uint32_t capacity;
        std::vector<MacroRecord> macros;
    } cases[] = {
        {899, {Macro(1, 100, 50), Macro(2, 118, 50)}},
        {0, {}},  // capacity never read: even the bare header does not fit
        {4096,
         std::vector<MacroRecord>(kMaxMacros + 1, Macro(1, 0, 0))},  // more than the keyboard can number
    };
    for (const auto& c : cases) {
        SetMacros(c.macros);
        ASSERT_TRUE(sets_.SnapshotWorkingToApplied());
        keyboard_.reports.clear();
        messages_.shown.clear();
        EXPECT_EQ(0, Write(true, c.capacity));
        EXPECT_TRUE(keyboard_.reports.empty()) << c.capacity;
        ASSERT_EQ(1u, messages_.shown.size());
        EXPECT_EQ(u"too long", messages_.shown[0].text);
        EXPECT_EQ(MessageKind::kKeyboardWrite, messages_.shown[0].kind);
    }
}

TEST_F(WriteConfigurationTest, NoBufferNoWriteNoMessage) {
    ASSERT_TRUE(sets_.SnapshotWorkingToApplied());
    FailNextAllocationsForTesting(1);
    EXPECT_EQ(0, Write(true));
    FailNextAllocationsForTesting(0);
    EXPECT_TRUE(keyboard_.reports.empty());
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(WriteConfigurationTest, NoAppliedSetWritesNothing) {
    EXPECT_EQ(
        0, WriteConfiguration(sets_, true,
                              ConfigurationTarget{commands_, BuiltInKeyMatrix(), 4096, kTexts, messages_}));
    EXPECT_TRUE(keyboard_.reports.empty());
}

TEST_F(WriteConfigurationTest, AnyFailedWriteFailsTheWholeButEverythingIsStillSent) {
    const struct {
        const char* what;
        std::function<bool(const Report&)> fail;
        int result;
    } cases[] = {
        {"nothing fails", {}, 1},
        {"begin fails", [](const Report& r) { return r[device::kFieldCommand] == device::kCmdBeginConfig; },
         1},
        {"end fails", [](const Report& r) { return r[device::kFieldCommand] == device::kCmdEndConfig; }, 1},
        {"macro area fails",
         [](const Report& r) { return r[device::kFieldCommand] == device::kCmdWriteMacroArea; }, 0},
        {"first key map fails",
         [](const Report& r) {
             return r[device::kFieldCommand] == device::kCmdWriteKeyMap && r[device::kFieldOffsetHi] < 2;
         },
         0},
        {"last key map fails",
         [](const Report& r) {
             return r[device::kFieldCommand] == device::kCmdWriteKeyMap && r[device::kFieldOffsetHi] >= 4;
         },
         0},
    };
    ASSERT_TRUE(sets_.SnapshotWorkingToApplied());
    for (const auto& c : cases) {
        keyboard_.reports.clear();
        keyboard_.fail = c.fail;
        EXPECT_EQ(c.result, Write(true)) << c.what;
        EXPECT_EQ((std::vector<uint8_t>{device::kCmdBeginConfig, device::kCmdWriteMacroArea,
                                        device::kCmdWriteKeyMap, device::kCmdEndConfig}),
                  keyboard_.Codes())
            << c.what;
        // Each of the three blocks was attempted.
        for (int p = 0; p < 3; ++p) {
            const auto written = keyboard_.Written(device::kCmdWriteKeyMap);
            EXPECT_TRUE(written.count(512 * p)) << c.what << " " << p;
        }
    }
}

}  // namespace
}  // namespace kv::model
