#include "app/settings/profile_values.h"

#include <gtest/gtest.h>

#include "app/settings/registry_key.h"
#include "scratch.h"

namespace kv::app {
namespace {

class ProfileValuesTest : public ::testing::Test {
  protected:
    std::optional<std::wstring> Stored(const wchar_t* name) {
        RegKey section = RegKey::Open(key_.get(), kProfilesSection, KEY_READ);
        return section ? ReadString(section.get(), name) : std::nullopt;
    }
    testing::ScratchRegistryKey key_;
    ProfileValues values_{key_.get()};
};

TEST_F(ProfileValuesTest, FlipIsAStringValueOfThisSection) {
    EXPECT_FALSE(values_.ReadFlip());
    struct Case {
        int written;
        const wchar_t* stored;
        bool read;
    };
    const Case cases[] = {{1, L"1", true}, {0, L"0", false}, {5, L"0", false}, {-1, L"0", false}};
    for (const Case& c : cases) {
        ASSERT_TRUE(values_.WriteFlip(c.written));
        EXPECT_EQ(Stored(kFlipValue), c.stored) << c.written;
        EXPECT_EQ(values_.ReadFlip(), c.read) << c.written;
    }
    // A value stored by hand: any number but 0 flips, text that is no number does not.
    for (const auto& [stored, read] :
         {std::pair{L"5", true}, {L"0", false}, {L"x", false}, {L"12ab", true}}) {
        ASSERT_TRUE(values_.WriteString(kProfilesSection, kFlipValue, stored));
        EXPECT_EQ(values_.ReadFlip(), read) << std::wstring(stored).size();
    }
}

TEST_F(ProfileValuesTest, RecordDelaysUnderALanguageTextName) {
    const std::wstring name = L"Record delays";
    EXPECT_FALSE(values_.ReadRecordDelays(name));
    ASSERT_TRUE(values_.WriteRecordDelays(name, true));
    EXPECT_EQ(Stored(name.c_str()), L"1");
    EXPECT_TRUE(values_.ReadRecordDelays(name));
    EXPECT_FALSE(values_.ReadRecordDelays(L"Other language"));
}

TEST_F(ProfileValuesTest, ProfileListReplacesTheOldOne) {
    ASSERT_TRUE(values_.WriteProfileList({L"C:\\a.kvp", L"C:\\b.kvp", L"C:\\c.kvp"}));
    EXPECT_EQ(Stored(L"PROFILE00"), L"3");
    EXPECT_EQ(Stored(L"PROFILE03"), L"C:\\c.kvp");
    ASSERT_TRUE(values_.WriteProfileList({L"C:\\d.kvp"}));
    EXPECT_EQ(Stored(L"PROFILE00"), L"1");
    EXPECT_EQ(Stored(L"PROFILE01"), L"C:\\d.kvp");
    EXPECT_FALSE(Stored(L"PROFILE02").has_value());
    EXPECT_FALSE(Stored(L"PROFILE03").has_value());
    EXPECT_EQ(ProfileListValueName(100), L"PROFILE100");
}

TEST_F(ProfileValuesTest, WrongTypesAndMissingKeysReadAsDefaults) {
    RegKey section = RegKey::Create(key_.get(), kProfilesSection);
    ASSERT_TRUE(WriteDword(section.get(), kFlipValue, 1));
    EXPECT_FALSE(values_.ReadFlip());
    EXPECT_EQ(values_.GetString(L"NOSECTION", L"x", L"def"), L"def");
    EXPECT_EQ(values_.GetInt(L"NOSECTION", L"x", 7), 7);
    const ProfileValues nowhere(nullptr);
    EXPECT_FALSE(nowhere.ReadFlip());
    EXPECT_FALSE(nowhere.WriteFlip(1));
}

}  // namespace
}  // namespace kv::app
