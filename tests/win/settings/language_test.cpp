#include "app/settings/language.h"

#include <gtest/gtest.h>

#include <optional>

#include "app/settings/language_texts.h"
#include "app/settings/registry_key.h"
#include "scratch.h"

namespace kv::app {
namespace {

TEST(LanguageFromSystem, MapsRegionalVariants) {
    struct Case {
        LanguageId system;
        LanguageId expected;
    };
    const Case cases[] = {
        {0x0409, 0x0409}, {0x0804, 0x0804}, {0x0404, 0x0404}, {0x0C04, 0x0804},
        {0x1004, 0x0404}, {0x0809, 0x0409}, {0x0C09, 0x0409}, {0x2C09, 0x0409},
        {0x1409, 0x0409}, {0x0411, 0x0409}, {0x1404, 0x0409},  // Chinese (Macao) is not in the table
        {0x0000, 0x0409},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LanguageFromSystem(static_cast<LanguageId>(c.system)), c.expected) << std::hex << c.system;
}

TEST(LanguageIndex, PositionsOfTheThreeLanguages) {
    EXPECT_EQ(LanguageIndexOf(0x0409), 0);
    EXPECT_EQ(LanguageIndexOf(0x0804), 1);
    EXPECT_EQ(LanguageIndexOf(0x0404), 2);
    EXPECT_EQ(LanguageIndexOf(0x0411), 0);
    EXPECT_EQ(LanguageIdOfIndex(2), 0x0404);
    EXPECT_EQ(LanguageIdOfIndex(3), 0x0409);
    EXPECT_EQ(LanguageIdOfIndex(-1), 0x0409);
}

// What "dwLanguageId" holds before the first lookup.
enum class Stored { kAbsent, kDword, kString };

struct LanguageCase {
    const char* what;
    Stored stored;
    std::uint32_t stored_value;
    LanguageId system;
    LanguageId expected_id;
    int expected_index;
    std::uint32_t expected_stored;
    const wchar_t* expected_text;  // from the file of the expected index
};

class CurrentLanguage : public ::testing::TestWithParam<LanguageCase> {
  protected:
    void SetUp() override {
        testing::WriteUtf16File(folder_.path() + L"Lang0409.ini", L"[TEXT]\r\nMAIN_CAPTION=English\r\n");
        testing::WriteUtf16File(folder_.path() + L"Lang0804.ini", L"[TEXT]\r\nMAIN_CAPTION=\x7B80\x4F53\r\n");
        testing::WriteUtf16File(folder_.path() + L"Lang0404.ini", L"[TEXT]\r\nMAIN_CAPTION=\x7E41\x9AD4\r\n");
    }
    testing::ScratchFolder folder_;
    testing::ScratchRegistryKey key_;
};

TEST_P(CurrentLanguage, ChoosesStoresAndReads) {
    const LanguageCase& c = GetParam();
    ASSERT_TRUE(key_.get());
    if (c.stored == Stored::kDword) {
        ASSERT_TRUE(WriteDword(key_.get(), kLanguageIdValue, c.stored_value));
    }
    if (c.stored == Stored::kString) {
        ASSERT_TRUE(WriteString(key_.get(), kLanguageIdValue, L"1033"));
    }
    int system_calls = 0;
    const LanguageSettings settings(key_.get(), [&] {
        ++system_calls;
        return static_cast<LanguageId>(c.system);
    });
    EXPECT_EQ(settings.CurrentLanguageId(), c.expected_id);
    EXPECT_EQ(settings.CurrentLanguageIndex(), c.expected_index);
    EXPECT_EQ(ReadDword(key_.get(), kLanguageIdValue), std::optional<std::uint32_t>(c.expected_stored));
    // Once stored, the system language is not asked again.
    const int calls = system_calls;
    EXPECT_EQ(settings.CurrentLanguageId(), c.expected_id);
    EXPECT_EQ(system_calls, calls);
    const LanguageTexts texts(folder_.path(), settings);
    EXPECT_EQ(texts.Get(L"TEXT", L"MAIN_CAPTION"), c.expected_text);
}

const LanguageCase kLanguageCases[] = {
    {"UK English system", Stored::kAbsent, 0, 0x0809, 0x0409, 0, 0x0409, L"English"},
    {"stored Japanese stays", Stored::kDword, 0x0411, 0x0804, 0x0411, 0, 0x0411, L"English"},
    {"Hong Kong system", Stored::kAbsent, 0, 0x0C04, 0x0804, 1, 0x0804, L"\x7B80\x4F53"},
    {"Singapore system", Stored::kAbsent, 0, 0x1004, 0x0404, 2, 0x0404, L"\x7E41\x9AD4"},
    {"Japanese system", Stored::kAbsent, 0, 0x0411, 0x0409, 0, 0x0409, L"English"},
    {"zero stored", Stored::kDword, 0, 0x0804, 0x0804, 1, 0x0804, L"\x7B80\x4F53"},
    {"stored traditional", Stored::kDword, 0x0404, 0x0409, 0x0404, 2, 0x0404, L"\x7E41\x9AD4"},
    {"string value replaced", Stored::kString, 0, 0x0404, 0x0404, 2, 0x0404, L"\x7E41\x9AD4"},
    {"id past 16 bits", Stored::kDword, 0x10804, 0x0404, 0x10804, 0, 0x10804, L"English"},
};
INSTANTIATE_TEST_SUITE_P(Cases, CurrentLanguage, ::testing::ValuesIn(kLanguageCases));

TEST(CurrentLanguageWithoutKey, IsWorkedOutAtEveryCall) {
    LanguageId system = 0x0C04;
    int calls = 0;
    const LanguageSettings settings(nullptr, [&] {
        ++calls;
        return system;
    });
    EXPECT_EQ(settings.CurrentLanguageId(), 0x0804);
    system = 0x1004;
    EXPECT_EQ(settings.CurrentLanguageId(), 0x0404);
    EXPECT_EQ(calls, 2);
}

}  // namespace
}  // namespace kv::app
