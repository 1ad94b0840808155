#include <gtest/gtest.h>

#include <functional>

#include "model/try_alloc.h"
#include "profile_fixture.h"
#include "profiles/profile_reader.h"
#include "profiles/profile_writer.h"

namespace kv::profiles {
namespace {

namespace fs = std::filesystem;

using test::PutU16;
using test::PutU32;

constexpr int kStringEntry = 40;

// Header-valid file: two macros and one text-block entry whose string is
// "ab" at offset 2 of a 10-byte string area.
std::vector<uint8_t> GoodFile() {
    auto block = model::NewAssignmentBlock();
    block->entries[kStringEntry] = {model::kKindTextBlock, 0, 2, 0, 0};
    model::WriteBlockHeader(*block, 2, 10, 0);
    std::vector<uint8_t> file(ProfileFileSize(2, 10));
    std::memcpy(file.data(), block.get(), kBlockSize);
    for (size_t i = 0; i < 2; ++i) {
        model::MacroRecord m;
        test::MakeMacro(m, static_cast<uint16_t>(i + 1), u"mm", 5);
        std::memcpy(file.data() + kBlockSize + i * kRecordSize, &m, kRecordSize);
    }
    const size_t area = ProfileFileSize(2, 0);
    PutU16(file, area + 2, u'a');
    PutU16(file, area + 4, u'b');
    return file;
}

size_t EntryValueAt(int entry) { return 64 + 16 * static_cast<size_t>(entry) + 4; }
size_t EntryKindAt(int entry) { return 64 + 16 * static_cast<size_t>(entry); }

void SetCounts(std::vector<uint8_t>& f, uint16_t macros, uint32_t strings) {
    PutU16(f, kHdrMacroCount, macros);
    PutU32(f, kHdrStringSize, strings);
    PutU32(f, kHdrTotalSize, static_cast<uint32_t>(ProfileFileSize(macros, strings)));
    test::FixChecksum(f);
}

TEST(ProfileLoad, GoodFileLoads) {
    const auto file = GoodFile();
    ASSERT_EQ(CheckProfileHeader(file), ProfileStatus::kValid);
    model::ConfigSet set;
    ASSERT_EQ(ParseProfile(file, set), ProfileStatus::kValid);
    EXPECT_EQ(set.macros.Count(), 2);
    EXPECT_EQ(set.strings.Text(kStringEntry), u"ab");
    EXPECT_EQ(set.strings.Total(), 6u);
}

TEST(ProfileLoad, OddStringOffsetRoundsDown) {
    auto file = GoodFile();
    PutU32(file, EntryValueAt(kStringEntry), 3);
    model::ConfigSet set;
    ASSERT_EQ(ParseProfile(file, set), ProfileStatus::kValid);
    EXPECT_EQ(set.strings.Text(kStringEntry), u"ab");
}

TEST(ProfileLoad, HostileFilesAreRefused) {
    struct Case {
        const char* name;
        std::function<void(std::vector<uint8_t>&)> corrupt;
        ProfileStatus expected;
    };
    const size_t area = ProfileFileSize(2, 0);
    const Case cases[] = {
        {"shorter than the block", [](auto& f) { f.resize(kBlockSize - 1); }, ProfileStatus::kTooSmall},
        {"macro count past the limit", [](auto& f) { SetCounts(f, 101, 10); }, ProfileStatus::kTooManyMacros},
        {"macro count past the file", [](auto& f) { SetCounts(f, 3, 10); }, ProfileStatus::kTruncated},
        {"largest macro count", [](auto& f) { SetCounts(f, 0xFFFF, 0); }, ProfileStatus::kTooManyMacros},
        {"string area past the file", [](auto& f) { SetCounts(f, 2, 12); }, ProfileStatus::kTruncated},
        {"largest string area", [](auto& f) { SetCounts(f, 2, 0xFFFFFFFF); }, ProfileStatus::kTruncated},
        {"last record cut short", [](auto& f) { f.resize(kBlockSize + kRecordSize + 100); },
         ProfileStatus::kTruncated},
        {"string offset past the area", [](auto& f) { PutU32(f, EntryValueAt(kStringEntry), 10); },
         ProfileStatus::kBadContents},
        {"string offset far past the file",
         [](auto& f) { PutU32(f, EntryValueAt(kStringEntry), 0xFFFFFFFE); }, ProfileStatus::kBadContents},
        {"string without terminator",
         [area](auto& f) {
             for (size_t i = 6; i < 10; ++i) f[area + i] = 'z';
         },
         ProfileStatus::kBadContents},
        {"string entry with no string area",
         [](auto& f) {
             f.resize(ProfileFileSize(2, 0));
             SetCounts(f, 2, 0);
         },
         ProfileStatus::kBadContents},
        {"launch-program entry pointing outside",
         [](auto& f) {
             PutU16(f, EntryKindAt(900), model::kKindLaunchProgram);
             PutU32(f, EntryValueAt(900), 4096);
         },
         ProfileStatus::kBadContents},
        {"action count past the record",
         [](auto& f) {
             PutU16(f, kBlockSize + kRecordSize + offsetof(model::MacroRecord, action_count), 2001);
         },
         ProfileStatus::kBadContents},
    };
    for (const auto& c : cases) {
        auto file = GoodFile();
        c.corrupt(file);
        model::ConfigSet set;
        ASSERT_TRUE(set.strings.Set(1, u"kept"));
        EXPECT_EQ(ParseProfile(file, set), c.expected) << c.name;
        EXPECT_FALSE(set.block) << c.name;  // nothing replaced
        EXPECT_EQ(set.strings.Text(1), u"kept") << c.name;
    }
}

TEST(ProfileLoad, UnterminatedMacroNameIsCut) {
    auto file = GoodFile();
    for (size_t i = 0; i < 500; ++i) file[kBlockSize + i] = 'q';
    model::ConfigSet set;
    ASSERT_EQ(ParseProfile(file, set), ProfileStatus::kValid);
    EXPECT_EQ(set.macros.Records()[0].name[model::kMacroNameField - 1], u'\0');
}

TEST(ProfileLoad, OutOfMemoryLeavesTheSetAlone) {
    for (int skip = 0; skip < 3; ++skip) {
        model::ConfigSet set;
        set.block = model::NewAssignmentBlock();
        model::AssignmentBlock* before = set.block.get();
        const auto file = GoodFile();
        model::FailNextAllocationsForTesting(1, skip);
        EXPECT_EQ(ParseProfile(file, set), ProfileStatus::kOutOfMemory) << skip;
        model::FailNextAllocationsForTesting(0);
        EXPECT_EQ(set.block.get(), before) << skip;
    }
}

}  // namespace
}  // namespace kv::profiles
