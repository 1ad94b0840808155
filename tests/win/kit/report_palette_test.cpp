// A report list with a palette draws its header, rows, selection and empty
// area in the palette's colours, none of them in the system's window colours.
#include "tests/win/kit/report_fixture.h"
#include "ui/kit/window_capture.h"

namespace kv::ui::test {
namespace {

constexpr ReportPalette kDark{.text = RGB(0xE0, 0xE1, 0xE2),
                              .back = RGB(0x11, 0x13, 0x16),
                              .selectedText = RGB(0xFF, 0xFF, 0xFF),
                              .selectedBack = RGB(0x4A, 0x30, 0x19),
                              .headerText = RGB(0x9A, 0xA1, 0xAB),
                              .headerBack = RGB(0x23, 0x26, 0x2B),
                              .headerLine = RGB(0x35, 0x3A, 0x43)};

uint32_t Rgb(COLORREF color) { return (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color); }

class ReportPaletteTest : public ReportTest {
  protected:
    RECT HeaderItem(int column) {
        HWND header = reinterpret_cast<HWND>(SendMessageW(list.hwnd(), LVM_GETHEADER, 0, 0));
        RECT item{};
        SendMessageW(header, HDM_GETITEMRECT, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item));
        return item;
    }
    // A point of the cell well right of its text.
    POINT Blank(int row, int column) {
        const POINT at = CellPoint(row, column);
        return {at.x + 70, at.y};
    }
};

TEST_F(ReportPaletteTest, EveryPartIsDrawnInThePaletteColours) {
    list.SetTickMode(TickMode::None);
    AddRows({L"a", L"b"});
    list.SetPalette(kDark);
    AddRows({L"added later"});
    list.SetCellBackColor(2, 1, RGB(0, 0, 200));  // explicit cell colours still win
    list.SetRowState(1, kRowSelected, true);

    const PixelImage shot = CaptureWindow(list.hwnd());
    const RECT header = HeaderItem(0);
    const RECT lastHeader = HeaderItem(1);
    RECT client;
    GetClientRect(list.hwnd(), &client);
    struct Case {
        const char* name;
        POINT at;
        COLORREF expected;
    };
    const Case cases[] = {
        {"header item", {header.right - 20, (header.top + header.bottom) / 2}, kDark.headerBack},
        {"header beyond the last column",
         {lastHeader.right + 30, (header.top + header.bottom) / 2},
         kDark.headerBack},
        {"line under the header", {header.left + 30, header.bottom - 1}, kDark.headerLine},
        {"row", Blank(0, 0), kDark.back},
        {"selected row", Blank(1, 0), kDark.selectedBack},
        {"selected row, second column", Blank(1, 1), kDark.selectedBack},
        {"row added after the palette", Blank(2, 0), kDark.back},
        {"explicit cell colour", Blank(2, 1), RGB(0, 0, 200)},
        {"empty area below the rows", {client.right / 2, client.bottom - 10}, kDark.back},
    };
    for (const Case& c : cases) EXPECT_EQ(RgbAt(shot, c.at.x, c.at.y), Rgb(c.expected)) << c.name;

    SetFocus(list.hwnd());  // a focused list would otherwise use the system's highlight
    const PixelImage focused = CaptureWindow(list.hwnd());
    EXPECT_EQ(RgbAt(focused, Blank(1, 0).x, Blank(1, 0).y), Rgb(kDark.selectedBack));
}

TEST_F(ReportPaletteTest, HeaderTextIsDrawnInTheHeaderColour) {
    list.SetPalette(kDark);
    const PixelImage shot = CaptureWindow(list.hwnd());
    const RECT item = HeaderItem(0);  // "Name"
    bool inked = false;
    for (int y = item.top; y < item.bottom && !inked; ++y)
        for (int x = item.left; x < item.left + 40 && !inked; ++x)
            inked = RgbAt(shot, x, y) == Rgb(kDark.headerText);
    EXPECT_TRUE(inked) << "no pixel of the header's caption in the header text colour";
}

TEST_F(ReportPaletteTest, DefaultColoursBecomeThePalette) {
    AddRows({L"a"});
    list.SetCellTextColor(0, 1, RGB(1, 2, 3));
    list.SetPalette(kDark);
    EXPECT_EQ(list.GetCellTextColor(0, 1), kDark.text);
    EXPECT_EQ(list.GetCellBackColor(0, 0), kDark.back);
    list.SetCellTextColor(0, 0, RGB(9, 9, 9));
    list.SetCellTextColor(0, 0, kDefaultColor);
    EXPECT_EQ(list.GetCellTextColor(0, 0), kDark.text);
}

}  // namespace
}  // namespace kv::ui::test
