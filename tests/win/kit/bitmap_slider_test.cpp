// The bitmap slider: position math and every notification it posts.
#include <gtest/gtest.h>

#include "tests/win/kit/kit_fixture.h"
#include "ui/kit/bitmap_slider.h"
#include "ui/kit/gdi.h"

namespace kv::ui::test {
namespace {

constexpr int kSliderId = 1178;

TEST(SliderMath, PositionFromX) {
    struct Case {
        int x, minimum, maximum, width, position;
    };
    const Case cases[] = {
        {0, 0, 5, 60, 0},     // 10/60*5 = 0.83
        {20, 0, 5, 60, 2},    // 30/60*5 = 2.5
        {55, 0, 5, 60, 5},    // 65/60*5 = 5.41, clamped later
        {50, 0, 5, 60, 5},    // exactly 5
        {-30, 0, 5, 60, -1},  // left of the face (while dragging): clamped later
        {0, 3, 8, 60, 3},     // the minimum is added
        {20, 0, 5, 0, 0},     // no face yet
    };
    for (const Case& c : cases)
        EXPECT_EQ(SliderPositionFromX(c.x, c.minimum, c.maximum, c.width), c.position) << "x=" << c.x;
}

TEST(SliderMath, XFromPosition) {
    EXPECT_EQ(SliderXFromPosition(0, 0, 5, 60), 0);
    EXPECT_EQ(SliderXFromPosition(2, 0, 5, 60), 24);
    EXPECT_EQ(SliderXFromPosition(5, 0, 5, 60), 60);
    EXPECT_EQ(SliderXFromPosition(4, 4, 4, 60), 0);  // empty range
}

class BitmapSliderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        WindowDc dc(host.hwnd());
        face.Reset(CreateCompatibleBitmap(dc.get(), 60, 12));
        HWND control = host.CreateChild(L"STATIC", kSliderId, SS_NOTIFY, RECT{10, 10, 20, 20});
        ASSERT_TRUE(slider.Attach(control));
        slider.SetFaceBitmap(face.get());
        slider.SetRange(0, 5);
        slider.SetPageSize(10);
        host.received.clear();
    }
    void TearDown() override { ReleaseCapture(); }

    // Positions posted to the parent, in order.
    std::vector<int> Posted() {
        Pump();
        std::vector<int> positions;
        for (const auto& r : host.received)
            if (r.message == SliderPositionMessage && r.wParam == kSliderId)
                positions.push_back(static_cast<int>(r.lParam));
        host.received.clear();
        return positions;
    }
    void Mouse(UINT message, int x) { SendMessageW(slider.hwnd(), message, 0, MAKELPARAM(x, 5)); }

    HostDialog host;
    GdiBitmap face;
    CBitmapSlider slider;
};

TEST_F(BitmapSliderTest, FirstFaceSizesTheControlAndLaterOnesDoNot) {
    RECT client;
    GetClientRect(slider.hwnd(), &client);
    EXPECT_EQ(client.right, 60);
    EXPECT_EQ(client.bottom, 12);
    WindowDc dc(host.hwnd());
    GdiBitmap wider(CreateCompatibleBitmap(dc.get(), 90, 30));
    slider.SetFaceBitmap(wider.get());
    GetClientRect(slider.hwnd(), &client);
    EXPECT_EQ(client.right, 60);
}

TEST_F(BitmapSliderTest, ClickSetsTheClampedPositionAndReports) {
    struct Case {
        int x, position;
    };
    for (const Case c : {Case{0, 0}, Case{20, 2}, Case{55, 5}}) {
        slider.SetPos(c.x == 0 ? 3 : 0);
        Mouse(WM_LBUTTONDOWN, c.x);
        EXPECT_EQ(slider.GetPos(), c.position) << "x=" << c.x;
        Mouse(WM_LBUTTONUP, c.x);
        EXPECT_EQ(Posted(), (std::vector<int>{c.position, c.position})) << "x=" << c.x;
    }
}

TEST_F(BitmapSliderTest, ClickOnTheCurrentPositionReportsOnlyTheRelease) {
    slider.SetPos(2);
    Mouse(WM_LBUTTONDOWN, 24);  // x of position 2
    Mouse(WM_LBUTTONUP, 24);
    EXPECT_EQ(Posted(), std::vector<int>{2});
}

TEST_F(BitmapSliderTest, DraggingReportsEachMoveAndStopsOnRelease) {
    Mouse(WM_LBUTTONDOWN, 0);
    EXPECT_TRUE(slider.IsDragging());
    EXPECT_EQ(GetCapture(), slider.hwnd());
    Mouse(WM_MOUSEMOVE, 40);   // 50/60*5 = 4
    Mouse(WM_MOUSEMOVE, 200);  // far right: clamped to 5
    Mouse(WM_LBUTTONUP, 200);
    Mouse(WM_MOUSEMOVE, 0);  // no longer dragging
    EXPECT_EQ(Posted(), (std::vector<int>{4, 5, 5}));
    EXPECT_FALSE(slider.IsDragging());
    EXPECT_NE(GetCapture(), slider.hwnd());
}

TEST_F(BitmapSliderTest, ReleaseWhileDisabledReportsNothing) {
    slider.SetEnabled(false);
    slider.SetPos(1);
    Mouse(WM_LBUTTONDOWN, 12);  // x of position 1
    Mouse(WM_LBUTTONUP, 12);
    EXPECT_TRUE(Posted().empty());
}

TEST_F(BitmapSliderTest, KeysMoveAndReport) {
    struct Case {
        UINT key;
        int from, to;
    };
    const Case cases[] = {
        {VK_PRIOR, 5, 0}, {VK_NEXT, 0, 5}, {VK_END, 1, 5},   {VK_HOME, 4, 0},
        {VK_LEFT, 3, 2},  {VK_UP, 3, 2},   {VK_RIGHT, 3, 4}, {VK_DOWN, 5, 5},
    };
    for (const Case& c : cases) {
        slider.SetPos(c.from);
        SendMessageW(slider.hwnd(), WM_KEYDOWN, c.key, 0);
        EXPECT_EQ(slider.GetPos(), c.to) << "key " << c.key;
        EXPECT_EQ(Posted(), std::vector<int>{c.to}) << "key " << c.key;
    }
}

TEST_F(BitmapSliderTest, WheelMovesOnlyWhileHovered) {
    slider.SetPos(2);
    SendMessageW(slider.hwnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    EXPECT_EQ(slider.GetPos(), 2);
    EXPECT_TRUE(Posted().empty());

    Mouse(WM_LBUTTONDOWN, 24);
    Mouse(WM_LBUTTONUP, 24);
    Posted();
    SendMessageW(slider.hwnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);  // away from the user
    SendMessageW(slider.hwnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
    SendMessageW(slider.hwnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
    EXPECT_EQ(Posted(), (std::vector<int>{1, 2, 3}));

    SendMessageW(slider.hwnd(), WM_MOUSELEAVE, 0, 0);
    SendMessageW(slider.hwnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    EXPECT_TRUE(Posted().empty());
}

}  // namespace
}  // namespace kv::ui::test
