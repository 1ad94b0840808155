#include "sim/keyboard.h"

#include <gtest/gtest.h>

#include <numeric>

#include "host_stub.h"
#include "sim/factory_content.h"

namespace kv::sim {
namespace {

using test::Request;

std::vector<uint8_t> Pattern(size_t n, uint8_t seed) {
    std::vector<uint8_t> bytes(n);
    for (size_t i = 0; i < n; ++i) bytes[i] = static_cast<uint8_t>(seed + 7 * i);
    return bytes;
}

TEST(FactoryMemory, HoldsWhatTheHostExpectsOnFirstContact) {
    KeyboardMemory m = KeyboardMemory::Factory(64);
    auto settings = m.Bytes(Area::kSettings);
    EXPECT_EQ(settings[10], 0) << "active profile";
    EXPECT_EQ(settings[11], 64) << "macro capacity units";
    EXPECT_EQ(m.Size(Area::kMacro), 64u * 128u);
    auto modes = settings.subspan(16, 32);
    EXPECT_NE(std::find(modes.begin(), modes.end(), 254), modes.end()) << "per-key mode listed";

    auto macro = m.Bytes(Area::kMacro);
    EXPECT_EQ(macro[0] | macro[1] << 8, 0x55AA);
    EXPECT_EQ(macro[2] | macro[3] << 8, 16) << "empty image is just the header";
    EXPECT_EQ(macro[4] | macro[5] << 8, 0) << "no macros";

    auto matrix = m.Bytes(Area::kDefaultMatrix);
    auto maps = m.Bytes(Area::kKeyMaps);
    for (int p = 0; p < 3; ++p)
        EXPECT_TRUE(std::equal(matrix.begin(), matrix.end(), maps.begin() + 512 * p)) << "profile " << p;
    EXPECT_TRUE(std::all_of(matrix.begin() + 378, matrix.end(), [](uint8_t b) { return b == 0; }));

    auto records = m.Bytes(Area::kProfileSettings);
    for (int p = 0; p < 3; ++p) {
        EXPECT_EQ(records[42 * p + 1], 5) << "brightness";
        EXPECT_EQ(records[42 * p + 15], 0) << "report rate";
    }
    auto pages = m.Bytes(Area::kKeyColours);
    EXPECT_EQ(pages[256 + 9 * 21 + 10], 0x02) << "map 10 marks matrix index 81";
}

TEST(FactoryMemory, MatrixNamesEveryGKeyOfBothLayersOnce) {
    auto matrix = FactoryDefaultMatrix();
    std::vector<int> seen(19, 0);
    for (size_t k = 0; k < 126; ++k)
        if (matrix[3 * k] == 0x06 && matrix[3 * k + 1] == 0xA2 && matrix[3 * k + 2] >= 1 &&
            matrix[3 * k + 2] <= 18)
            ++seen[matrix[3 * k + 2]];
    for (int n = 1; n <= 18; ++n) EXPECT_EQ(seen[n], 1) << "G entry " << n;
}

TEST(KeyboardMemory, AccessInsideAnAreaOnly) {
    struct Case {
        Area area;
        size_t offset, length;
        bool ok;
    };
    const Case cases[] = {
        {Area::kSettings, 0, 48, true},         {Area::kSettings, 1, 48, false},
        {Area::kProfileSettings, 84, 42, true}, {Area::kProfileSettings, 85, 42, false},
        {Area::kKeyMaps, 1024, 512, true},      {Area::kKeyMaps, 1536, 1, false},
        {Area::kKeyColours, 767, 1, true},      {Area::kKeyColours, 768, 0, true},
        {Area::kKeyColours, 769, 0, false},     {Area::kMacro, 8191, 1, true},
        {Area::kMacro, 8192, 1, false},         {Area::kDefaultMatrix, SIZE_MAX, 2, false},
    };
    for (const Case& c : cases) {
        KeyboardMemory m = KeyboardMemory::Factory(64);
        KeyboardMemory before = m;
        std::vector<uint8_t> out(c.length);
        EXPECT_EQ(m.Read(c.area, c.offset, out), c.ok) << AreaName(c.area) << " " << c.offset;
        std::vector<uint8_t> data(c.length, 0xA5);
        EXPECT_EQ(m.Write(c.area, c.offset, data), c.ok) << AreaName(c.area) << " " << c.offset;
        if (!c.ok) {
            EXPECT_EQ(m, before) << "a refused write changes nothing";
        }
    }
}

class KeyboardCommands : public ::testing::Test {
  protected:
    Outcome Send(const Report& r) { return keyboard.Handle(r); }
    static uint8_t Status(const Outcome& o) { return o.reply[7]; }
    Keyboard keyboard{KeyboardMemory::Factory(64)};
};

TEST_F(KeyboardCommands, ReadsReturnWhatWritesStored) {
    struct Case {
        uint8_t write, read;
        uint16_t offset;
        uint8_t length;
        Area area;
    };
    const Case cases[] = {
        {0x06, 0x05, 99, 1, Area::kProfileSettings},  // report rate of profile 2
        {0x06, 0x05, 70, 56, Area::kProfileSettings},
        {0x08, 0x07, 1016, 8, Area::kKeyMaps},  // last chunk of block 1
        {0x08, 0x07, 0, 56, Area::kKeyMaps},
        {0x0A, 0x09, 8136, 56, Area::kMacro},      // last 56 bytes of 8 KiB
        {0x11, 0x10, 566, 54, Area::kKeyColours},  // page 2, offset 54
    };
    for (const Case& c : cases) {
        auto data = Pattern(c.length, static_cast<uint8_t>(c.offset));
        Outcome w = Send(Request(c.write, c.length, c.offset, data));
        ASSERT_EQ(Status(w), kStatusOk) << int(c.write);
        EXPECT_TRUE(w.memory_changed);
        Outcome r = Send(Request(c.read, c.length, c.offset));
        ASSERT_EQ(Status(r), kStatusOk) << int(c.read);
        EXPECT_EQ(r.reply[3], c.read) << "reply repeats the command";
        EXPECT_TRUE(std::equal(data.begin(), data.end(), r.reply.begin() + 8)) << int(c.read);
        std::vector<uint8_t> stored(c.length);
        keyboard.Memory().Read(c.area, c.offset, stored);
        EXPECT_EQ(stored, data);
    }
}

TEST_F(KeyboardCommands, OutOfRangeRequestsAreRefusedAndChangeNothing) {
    struct Case {
        uint8_t command;
        uint16_t offset;
        uint8_t length;
        uint8_t status;
    };
    const Case cases[] = {
        {0x06, 126, 1, kStatusBadRange},  {0x06, 100, 27, kStatusBadRange}, {0x06, 0, 57, kStatusBadRange},
        {0x08, 1530, 7, kStatusBadRange}, {0x0A, 8190, 3, kStatusBadRange}, {0x11, 768, 1, kStatusBadRange},
        {0x05, 126, 1, kStatusBadRange},  {0x07, 1536, 8, kStatusBadRange}, {0x0F, 512, 1, kStatusBadRange},
        {0x09, 0, 57, kStatusBadRange},   {0x03, 1, 48, kStatusBadRange},   {0x04, 0, 47, kStatusBadRange},
        {0x12, 0, 0, kStatusRefused},     {0x00, 0, 0, kStatusRefused},     {0x0E, 0, 8, kStatusRefused},
    };
    for (const Case& c : cases) {
        KeyboardMemory before = keyboard.Memory();
        Outcome o = Send(Request(c.command, c.length, c.offset, Pattern(56, 1)));
        EXPECT_EQ(Status(o), c.status) << "command " << int(c.command) << " at " << c.offset;
        EXPECT_EQ(o.reply[3], c.command);
        EXPECT_FALSE(o.memory_changed);
        EXPECT_EQ(keyboard.Memory(), before);
    }
}

TEST_F(KeyboardCommands, ReadRunningPastTheEndReturnsTheRestAndZeros) {
    // The host reads each 42-byte lighting record as a 56-byte window.
    Outcome o = Send(Request(0x05, 56, 84));
    ASSERT_EQ(Status(o), kStatusOk);
    auto record = FactoryLightingRecord(2);
    EXPECT_TRUE(std::equal(record.begin(), record.end(), o.reply.begin() + 8));
    EXPECT_TRUE(std::all_of(o.reply.begin() + 8 + 42, o.reply.end(), [](uint8_t b) { return b == 0; }));
    EXPECT_EQ(o.reply[4], 42) << "length says how many bytes are real";
}

TEST_F(KeyboardCommands, MalformedReportsAreRefused) {
    Report bad_sum = Request(0x03, 48);
    bad_sum[1] ^= 1;
    Report bad_id = Request(0x03, 48);
    bad_id[0] = 3;
    for (const Report& r : {bad_sum, bad_id}) {
        Outcome o = Send(r);
        EXPECT_EQ(Status(o), kStatusRefused);
    }
    EXPECT_EQ(Status(keyboard.Handle(std::span<const uint8_t>(Request(0x03, 48)).first(63))), kStatusRefused);
}

TEST_F(KeyboardCommands, RepliesCarryAValidChecksum) {
    for (const Report& r : {Request(0x03, 48), Request(0x0F, 56, 448), Request(0x01), Request(0x33)}) {
        Outcome o = Send(r);
        EXPECT_EQ(o.reply[0], 4);
        EXPECT_EQ(o.reply[1] | o.reply[2] << 8, ReportSum(o.reply));
    }
}

TEST_F(KeyboardCommands, SettingsWriteChangesOnlyWhatTheHostOwns) {
    Outcome r = Send(Request(0x03, 48));
    std::vector<uint8_t> block(r.reply.begin() + 8, r.reply.begin() + 56);
    std::vector<uint8_t> changed = block;
    for (auto& b : changed) b ^= 0x5A;
    changed[10] = 2;
    ASSERT_EQ(Status(Send(Request(0x04, 48, 0, changed))), kStatusOk);
    auto now = keyboard.Memory().Bytes(Area::kSettings);
    EXPECT_EQ(now[10], 2) << "active profile";
    EXPECT_EQ(now[12], changed[12]) << "reserved host byte";
    EXPECT_EQ(now[11], block[11]) << "capacity is the keyboard's";
    EXPECT_TRUE(std::equal(block.begin() + 16, block.end(), now.begin() + 16))
        << "mode list is the keyboard's";
    EXPECT_TRUE(std::equal(block.begin(), block.begin() + 10, now.begin())) << "identity bytes";

    changed[10] = 3;
    EXPECT_EQ(Status(Send(Request(0x04, 48, 0, changed))), kStatusBadRange) << "no fourth profile";
    EXPECT_EQ(keyboard.Memory().ActiveProfile(), 2);
}

TEST_F(KeyboardCommands, ConfigExchangeIsTracked) {
    EXPECT_FALSE(keyboard.ConfigOpen());
    Send(Request(0x01));
    EXPECT_TRUE(keyboard.ConfigOpen());
    Send(Request(0x06, 1, 15, std::vector<uint8_t>{2}));
    Send(Request(0x02));
    EXPECT_FALSE(keyboard.ConfigOpen());
    Send(Request(0x06, 1, 15, std::vector<uint8_t>{1}));
    EXPECT_EQ(keyboard.Counters().writes, 2u);
    EXPECT_EQ(keyboard.Counters().writes_outside_config, 1u);
}

TEST_F(KeyboardCommands, UpdateSwitchNeedsNoChecksumAndGetsNoReply) {
    Report r{};
    r[0] = 4;
    r[3] = 0xEE;
    r[4] = 0xEE;
    EXPECT_EQ(Send(r).kind, Outcome::Kind::kUpdateMode);
    r[4] = 0;
    EXPECT_EQ(Send(r).kind, Outcome::Kind::kReply) << "half a switch is just a bad report";
}

}  // namespace
}  // namespace kv::sim
