#include <gtest/gtest.h>

#include "app/settings/ini_file.h"
#include "app/settings/user_settings.h"
#include "scratch.h"

namespace kv::app {
namespace {

class IniFiles : public ::testing::Test {
  protected:
    testing::ScratchFolder folder_;
};

TEST_F(IniFiles, CIniFileAnswersNothingForEmptyResults) {
    const std::wstring path = folder_.path() + L"Profile.ini";
    testing::WriteUtf16File(
        path, L"[SCREEN]\r\nMain=profile.jpg\r\nMask=\r\nLong=" + std::wstring(3000, L'y') + L"\r\n");
    CIniFile ini;
    EXPECT_FALSE(ini.GetString(L"SCREEN", L"Main").has_value());  // no file set yet
    ASSERT_TRUE(ini.SetFile(path));
    EXPECT_EQ(ini.GetString(L"SCREEN", L"Main"), L"profile.jpg");
    EXPECT_FALSE(ini.GetString(L"SCREEN", L"Mask").has_value());
    EXPECT_FALSE(ini.GetString(L"SCREEN", L"Missing").has_value());
    EXPECT_EQ(ini.GetString(L"SCREEN", L"Missing", L"fallback"), L"fallback");
    EXPECT_EQ(ini.GetString(L"SCREEN", L"Long")->size(), 2047u);
}

TEST_F(IniFiles, CIniFileRefusesOverlongPaths) {
    CIniFile ini(folder_.path() + L"a.ini");
    EXPECT_FALSE(ini.SetFile(std::wstring(260, L'p')));
    EXPECT_TRUE(ini.file().empty());
    EXPECT_TRUE(ini.SetFile(std::wstring(259, L'p')));
}

TEST_F(IniFiles, DengCheck) {
    const std::wstring path = folder_.path() + L"wskb.ini";
    EXPECT_EQ(ReadDengCheck(path), 0);  // no file
    testing::WriteUtf16File(path, L"[KEYCOLOR]\r\nOther=1\r\n");
    EXPECT_EQ(ReadDengCheck(path), 0);  // no value
    ASSERT_TRUE(WriteDengCheck(path, true));
    EXPECT_EQ(ReadDengCheck(path), 1);
    ASSERT_TRUE(WriteDengCheck(path, false));
    EXPECT_EQ(ReadDengCheck(path), 0);

    struct Case {
        const wchar_t* value;
        int expected;
    };
    const Case cases[] = {{L"1", 1}, {L"0", 0}, {L" 1", 1}, {L"12abc", 12}, {L"abc", 0}, {L"", 0}};
    for (const Case& c : cases) {
        testing::WriteUtf16File(path, std::wstring(L"[KEYCOLOR]\r\nDengCheck=") + c.value + L"\r\n");
        EXPECT_EQ(ReadDengCheck(path), c.expected) << std::wstring(c.value).size();
    }
}

}  // namespace
}  // namespace kv::app
