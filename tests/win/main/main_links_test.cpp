// What the web-link buttons open for the skin's addresses.
#include "ui/main/main_links.h"

#include <gtest/gtest.h>

namespace kv::ui {
namespace {

TEST(MainLinks, ASkinAddressThatIsNoWebAddressOpensTheDefault) {
    const struct {
        const wchar_t* skin;
        std::wstring opened;
    } cases[] = {
        {L"https://social.kelvarin.example/page", L"https://social.kelvarin.example/page"},
        {L"http://kelvarin.example", L"http://kelvarin.example"},
        {L"C:\\Windows\\notepad.exe", kDefaultLinkAddress},
        {L"notepad", kDefaultLinkAddress},
        {L"file:///C:/x.bat", kDefaultLinkAddress},
        {L"", kDefaultLinkAddress},
    };
    for (const auto& c : cases) EXPECT_EQ(OpenableLinkAddress(c.skin), c.opened) << c.skin;
}

}  // namespace
}  // namespace kv::ui
