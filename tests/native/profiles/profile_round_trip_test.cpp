#include <gtest/gtest.h>

#include "model/byte_io.h"
#include "profile_fixture.h"
#include "profiles/profile_reader.h"
#include "profiles/profile_writer.h"
#include "profiles/working_profile.h"

namespace kv::profiles {
namespace {

namespace fs = std::filesystem;

using test::ProfileFolderTest;

class ProfileRoundTrip : public ProfileFolderTest {};

TEST_F(ProfileRoundTrip, SaveValidateLoadReproducesTheWorkingSet) {
    model::ConfigSet saved;
    FillWorkingSet(saved);
    const fs::path path = folder / "backup.kvp";
    ASSERT_TRUE(SaveProfileFile(path, saved));
    ASSERT_EQ(ValidateProfileFile(path), ProfileStatus::kValid);

    model::ConfigSet loaded;
    ASSERT_EQ(LoadProfileFile(path, loaded), ProfileStatus::kValid);
    ASSERT_TRUE(loaded.block);
    EXPECT_EQ(std::memcmp(loaded.block.get(), saved.block.get(), kBlockSize), 0);
    EXPECT_EQ(loaded.block->header.macro_count, 3);

    ASSERT_EQ(loaded.macros.Count(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(std::memcmp(&loaded.macros.Records()[i], &saved.macros.Records()[i], kRecordSize), 0) << i;
    }
    EXPECT_EQ(loaded.macros.IdAt(0), 5);
    EXPECT_EQ(loaded.macros.IdAt(1), 1);
    EXPECT_EQ(loaded.macros.Records()[1].actions[1999].delay_ms,
              saved.macros.Records()[1].actions[1999].delay_ms);

    EXPECT_EQ(loaded.strings.Text(model::EntryNumber(1, 0x20)), u"C:\\Tools\\run.exe");
    EXPECT_EQ(loaded.strings.Text(model::EntryNumber(3, 0x22)), u"hello, \u4e16\u754c");
    EXPECT_EQ(loaded.strings.Size(model::EntryNumber(0, 0x23)), 0u);  // kind 2 carries no string
    EXPECT_EQ(loaded.strings.Size(model::EntryNumber(2, 0x21)), 0u);
}

TEST_F(ProfileRoundTrip, FileLayoutAndPackedStrings) {
    model::ConfigSet set;
    FillWorkingSet(set);
    const fs::path path = folder / "layout.kvp";
    ASSERT_TRUE(SaveProfileFile(path, set));
    const auto file = test::ReadAll(path);

    const uint32_t s = set.strings.Total();
    EXPECT_EQ(s, 2u * (16 + 1) + 2u * (9 + 1) + 2u * (5 + 1));
    ASSERT_EQ(file.size(), ProfileFileSize(3, s));
    EXPECT_EQ(model::GetU32(file, kHdrTotalSize), file.size());
    EXPECT_EQ(model::GetU16(file, kHdrMacroCount), 3);
    EXPECT_EQ(model::GetU32(file, kHdrStringSize), s);
    EXPECT_EQ(file[kHdrFlag], 0);
    for (size_t i = 0; i < 8; ++i)
        EXPECT_EQ(model::GetU32(file, 32 + 4 * i), model::kBlockDescriptorWords[i]);

    // Strings packed in entry order from offset 0; the launch-program entry
    // (profile 1) comes before the text block (profile 3).
    EXPECT_EQ(set.block->entries[model::EntryNumber(1, 0x20)].value, 0u);
    EXPECT_EQ(set.block->entries[model::EntryNumber(3, 0x22)].value, 34u);
    const size_t area = ProfileFileSize(3, 0);
    EXPECT_EQ(model::GetU16(file, area), u'C');
    EXPECT_EQ(model::GetU16(file, area + 32), 0);  // terminator
    EXPECT_EQ(model::GetU16(file, area + 34), u'h');
    // The stale string's share of S stays zero.
    for (size_t i = area + 54; i < file.size(); ++i) EXPECT_EQ(file[i], 0) << i;
}

TEST_F(ProfileRoundTrip, DefaultFileIsTheBareBlock) {
    const fs::path path = folder / "new.kvp";
    ASSERT_TRUE(WriteDefaultProfileFile(path, 1));
    const auto file = test::ReadAll(path);
    ASSERT_EQ(file.size(), kBlockSize);
    EXPECT_EQ(file[kHdrFlag], 1);
    EXPECT_EQ(ValidateProfileFile(path), ProfileStatus::kValid);

    model::ConfigSet loaded;
    ASSERT_EQ(LoadProfileFile(path, loaded), ProfileStatus::kValid);
    EXPECT_EQ(loaded.macros.Count(), 0);
    EXPECT_EQ(loaded.strings.Total(), 0u);
    EXPECT_EQ(loaded.block->entries[model::EntryNumber(0, 256)].g_id, 0x0301);
    EXPECT_EQ(loaded.block->entries[model::EntryNumber(1, 256)].g_id, 0);
}

TEST_F(ProfileRoundTrip, InstallDefaultConfigurationEmptiesTheMacroList) {
    model::ConfigSet set;
    FillWorkingSet(set);
    ASSERT_TRUE(InstallDefaultConfiguration(set));
    EXPECT_EQ(set.macros.Count(), 0);
    EXPECT_EQ(set.block->entries[model::EntryNumber(0, 0x1E)].kind, model::kKindDefault);
    EXPECT_EQ(set.block->header.macro_count, 0);
}

TEST_F(ProfileRoundTrip, WorkingProfileFileIsOnlyOverwritten) {
    model::ConfigSets sets;
    FillWorkingSet(sets.Working());
    const fs::path user = UserFolderIn(folder / "Local");
    EXPECT_EQ(user.filename(), "QX5307");
    ASSERT_TRUE(EnsureFolder(user));
    ASSERT_TRUE(EnsureFolder(user));
    const fs::path working = WorkingProfilePath(user, 2);
    EXPECT_EQ(working, WorkingProfilePath(user, 0));
    EXPECT_EQ(working.filename(), "$Profile0");

    EXPECT_FALSE(SaveToWorkingProfile(user, sets, true));
    EXPECT_FALSE(fs::exists(working));

    ASSERT_TRUE(WriteDefaultProfileFile(working, 0));
    ASSERT_TRUE(SaveToWorkingProfile(user, sets, true));
    EXPECT_EQ(fs::file_size(working), ProfileFileSize(3, sets.Working().strings.Total()));
}

}  // namespace
}  // namespace kv::profiles
