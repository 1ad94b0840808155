#include <gtest/gtest.h>

#include <functional>

#include "profile_fixture.h"
#include "profiles/profile_reader.h"
#include "profiles/profile_writer.h"

namespace kv::profiles {
namespace {

namespace fs = std::filesystem;

using test::ProfileFolderTest;

// A valid file: one macro, a 4-byte string area.
std::vector<uint8_t> ValidFile() {
    model::ConfigSet set;
    set.block = model::NewAssignmentBlock();
    auto records = model::MacroList::Allocate(1);
    test::MakeMacro(records[0], 1, u"m", 3);
    set.macros.Install(std::move(records), 1);
    set.block->entries[7] = {model::kKindTextBlock, 0, 0, 0, 0};
    set.strings.Set(7, u"x");
    std::vector<uint8_t> file(ProfileFileSize(1, 4));
    std::memcpy(file.data(), set.block.get(), kBlockSize);
    model::WriteBlockHeader(*reinterpret_cast<model::AssignmentBlock*>(file.data()), 1, 4, 0);
    std::memcpy(file.data() + kBlockSize, &set.macros.Records()[0], kRecordSize);
    file[ProfileFileSize(1, 0)] = 'x';
    return file;
}

TEST(ProfileHeader, ValidFileAndItsVariantsPass) {
    auto file = ValidFile();
    EXPECT_EQ(CheckProfileHeader(file), ProfileStatus::kValid);
    file.push_back(0xEE);  // longer than its total
    EXPECT_EQ(CheckProfileHeader(file), ProfileStatus::kValid);
    file = ValidFile();
    file[kHdrFlag] = 1;
    test::FixChecksum(file);
    EXPECT_EQ(CheckProfileHeader(file), ProfileStatus::kValid);
}

TEST(ProfileHeader, EachCheckFails) {
    struct Case {
        const char* name;
        std::function<void(std::vector<uint8_t>&)> corrupt;
        ProfileStatus expected;
    };
    using test::PutU16;
    using test::PutU32;
    const Case cases[] = {
        {"magic", [](auto& f) { PutU16(f, kHdrMagic, 0x4645); }, ProfileStatus::kBadMagic},
        {"header size", [](auto& f) { PutU16(f, kHdrSize, 33); }, ProfileStatus::kBadHeaderSize},
        {"major version", [](auto& f) { PutU16(f, kHdrVersionMajor, 2); }, ProfileStatus::kBadVersion},
        {"minor version", [](auto& f) { PutU16(f, kHdrVersionMinor, 0); }, ProfileStatus::kBadVersion},
        {"total below the block", [](auto& f) { PutU32(f, kHdrTotalSize, 32831); },
         ProfileStatus::kTotalTooSmall},
        {"entry count", [](auto& f) { PutU16(f, kHdrEntryCount, 2047); }, ProfileStatus::kBadEntryCount},
        {"101 macros with sizes agreeing",
         [](auto& f) {
             PutU16(f, kHdrMacroCount, 101);
             PutU32(f, kHdrTotalSize, static_cast<uint32_t>(ProfileFileSize(101, 4)));
         },
         ProfileStatus::kTooManyMacros},
        {"flag 2", [](auto& f) { f[kHdrFlag] = 2; }, ProfileStatus::kBadFlag},
        {"total disagrees with counts",
         [](auto& f) { PutU32(f, kHdrTotalSize, static_cast<uint32_t>(f.size() + 2)); },
         ProfileStatus::kSizeMismatch},
        {"string size disagrees", [](auto& f) { PutU32(f, kHdrStringSize, 6); },
         ProfileStatus::kSizeMismatch},
        {"string size wraps the total",
         [](auto& f) {
             PutU32(f, kHdrStringSize, static_cast<uint32_t>(0x100000000ull - ProfileFileSize(1, 0) + 4));
         },
         ProfileStatus::kSizeMismatch},
        {"file shorter than its total", [](auto& f) { f.pop_back(); }, ProfileStatus::kTruncated},
        {"below the block size", [](auto& f) { f.resize(kBlockSize - 1); }, ProfileStatus::kTooSmall},
    };
    for (const auto& c : cases) {
        auto file = ValidFile();
        c.corrupt(file);
        test::FixChecksum(file);
        EXPECT_EQ(CheckProfileHeader(file), c.expected) << c.name;
    }
}

TEST(ProfileHeader, AnyChangedHeaderByteWithoutNewChecksumFails) {
    for (size_t i = 0; i < kHdrChecksum; ++i) {
        auto file = ValidFile();
        file[i] ^= 0x01;
        const ProfileStatus status = CheckProfileHeader(file);
        EXPECT_NE(status, ProfileStatus::kValid) << "byte " << i;
        EXPECT_TRUE(IsFormatError(status)) << "byte " << i;
    }
}

TEST(ProfileHeader, ResultCodes) {
    const std::pair<ProfileStatus, int> cases[] = {
        {ProfileStatus::kValid, 1},       {ProfileStatus::kMissing, 0},     {ProfileStatus::kTooSmall, 0},
        {ProfileStatus::kBadChecksum, 0}, {ProfileStatus::kCannotOpen, -2}, {ProfileStatus::kOutOfMemory, -3},
    };
    for (auto [status, code] : cases) EXPECT_EQ(ValidateResultCode(status), code);
    EXPECT_FALSE(IsFormatError(ProfileStatus::kTooSmall));
    EXPECT_FALSE(IsFormatError(ProfileStatus::kMissing));
    EXPECT_TRUE(IsFormatError(ProfileStatus::kBadMagic));
}

class ProfileValidateFile : public ProfileFolderTest {};

TEST_F(ProfileValidateFile, FilesOnDisk) {
    EXPECT_EQ(ValidateProfileFile(folder / "absent.kvp"), ProfileStatus::kMissing);
    EXPECT_EQ(ValidateProfileFile(folder), ProfileStatus::kMissing);

    test::WriteAll(folder / "short.kvp", std::vector<uint8_t>(100));
    EXPECT_EQ(ValidateProfileFile(folder / "short.kvp"), ProfileStatus::kTooSmall);

    auto bad = ValidFile();
    bad[kHdrChecksum] ^= 0xFF;
    test::WriteAll(folder / "bad.kvp", bad);
    EXPECT_EQ(ValidateProfileFile(folder / "bad.kvp"), ProfileStatus::kBadChecksum);

    test::WriteAll(folder / "good.kvp", ValidFile());
    EXPECT_EQ(ValidateProfileFile(folder / "good.kvp"), ProfileStatus::kValid);
}

TEST_F(ProfileValidateFile, ReadOnlyFileCannotBeOpened) {
    if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind root";
    const fs::path path = folder / "ro.kvp";
    test::WriteAll(path, ValidFile());
    fs::permissions(path, fs::perms::owner_read);
    EXPECT_EQ(ValidateProfileFile(path), ProfileStatus::kCannotOpen);
    model::ConfigSet set;
    EXPECT_EQ(LoadProfileFile(path, set), ProfileStatus::kCannotOpen);
}

}  // namespace
}  // namespace kv::profiles
