#include <gtest/gtest.h>

#include "app/settings/user_settings.h"
#include "scratch.h"

namespace kv::app {
namespace {

class IniFiles : public ::testing::Test {
  protected:
    testing::ScratchFolder folder_;
};

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
