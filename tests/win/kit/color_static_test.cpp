// The colour label draws only its text, in its colour; the dialog shows through.
#include <gtest/gtest.h>

#include "tests/win/kit/kit_fixture.h"
#include "ui/kit/color_static.h"
#include "ui/kit/window_capture.h"

namespace kv::ui::test {
namespace {

TEST(ColorStatic, TextInItsColourOnATransparentBackground) {
    HostDialog host;
    ColorStatic label;
    ASSERT_TRUE(label.Attach(
        host.CreateChild(L"STATIC", 1130, SS_LEFT, RECT{10, 10, 200, 60}, L"\x2588\x2588\x2588")));
    EXPECT_EQ(label.TextColor(), RGB(255, 255, 255));
    label.SetTextSize(30);
    label.SetTextColor(RGB(0, 200, 0));

    const PixelImage shot = CaptureWindow(host.hwnd());
    const uint32_t background = RgbAt(shot, 5, 5);
    EXPECT_EQ(RgbAt(shot, 190, 55), background);  // inside the label, beyond its text
    int green = 0;
    for (int y = 10; y < 60; ++y)
        for (int x = 10; x < 60; ++x) green += RgbAt(shot, x, y) == 0x00C800u ? 1 : 0;
    EXPECT_GT(green, 50);
}

}  // namespace
}  // namespace kv::ui::test
