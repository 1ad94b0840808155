// Every valid profile file goes to JSON and comes back byte for byte: the
// files the other tests use, the fuzzer's seeds, files with values the
// readable words cannot name, and files written from random working sets.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <random>

#include "config_json/config_json.h"
#include "json_fixture.h"
#include "model/assign/assignment_store.h"
#include "model/assign/key_map_image.h"
#include "model/byte_io.h"
#include "model/macro/macro_image.h"
#include "profiles/profile_fixture.h"
#include "profiles/profile_format.h"
#include "profiles/profile_reader.h"
#include "sim/factory_content.h"
#include "sync/keyboard_contents.h"

namespace kv::config_json::test {
namespace {

namespace fs = std::filesystem;
using model::KeyAssignment;
using model::MacroRecord;

bool Valid(const std::vector<uint8_t>& file) {
    model::ConfigSet set;
    return profiles::CheckProfileHeader(file) == profiles::ProfileStatus::kValid &&
           profiles::ParseProfile(file, set) == profiles::ProfileStatus::kValid;
}

// The JSON text, after checking that it gives the file back.
std::string ExpectRoundTrip(const std::vector<uint8_t>& file, const std::string& what) {
    EXPECT_TRUE(Valid(file)) << what;
    const std::string json = JsonOf(file);
    const std::vector<uint8_t> back = FileOf(json);
    EXPECT_EQ(back.size(), file.size()) << what;
    if (back.size() == file.size()) {
        const auto diff = std::mismatch(back.begin(), back.end(), file.begin());
        EXPECT_TRUE(diff.first == back.end())
            << what << ": first difference at byte " << (diff.first - back.begin());
    }
    return json;
}

// The profile tests' working set: entries of several kinds, three macros,
// strings of both string kinds and a stale one.
struct ProfileTestSet : kv::test::ProfileFolderTest {
    using ProfileFolderTest::FillWorkingSet;
};

std::vector<uint8_t> Filled() {
    model::ConfigSet set;
    ProfileTestSet::FillWorkingSet(set);
    return ImageOf(set);
}

std::vector<uint8_t> DefaultFile(uint8_t flag) {
    model::AssignmentBlockPtr block = model::NewAssignmentBlock(flag);
    const auto bytes = model::BlockBytes(*block);
    return {bytes.begin(), bytes.end()};
}

// What reading the keyboard of the sync tests writes: three decoded
// profiles, a zero fourth block and the decoded macro.
std::vector<uint8_t> KeyboardFile() {
    const auto factory = sim::FactoryDefaultMatrix();
    model::KeyMapImage matrix;
    std::copy(factory.begin(), factory.end(), matrix.begin());
    model::AssignmentBlockPtr block = model::NewAssignmentBlock();
    for (int p = 0; p < model::kOnBoardProfiles; ++p) {
        model::KeyMapImage image = matrix;
        if (p == 0)
            std::copy_n(std::array<uint8_t, 3>{0x02, 0x02, 0x05}.begin(), 3,
                        image.begin() + 3 * model::test::kPosA);
        if (p == 1)
            std::copy_n(std::array<uint8_t, 3>{0x05, 0x01, 0x00}.begin(), 3,
                        image.begin() + 3 * model::test::kPosA);
        if (p == 2)
            std::copy_n(std::array<uint8_t, 3>{0x03, 0xE9, 0x00}.begin(), 3,
                        image.begin() + 3 * model::test::kPosB);
        model::DecodeKeyMapImage(image, matrix, model::ProfileEntries(*block, p));
    }
    model::MacroList macros;
    EXPECT_TRUE(model::DecodeMacroImage(model::test::MacroAreaAb(), macros));
    model::ConfigSet set;
    set.block = std::move(block);
    set.macros = std::move(macros);
    return ImageOf(set);
}

// The fuzzer's inputs as its harness turns them into files.
std::vector<uint8_t> ExpandSeed(const std::vector<uint8_t>& input) {
    constexpr size_t kHead = 4096;
    std::vector<uint8_t> file(profiles::kBlockSize, 0);
    const size_t head = std::min(input.size(), kHead);
    std::memcpy(file.data(), input.data(), head);
    file.insert(file.end(), input.begin() + static_cast<std::ptrdiff_t>(head), input.end());
    return file;
}

TEST(JsonRoundTrip, FixtureFilesComeBackByteForByte) {
    ExpectRoundTrip(Filled(), "the profile tests' working set");
    ExpectRoundTrip(DefaultFile(0), "default file");
    ExpectRoundTrip(DefaultFile(1), "default file with flag 1");
    const std::string keyboard = ExpectRoundTrip(KeyboardFile(), "file read from the keyboard");
    // Read from the keyboard, nothing needs raw values.
    EXPECT_EQ(keyboard.find("\"raw\""), std::string::npos) << keyboard;
}

TEST(JsonRoundTrip, FuzzSeedsThatAreProfileFilesComeBack) {
    int valid = 0;
    for (const auto& seed :
         fs::directory_iterator(fs::path(KV_SOURCE_DIR) / "tests/fuzz/seeds/profile_load")) {
        const std::vector<uint8_t> input = kv::test::ReadAll(seed.path());
        for (const auto& file : {input, ExpandSeed(input)}) {
            if (!Valid(file)) continue;
            ExpectRoundTrip(file, seed.path().filename().string());
            ++valid;
        }
    }
    EXPECT_GE(valid, 2) << "the seeds no longer hold valid profile files";
}

// Files no save of this program writes, but which pass the header checks and
// load: everything in them has to come back all the same.
TEST(JsonRoundTrip, OddButValidFilesKeepEveryByte) {
    struct Case {
        const char* what;
        void (*change)(std::vector<uint8_t>&);
    };
    const Case cases[] = {
        {"reserved header bytes", [](std::vector<uint8_t>& f) { f[20] = 7, f[29] = 0x80; }},
        {"another descriptor", [](std::vector<uint8_t>& f) { f[40] = 0x12, f[63] = 0xFF; }},
        {"bytes after the total size",
         [](std::vector<uint8_t>& f) {
             f.insert(f.end(), {1, 2, 3});
         }},
        {"garbage after a macro name", [](std::vector<uint8_t>& f) { f[profiles::kBlockSize + 400] = 0x41; }},
        {"a name without terminator",
         [](std::vector<uint8_t>& f) {
             for (size_t i = 0; i < 500; i += 2) f[profiles::kBlockSize + i] = 'x';
         }},
        {"the editor's new flag and reserved bytes",
         [](std::vector<uint8_t>& f) {
             f[profiles::kBlockSize + 501] = 9, f[profiles::kBlockSize + 502] = 1,
                                      f[profiles::kBlockSize + 511] = 3;
         }},
        {"an action past the action count",
         [](std::vector<uint8_t>& f) {
             f[profiles::kBlockSize + profiles::kRecordSize + 512 + 8 * 1999 + 4] = 0x1E;
         }},
        {"strings packed in another order",
         [](std::vector<uint8_t>& f) {
             // Profile 1's program and profile 3's text swap places in the area.
             const size_t area = profiles::kBlockSize + 3 * profiles::kRecordSize;
             const uint32_t a = model::GetU32(f, 64 + 16 * model::EntryNumber(1, 0x20) + 4);
             const uint32_t b = model::GetU32(f, 64 + 16 * model::EntryNumber(3, 0x22) + 4);
             std::vector<uint8_t> first(f.begin() + area + a, f.begin() + area + b);
             std::vector<uint8_t> second(f.begin() + area + b, f.begin() + area + b + 20);
             std::copy(second.begin(), second.end(), f.begin() + area);
             std::copy(first.begin(), first.end(), f.begin() + area + second.size());
             kv::test::PutU32(f, 64 + 16 * model::EntryNumber(3, 0x22) + 4, 0);
             kv::test::PutU32(f, 64 + 16 * model::EntryNumber(1, 0x20) + 4,
                              static_cast<uint32_t>(second.size()));
         }},
        {"an odd string offset",
         [](std::vector<uint8_t>& f) {
             const size_t at = 64 + 16 * model::EntryNumber(1, 0x20) + 4;
             kv::test::PutU32(f, at, model::GetU32(f, at) + 1);
         }},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> file = Filled();
        c.change(file);
        kv::test::FixChecksum(file);
        ASSERT_TRUE(Valid(file)) << c.what;
        const std::string json = ExpectRoundTrip(file, c.what);
        EXPECT_NE(json.find("\"raw\""), std::string::npos)
            << c.what << ": the readable members cannot carry this";
    }
}

// A random working set with every kind of entry, odd G fields and reserved
// words, macros with odd key codes, directions and names.
void FillRandomly(model::ConfigSet& set, std::mt19937& rng) {
    const auto pick = [&rng](uint32_t n) { return static_cast<uint32_t>(rng() % n); };
    set.block = model::NewAssignmentBlock();
    const int entries = static_cast<int>(pick(120));
    for (int i = 0; i < entries; ++i) {
        const int profile = static_cast<int>(pick(4));
        const int key =
            pick(4) == 0 ? model::kFirstGKeyEntry + static_cast<int>(pick(18)) : static_cast<int>(pick(512));
        KeyAssignment a{static_cast<uint16_t>(pick(11)), 0, 0, 0, 0};
        switch (a.kind) {
            case model::kKindKey:
                a.value = pick(3) == 0 ? pick(0x10000) : 0x1E + pick(40);
                break;
            case model::kKindMacro:
                a.value = 1 + pick(6);
                a.g_id = static_cast<uint16_t>(pick(256));
                break;
            case model::kKindMedia:
                a.value = pick(20);
                break;
            case model::kKindFunction:
                a.value = pick(12);
                break;
            case model::kKindLaunchProgram:
            case model::kKindTextBlock: {
                std::u16string text = u"C:\\app ";
                for (uint32_t n = pick(6); n > 0; --n)
                    text += static_cast<char16_t>(pick(3) == 0 ? 0xD800 + pick(0x800) : 0x20 + pick(0x3000));
                set.strings.Set(model::EntryNumber(profile, key), text);
                break;
            }
            default:
                a.value = pick(4) == 0 ? rng() : 0;
                break;
        }
        if (pick(5) == 0) a.g_id = static_cast<uint16_t>(rng());
        if (pick(8) == 0) a.reserved1 = rng(), a.reserved2 = pick(3);
        set.block->entries[model::EntryNumber(profile, key)] = a;
    }
    if (pick(3) == 0) set.strings.Set(model::EntryNumber(0, 5), u"a stale string of a key entry");
    const uint16_t count = static_cast<uint16_t>(pick(7));
    auto records = model::MacroList::Allocate(count);
    for (uint16_t m = 0; m < count; ++m) {
        MacroRecord& r = records[m];
        const std::u16string names[] = {u"Reload", u"Reload", u"", u"\u5b8f \U0001F600", u"x\xD800y"};
        const std::u16string& name = names[pick(5)];
        std::copy(name.begin(), name.end(), r.name);
        r.id = static_cast<uint16_t>(pick(4) == 0 ? pick(200) : m + 1);
        r.play_count = static_cast<uint8_t>(pick(256));
        r.play_mode = static_cast<uint16_t>(pick(5));
        r.action_count = static_cast<uint16_t>(pick(40));
        for (int a = 0; a < r.action_count; ++a) {
            r.actions[a] = {pick(5) == 0 ? static_cast<uint32_t>(rng()) : 10 * pick(100),
                            static_cast<uint16_t>(pick(4) == 0 ? pick(0x10000) : 0x1E + pick(20)),
                            static_cast<uint16_t>(pick(6) == 0 ? pick(7) : pick(2))};
        }
    }
    set.macros.Install(std::move(records), count);
}

TEST(JsonRoundTrip, RandomWorkingSetsComeBackByteForByte) {
    for (unsigned seed = 1; seed <= 40; ++seed) {
        std::mt19937 rng(seed);
        model::ConfigSet set;
        FillRandomly(set, rng);
        ExpectRoundTrip(ImageOf(set), "random set " + std::to_string(seed));
    }
}

}  // namespace
}  // namespace kv::config_json::test
