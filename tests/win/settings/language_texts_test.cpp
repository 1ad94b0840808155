#include "app/settings/language_texts.h"

#include <gtest/gtest.h>

#include "app/settings/language.h"
#include "app/settings/registry_key.h"
#include "model/keys/key_names.h"
#include "scratch.h"

namespace kv::app {
namespace {

class LanguageTextsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(WriteDword(key_.get(), kLanguageIdValue, 0x0409));
        testing::WriteUtf16File(folder_.path() + L"Lang0409.ini",
                                L"[TEXT]\r\n"
                                L"MAIN_CAPTION=Keyboard settings\r\n"
                                L"EMPTY=\r\n"
                                L"IDS_KEYBOARD_A=A\r\n"
                                L"UNKNOWN_KEY=Key %d\r\n"
                                L"LONG=" +
                                    std::wstring(400, L'x') +
                                    L"\r\n"
                                    L"[LIGHT]\r\n"
                                    L"Speed=Speed\r\n"
                                    L"[MODE]\r\n"
                                    L"3=Breathing\r\n");
    }
    testing::ScratchFolder folder_;
    testing::ScratchRegistryKey key_;
    LanguageSettings settings_{key_.get(), [] { return LanguageId{0x0409}; }};
};

TEST_F(LanguageTextsTest, LooksUpKeys) {
    const LanguageTexts texts(folder_.path(), settings_);
    struct Case {
        const wchar_t* section;
        const wchar_t* key;
        std::wstring expected;
    };
    const Case cases[] = {
        {L"TEXT", L"MAIN_CAPTION", L"Keyboard settings"},
        {L"TEXT", L"EMPTY", L""},
        {L"TEXT", L"MISSING", L"#Error"},
        {L"LIGHT", L"Speed", L"Speed"},
        {L"MODE", L"3", L"Breathing"},
        {L"MODE", L"MAIN_CAPTION", L"#Error"},
        {L"TEXT", L"LONG", std::wstring(259, L'x')},
        {L"TEXT", nullptr, L"#Error"},
    };
    for (const Case& c : cases) EXPECT_EQ(texts.Get(c.section, c.key), c.expected);
}

TEST_F(LanguageTextsTest, FileNameBesideTheProgram) {
    EXPECT_EQ(LanguageFileName(L"C:\\Prog\\", 0x0804), L"C:\\Prog\\Lang0804.ini");
    EXPECT_EQ(LanguageFileName(L"C:\\Prog\\", 0x0C0A), L"C:\\Prog\\Lang0C0A.ini");
    LanguageTexts texts(L"C:\\Prog", settings_);
    EXPECT_EQ(texts.CurrentFile(), L"C:\\Prog\\Lang0409.ini");
}

TEST_F(LanguageTextsTest, MissingFileReadsErrorAndIsLookedForAgain) {
    testing::ScratchFolder other;
    const LanguageTexts texts(other.path(), settings_);
    EXPECT_EQ(texts.Get(L"TEXT", L"MAIN_CAPTION"), L"#Error");
    testing::WriteUtf16File(other.path() + L"Lang0409.ini", L"[TEXT]\r\nMAIN_CAPTION=Now there\r\n");
    EXPECT_EQ(texts.Get(L"TEXT", L"MAIN_CAPTION"), L"Now there");
}

TEST_F(LanguageTextsTest, ServesThePortableKeyNames) {
    const LanguageTexts texts(folder_.path(), settings_);
    const kv::model::TextSource& source = texts;
    EXPECT_EQ(source.Text(u"TEXT", u"MAIN_CAPTION"), u"Keyboard settings");
    EXPECT_EQ(source.Text(u"TEXT", u"MISSING"), u"#Error");
    EXPECT_EQ(kv::model::KeyDisplayName(source, 0x01E), u"A");
    EXPECT_EQ(kv::model::KeyDisplayName(source, 0x064), u"Key 100");
    EXPECT_EQ(kv::model::KeyDisplayName(source, 0x030), u"#Error");
}

}  // namespace
}  // namespace kv::app
