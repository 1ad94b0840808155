// The small INI reader the skinned dialogs read their "SCREEN" values with.
#include "ui/kit/ini_file.h"

#include <gtest/gtest.h>

#include "tests/win/kit/kit_fixture.h"

namespace kv::ui::test {
namespace {

class IniFileTest : public ::testing::Test {
  protected:
    TempFolder folder_;
};

TEST_F(IniFileTest, AnswersNothingForEmptyResults) {
    const std::wstring path = folder_.path() + L"Profile.ini";
    WriteUtf16File(
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

TEST_F(IniFileTest, RefusesOverlongPaths) {
    CIniFile ini(folder_.path() + L"a.ini");
    EXPECT_FALSE(ini.SetFile(std::wstring(260, L'p')));
    EXPECT_TRUE(ini.file().empty());
    EXPECT_TRUE(ini.SetFile(std::wstring(259, L'p')));
}

}  // namespace
}  // namespace kv::ui::test
