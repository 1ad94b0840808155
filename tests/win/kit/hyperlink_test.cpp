// The about box's link label: what a click on a target that is no web address does.
#include "ui/kit/hyperlink.h"

#include <gtest/gtest.h>

#include "tests/win/kit/kit_fixture.h"
#include "ui/kit/nested_loops.h"

namespace kv::ui::test {
namespace {

TEST(HyperLink, ATargetThatIsNoWebAddressIsNeverStartedAndSaysSo) {
    HostDialog host;
    CHyperLink link;
    ASSERT_TRUE(link.Attach(
        host.CreateChild(L"STATIC", 1124, WS_VISIBLE, {10, 10, 200, 30}, L"https://kelvarin.example/")));
    int boxes = 0;
    SetMessageBoxAnswerer([&](const std::wstring& text, UINT) {
        ++boxes;
        EXPECT_FALSE(text.empty());
        return IDOK;
    });
    for (const wchar_t* target : {L"C:\\Windows\\System32\\calc.exe", L"file:///C:/x.bat", L""}) {
        link.SetTarget(target);
        EXPECT_FALSE(link.Open()) << target;
    }
    SetMessageBoxAnswerer(nullptr);
    EXPECT_EQ(boxes, 3) << "each failure is reported";
    EXPECT_FALSE(link.Visited());
    EXPECT_EQ(SendMessageW(link.hwnd(), WM_NCHITTEST, 0, MAKELPARAM(20, 20)), HTCLIENT) << "it takes clicks";
}

}  // namespace
}  // namespace kv::ui::test
