#include "ui/kit/skin_entry.h"

#include <gtest/gtest.h>

#include "tests/win/kit/kit_fixture.h"

namespace kv::ui::test {
namespace {

TEST(ParseSkinEntry, ReadsFourNumbers) {
    struct Case {
        const wchar_t* text;
        std::optional<SkinRect> expected;
    };
    const Case cases[] = {
        {L"10,20,30,40", SkinRect{10, 20, 30, 40}},
        {L"10,20,30,40,word", SkinRect{10, 20, 30, 40}},
        {L"10,20,30,40 trailing", SkinRect{10, 20, 30, 40}},
        {L" 10, 20,\t30,40", SkinRect{10, 20, 30, 40}},
        {L"-5,+6,7,8", SkinRect{-5, 6, 7, 8}},
        {L"1,1,1,1,x", SkinRect{1, 1, 1, 1}},
        {L"99999999999,0,0,0", SkinRect{2147483647, 0, 0, 0}},
        {L"10,20,30", std::nullopt},
        {L"10,20,30,", std::nullopt},
        {L"10 ,20,30,40", std::nullopt},
        {L"10;20;30;40", std::nullopt},
        {L"a,1,2,3", std::nullopt},
        {L"-,1,2,3", std::nullopt},
        {L"", std::nullopt},
    };
    for (const Case& c : cases) {
        const auto rect = ParseSkinEntry(c.text);
        EXPECT_EQ(rect.has_value(), c.expected.has_value()) << std::wstring(c.text).size();
        if (rect && c.expected) {
            EXPECT_EQ(*rect, *c.expected);
        }
    }
}

class SkinFile : public ::testing::Test {
  protected:
    void SetUp() override {
        file_ = folder_.path() + L"Main.ini";
        WriteUtf16File(file_,
                                L"[SCREEN]\r\nMain=main.jpg\r\n"
                                L"[BUTTONINFO]\r\n"
                                L"CONTROL_OK=10,20,30,40,word\r\n"
                                L"SHORT=5,6,7\r\n"
                                L"EMPTY=\r\n"
                                L"KEY_01E=100,200,25,26\r\n");
    }
    TempFolder folder_;
    std::wstring file_;
};

TEST_F(SkinFile, EntriesAndTheDefault) {
    struct Case {
        const wchar_t* key;
        SkinRect rect;
        bool from_default;
    };
    const Case cases[] = {
        {L"CONTROL_OK", {10, 20, 30, 40}, false},
        {L"KEY_01E", {100, 200, 25, 26}, false},
        {L"MISSING", {1, 1, 1, 1}, true},
        {L"SHORT", {1, 1, 1, 1}, true},  // rejected, not half placed
        {L"EMPTY", {1, 1, 1, 1}, true},
    };
    for (const Case& c : cases) {
        const SkinEntry entry = ReadSkinEntry(file_, kSkinButtonSection, c.key);
        EXPECT_EQ(entry.rect, c.rect) << std::wstring(c.key).size();
        EXPECT_EQ(entry.from_default, c.from_default);
    }
    const SkinEntry wrong_section = ReadSkinEntry(file_, L"SCREEN", L"CONTROL_OK");
    EXPECT_TRUE(wrong_section.from_default);
    const SkinEntry no_file = ReadSkinEntry(folder_.path() + L"None.ini", kSkinButtonSection, L"CONTROL_OK");
    EXPECT_TRUE(no_file.from_default);
    EXPECT_EQ(no_file.rect, (SkinRect{1, 1, 1, 1}));
}

}  // namespace
}  // namespace kv::ui::test
