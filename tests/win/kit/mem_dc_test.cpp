// The off-screen DC reaches its target only when it goes out of scope.
#include <gtest/gtest.h>

#include "tests/win/kit/kit_fixture.h"
#include "ui/kit/gdi.h"
#include "ui/kit/mem_dc.h"

namespace kv::ui::test {
namespace {

class MemDcTest : public ::testing::Test {
  protected:
    void SetUp() override {
        target.Reset(CreateCompatibleBitmap(screen.get(), 40, 40));
        select = std::make_unique<SelectGuard>(dc.get(), target.get());
        GdiBrush red(CreateSolidBrush(RGB(255, 0, 0)));
        RECT all{0, 0, 40, 40};
        FillRect(dc.get(), &all, red.get());
    }
    COLORREF At(int x, int y) { return GetPixel(dc.get(), x, y); }

    WindowDc screen{nullptr};
    MemoryDc dc{screen.get()};
    GdiBitmap target;
    std::unique_ptr<SelectGuard> select;
};

TEST_F(MemDcTest, DrawingArrivesOnDestructionInsideTheRectangle) {
    const RECT area{10, 10, 30, 30};
    {
        CMyMemDC buffer(dc.get(), &area, true);
        ASSERT_NE(buffer.dc(), dc.get());
        EXPECT_EQ(GetPixel(buffer, 15, 15), RGB(255, 0, 0));  // copied in, same coordinates
        SetPixel(buffer, 12, 12, RGB(0, 0, 255));
        EXPECT_EQ(At(12, 12), RGB(255, 0, 0));  // not yet
    }
    EXPECT_EQ(At(12, 12), RGB(0, 0, 255));
    EXPECT_EQ(At(15, 15), RGB(255, 0, 0));
    EXPECT_EQ(At(5, 5), RGB(255, 0, 0));  // outside the rectangle
}

TEST_F(MemDcTest, WithoutCopyInTheTargetIsCoveredWhole) {
    const RECT area{0, 0, 20, 20};
    {
        CMyMemDC buffer(dc.get(), &area, false);
        RECT all{0, 0, 20, 20};
        FillRect(buffer, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }
    EXPECT_EQ(At(19, 19), RGB(0, 0, 0));
    EXPECT_EQ(At(20, 20), RGB(255, 0, 0));
}

}  // namespace
}  // namespace kv::ui::test
