#include <gtest/gtest.h>

#include "profile_fixture.h"
#include "profiles/profile_reader.h"
#include "profiles/profile_writer.h"
#include "profiles/working_profile.h"

namespace kv::profiles {
namespace {

namespace fs = std::filesystem;

using test::ProfileFolderTest;

class ProfileSaveFailure : public ProfileFolderTest {
  protected:
    fs::path path;
    std::vector<uint8_t> old_bytes;

    void SetUp() override {
        ProfileFolderTest::SetUp();
        path = folder / "profile.kvp";
        model::ConfigSet old_set;
        FillWorkingSet(old_set);
        old_set.macros.Release();
        ASSERT_TRUE(SaveProfileFile(path, old_set));
        old_bytes = test::ReadAll(path);
    }

    void ExpectOldFileAlone() {
        EXPECT_EQ(test::ReadAll(path), old_bytes);
        EXPECT_EQ(FolderContents(), std::vector<fs::path>{"profile.kvp"});
    }
};

// Fails the write that would reach past `limit` bytes of the file.
WriteHook FailPast(uint64_t limit) {
    return
        [limit](uint64_t offset, std::span<const uint8_t> bytes) { return offset + bytes.size() <= limit; };
}

TEST_F(ProfileSaveFailure, FailedWriteLeavesTheOldFileAndNoTempFile) {
    const uint64_t limits[] = {0, kBlockSize, kBlockSize + kRecordSize, ProfileFileSize(3, 0)};
    for (uint64_t limit : limits) {
        model::ConfigSet set;
        FillWorkingSet(set);
        EXPECT_FALSE(SaveProfileFile(path, set, FailPast(limit))) << limit;
        ExpectOldFileAlone();
    }
}

TEST_F(ProfileSaveFailure, DefaultFileAndWorkingFileFailTheSameWay) {
    EXPECT_FALSE(WriteDefaultProfileFile(path, 0, FailPast(100)));
    ExpectOldFileAlone();

    model::ConfigSets sets;
    FillWorkingSet(sets.Working());
    const fs::path working = WorkingProfilePath(folder);
    fs::copy_file(path, working);
    EXPECT_FALSE(SaveToWorkingProfile(folder, sets, true, FailPast(kBlockSize)));
    EXPECT_EQ(test::ReadAll(working), old_bytes);
    fs::remove(working);
    ExpectOldFileAlone();
}

TEST_F(ProfileSaveFailure, SuccessfulSaveReplacesTheFile) {
    model::ConfigSet set;
    FillWorkingSet(set);
    ASSERT_TRUE(SaveProfileFile(path, set));
    EXPECT_EQ(fs::file_size(path), ProfileFileSize(3, set.strings.Total()));
    EXPECT_EQ(FolderContents(), std::vector<fs::path>{"profile.kvp"});
}

TEST_F(ProfileSaveFailure, AReadOnlyFileIsNotReplaced) {
    fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    model::ConfigSet set;
    FillWorkingSet(set);
    EXPECT_FALSE(SaveProfileFile(path, set));
    EXPECT_FALSE(WriteDefaultProfileFile(path, 0));
    fs::permissions(path, fs::perms::owner_write, fs::perm_options::add);
    ExpectOldFileAlone();
}

TEST_F(ProfileSaveFailure, MissingFolderFailsWithoutCreatingIt) {
    model::ConfigSet set;
    FillWorkingSet(set);
    EXPECT_FALSE(SaveProfileFile(folder / "nowhere" / "p.kvp", set));
    EXPECT_FALSE(fs::exists(folder / "nowhere"));
}

TEST_F(ProfileSaveFailure, NoBlockNoFile) {
    model::ConfigSet set;
    EXPECT_FALSE(SaveProfileFile(folder / "empty.kvp", set));
    EXPECT_FALSE(fs::exists(folder / "empty.kvp"));
}

}  // namespace
}  // namespace kv::profiles
