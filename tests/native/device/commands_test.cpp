#include <gtest/gtest.h>

#include <climits>
#include <functional>

#include "rig.h"

namespace kv::device::test {
namespace {

// What the keyboard holds at a device offset, so read assembly can be checked.
uint8_t Pattern(uint32_t offset) { return static_cast<uint8_t>(offset * 7 ^ offset >> 8); }

// Reads answer with the pattern of all 56 data bytes from the request's offset;
// everything else is echoed.
Answer PatternKeyboard(const Report& request, int) {
    Answer answer = Echo(request);
    const uint32_t offset = request[kFieldOffsetLo] | request[kFieldOffsetHi] << 8;
    switch (request[kFieldCommand]) {
        case kCmdReadSettings:
        case kCmdReadProfileSettings:
        case kCmdReadKeyMap:
        case kCmdReadMacroArea:
        case kCmdReadDefaultMatrix:
        case kCmdReadKeyColours:
            for (size_t i = 0; i < kReportData; ++i) answer.bytes[kFieldData + i] = Pattern(offset + i);
            break;
        default:
            break;
    }
    return answer;
}

struct Frame {
    uint8_t code;
    uint8_t length;
    uint16_t offset;
    bool operator==(const Frame&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Frame& f) {
    return os << "{code " << int(f.code) << ", length " << int(f.length) << ", offset " << f.offset << "}";
}

// n chunks of 56 bytes from base, then the remainder.
std::vector<Frame> Chunks(uint8_t code, uint16_t base, int full, uint8_t last) {
    std::vector<Frame> frames;
    for (int k = 0; k < full; ++k) frames.push_back({code, 56, static_cast<uint16_t>(base + 56 * k)});
    if (last) frames.push_back({code, last, static_cast<uint16_t>(base + 56 * full)});
    return frames;
}

std::vector<Frame> FramesOf(const std::vector<Report>& reports) {
    std::vector<Frame> frames;
    for (const Report& r : reports) {
        frames.push_back({r[kFieldCommand], r[kFieldLength],
                          static_cast<uint16_t>(r[kFieldOffsetLo] | r[kFieldOffsetHi] << 8)});
    }
    return frames;
}

std::vector<uint8_t> Bytes(size_t n, uint8_t seed) {
    std::vector<uint8_t> bytes(n);
    for (size_t i = 0; i < n; ++i) bytes[i] = static_cast<uint8_t>(seed + i * 13);
    return bytes;
}

struct CommandCase {
    const char* name;
    std::function<int(Commands&)> run;
    std::vector<Frame> expected;
};

TEST(Commands, ReportFieldsAndChunking) {
    std::array<uint8_t, 512> block{};
    std::array<uint8_t, 56> data56{};
    std::array<uint8_t, 48> settings{};
    std::vector<uint8_t> buffer(200);
    const std::vector<uint8_t> one_byte{3};
    const CommandCase cases[] = {
        {"BeginConfig", [](Commands& c) { return c.BeginConfig(); }, {{0x01, 0, 0}}},
        {"EndConfig", [](Commands& c) { return c.EndConfig(); }, {{0x02, 0, 0}}},
        {"ReadSettingsBlock", [&](Commands& c) { return c.ReadSettingsBlock(settings); }, {{0x03, 0x30, 0}}},
        {"WriteSettingsBlock",
         [&](Commands& c) { return c.WriteSettingsBlock(settings); },
         {{0x04, 0x30, 0}}},
        {"ReadProfileSettings",
         [&](Commands& c) { return c.ReadProfileSettings(data56, 42, 42); },
         {{0x05, 42, 42}}},
        {"WriteProfileSettings report rate of profile 2",
         [&](Commands& c) { return c.WriteProfileSettings(one_byte, 2 * 42 + 15); },
         {{0x06, 1, 99}}},
        {"ReadKeyMapBlock 0", [&](Commands& c) { return c.ReadKeyMapBlock(block, 0); },
         Chunks(0x07, 0, 9, 8)},
        {"WriteKeyMapBlock 1", [&](Commands& c) { return c.WriteKeyMapBlock(block, 1); },
         Chunks(0x08, 512, 9, 8)},
        {"WriteKeyMapBlock 2", [&](Commands& c) { return c.WriteKeyMapBlock(block, 2); },
         Chunks(0x08, 1024, 9, 8)},
        {"ReadMacroArea 16",
         [&](Commands& c) { return c.ReadMacroArea(std::span(buffer).first(16)); },
         {{0x09, 16, 0}}},
        {"ReadMacroArea 57",
         [&](Commands& c) { return c.ReadMacroArea(std::span(buffer).first(57)); },
         {{0x09, 56, 0}, {0x09, 1, 56}}},
        {"ReadMacroArea 0", [&](Commands& c) { return c.ReadMacroArea({}); }, {}},
        {"WriteMacroArea 112",
         [&](Commands& c) { return c.WriteMacroArea(std::span(buffer).first(112)); },
         {{0x0A, 56, 0}, {0x0A, 56, 56}}},
        {"WriteMacroArea 0", [&](Commands& c) { return c.WriteMacroArea({}); }, {}},
        {"ReadDefaultMatrix", [&](Commands& c) { return c.ReadDefaultMatrix(block); }, Chunks(0x0F, 0, 9, 8)},
        {"ReadKeyColours page 2 offset 54",
         [&](Commands& c) { return c.ReadKeyColours(data56, 56, 54, 2); },
         {{0x10, 56, 0x0236}}},
        {"WriteKeyColours on the shown page",
         [&](Commands& c) {
             c.SetShownProfile(2);
             return c.WriteKeyColours(std::span(data56).first(21), 10);
         },
         {{0x11, 21, 522}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Rig rig;
        rig.fake.SetResponder(PatternKeyboard);
        EXPECT_EQ(c.run(rig.commands), kOk);
        const std::vector<Report> sent = rig.fake.Written();
        EXPECT_EQ(FramesOf(sent), c.expected);
        for (const Report& r : sent) {
            EXPECT_EQ(r[kFieldReportId], 4);
            EXPECT_EQ(r[kFieldStatus], 0);
            EXPECT_EQ(r[kFieldChecksumLo] | r[kFieldChecksumHi] << 8, ReportChecksum(r));
        }
    }
}

TEST(Commands, WriteKeyMapBlockEndsWithEightBytesAt1016) {
    Rig rig;
    rig.fake.SetResponder(PatternKeyboard);
    std::array<uint8_t, 512> block{};
    ASSERT_EQ(rig.commands.WriteKeyMapBlock(block, 1), kOk);
    const auto frames = FramesOf(rig.fake.Written());
    ASSERT_EQ(frames.size(), 10u);
    EXPECT_EQ(frames[8].offset, 960);
    EXPECT_EQ(frames.back(), (Frame{0x08, 8, 1016}));
}

// The data of a write lands in bytes 8 onwards, chunk by chunk, and nothing else is set.
TEST(Commands, WritesCarryTheirData) {
    const std::vector<uint8_t> key_map = Bytes(512, 1);
    const std::vector<uint8_t> macro = Bytes(130, 77);
    const std::vector<uint8_t> settings = Bytes(48, 5);
    const std::vector<uint8_t> colours = Bytes(20, 9);
    const struct {
        const char* name;
        std::function<int(Commands&)> run;
        const std::vector<uint8_t>& data;
    } cases[] = {
        {"key map",
         [&](Commands& c) { return c.WriteKeyMapBlock(std::span<const uint8_t, 512>(key_map), 2); }, key_map},
        {"macro area", [&](Commands& c) { return c.WriteMacroArea(macro); }, macro},
        {"settings block",
         [&](Commands& c) { return c.WriteSettingsBlock(std::span<const uint8_t, 48>(settings)); }, settings},
        {"profile settings", [&](Commands& c) { return c.WriteProfileSettings(colours, 42); }, colours},
        {"key colours", [&](Commands& c) { return c.WriteKeyColours(colours, 0); }, colours},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Rig rig;
        rig.fake.SetResponder(PatternKeyboard);
        ASSERT_EQ(c.run(rig.commands), kOk);
        std::vector<uint8_t> carried;
        for (const Report& r : rig.fake.Written()) {
            const size_t length = r[kFieldLength];
            carried.insert(carried.end(), r.begin() + kFieldData, r.begin() + kFieldData + length);
            for (size_t i = kFieldData + length; i < kReportSize; ++i) EXPECT_EQ(r[i], 0) << i;
        }
        EXPECT_EQ(carried, c.data);
    }
}

TEST(Commands, ReadsAssembleChunksAtTheirPositions) {
    Rig rig;
    rig.fake.SetResponder(PatternKeyboard);

    std::array<uint8_t, 512> block{};
    ASSERT_EQ(rig.commands.ReadKeyMapBlock(block, 1), kOk);
    for (uint32_t i = 0; i < block.size(); ++i) ASSERT_EQ(block[i], Pattern(512 + i)) << i;

    // Only the chunk's own bytes are copied: nothing past the requested length.
    std::vector<uint8_t> macro(57 + 8, 0xEE);
    ASSERT_EQ(rig.commands.ReadMacroArea(std::span(macro).first(57)), kOk);
    for (uint32_t i = 0; i < 57; ++i) ASSERT_EQ(macro[i], Pattern(i)) << i;
    for (size_t i = 57; i < macro.size(); ++i) EXPECT_EQ(macro[i], 0xEE) << i;

    // Profile settings and key colours hand out all 56 bytes whatever the length.
    std::array<uint8_t, 56> data{};
    ASSERT_EQ(rig.commands.ReadProfileSettings(data, 1, 84), kOk);
    for (uint32_t i = 0; i < data.size(); ++i) ASSERT_EQ(data[i], Pattern(84 + i)) << i;
    ASSERT_EQ(rig.commands.ReadKeyColours(data, 4, 54, 2), kOk);
    for (uint32_t i = 0; i < data.size(); ++i) ASSERT_EQ(data[i], Pattern(566 + i)) << i;

    std::array<uint8_t, 48> settings{};
    ASSERT_EQ(rig.commands.ReadSettingsBlock(settings), kOk);
    for (uint32_t i = 0; i < settings.size(); ++i) ASSERT_EQ(settings[i], Pattern(i)) << i;
}

TEST(Commands, OutOfRangeArgumentsSendNothing) {
    std::array<uint8_t, 512> block{};
    std::array<uint8_t, 56> data56{};
    const std::vector<uint8_t> too_long(57);
    std::vector<uint8_t> huge(0x10001);
    const CommandCase cases[] = {
        {"read block -1", [&](Commands& c) { return c.ReadKeyMapBlock(block, -1); }, {}},
        {"read block 3", [&](Commands& c) { return c.ReadKeyMapBlock(block, 3); }, {}},
        {"write block 3", [&](Commands& c) { return c.WriteKeyMapBlock(block, 3); }, {}},
        {"write block INT_MIN", [&](Commands& c) { return c.WriteKeyMapBlock(block, INT_MIN); }, {}},
        {"profile settings of 57 bytes",
         [&](Commands& c) { return c.WriteProfileSettings(too_long, 0); },
         {}},
        {"key colours of 57 bytes", [&](Commands& c) { return c.WriteKeyColours(too_long, 0); }, {}},
        {"key colour page -1", [&](Commands& c) { return c.ReadKeyColours(data56, 1, 0, -1); }, {}},
        {"key colour page 256", [&](Commands& c) { return c.ReadKeyColours(data56, 1, 0, 256); }, {}},
        {"shown page -1",
         [&](Commands& c) {
             c.SetShownProfile(-1);
             return c.WriteKeyColours(std::span(data56).first(1), 0);
         },
         {}},
        {"macro area beyond 16-bit offsets", [&](Commands& c) { return c.WriteMacroArea(huge); }, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Rig rig;
        rig.fake.SetResponder(PatternKeyboard);
        EXPECT_EQ(c.run(rig.commands), kBadBlockIndex);
        EXPECT_EQ(rig.fake.WriteCount(), 0);
    }
}

TEST(Commands, NoKeyboardReturnsZeroAndLeavesBuffers) {
    Rig rig;
    rig.fake.SetDeviceCount(0);
    std::array<uint8_t, 512> block;
    block.fill(0xEE);
    EXPECT_EQ(rig.commands.ReadKeyMapBlock(block, 0), kNoDevice);
    EXPECT_EQ(rig.commands.WriteKeyMapBlock(block, 0), kNoDevice);
    EXPECT_EQ(rig.commands.BeginConfig(), kNoDevice);
    EXPECT_EQ(block[0], 0xEE);
    EXPECT_EQ(rig.fake.WriteCount(), 0);
}

// A multi-report command stops at the first failing report; what came before stays.
TEST(Commands, StopsAtTheFirstFailingChunk) {
    const struct {
        const char* name;
        Step failure;
        int expected;
    } cases[] = {
        {"status 0xFF", Step::kStatusFF, kStatusFF},
        {"status 0xFE", Step::kStatusFE, kStatusFE},
        {"silence", Step::kSilent, kNoReply},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Step failure = c.failure;
        // The third chunk (offset 112) fails on every attempt.
        auto responder = [failure](const Report& request, int index) {
            if ((request[kFieldOffsetLo] | request[kFieldOffsetHi] << 8) != 112)
                return PatternKeyboard(request, index);
            return Script({failure, failure, failure})(request, 0);
        };
        {
            Rig rig(kScripted);
            rig.fake.SetResponder(responder);
            std::array<uint8_t, 512> block{};
            EXPECT_EQ(rig.commands.WriteKeyMapBlock(block, 0), c.expected);
            EXPECT_EQ(
                FramesOf(rig.fake.Written()),
                (std::vector<Frame>{{8, 56, 0}, {8, 56, 56}, {8, 56, 112}, {8, 56, 112}, {8, 56, 112}}));
        }
        {
            Rig rig(kScripted);
            rig.fake.SetResponder(responder);
            std::vector<uint8_t> macro(170, 0xEE);
            EXPECT_EQ(rig.commands.ReadMacroArea(macro), c.expected);
            for (uint32_t i = 0; i < 112; ++i) ASSERT_EQ(macro[i], Pattern(i)) << i;
            for (size_t i = 112; i < macro.size(); ++i) ASSERT_EQ(macro[i], 0xEE) << i;
        }
    }
}

TEST(Commands, FailedReadsLeaveTheirBuffer) {
    Rig rig(kScripted);
    rig.fake.SetResponder(Script({Step::kStatusFE, Step::kStatusFE, Step::kStatusFE}));
    std::array<uint8_t, 48> settings;
    settings.fill(0xEE);
    EXPECT_EQ(rig.commands.ReadSettingsBlock(settings), kStatusFE);
    EXPECT_EQ(settings[0], 0xEE);
}

TEST(Commands, EnterUpdateModeIsOneWayWithoutChecksum) {
    const struct {
        int library_result;
        int device_count;
    } cases[] = {{1, 1}, {2, 1}, {0, 1}, {1, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.library_result);
        Rig rig;
        rig.fake.SetDeviceCount(c.device_count);
        rig.fake.SetWriteResult(c.library_result);
        EXPECT_EQ(rig.commands.EnterUpdateMode(), c.library_result);
        ASSERT_EQ(rig.fake.WriteCount(), 1);
        Report expected{};
        expected[0] = 4;
        expected[3] = 0xEE;
        expected[4] = 0xEE;
        EXPECT_EQ(rig.fake.Written()[0], expected);
        EXPECT_EQ(rig.fake.BadChecks(), 0);
    }
}

}  // namespace
}  // namespace kv::device::test
