// A report list with a palette draws its header, rows, selection and empty
// area in the palette's colours, none of them in the system's window colours.
#include "tests/win/kit/report_fixture.h"
#include "ui/kit/window_capture.h"

namespace kv::ui::test {
namespace {

// Colours no system theme uses, so that every pixel tells which part drew it.
constexpr ReportPalette kDark{.text = RGB(0xD0, 0xD1, 0xD2),
                              .back = RGB(0x10, 0x20, 0x30),
                              .selectedText = RGB(0xF0, 0xF1, 0xF2),
                              .selectedBack = RGB(0x50, 0x30, 0x10),
                              .headerText = RGB(0xA0, 0xB0, 0xC0),
                              .headerBack = RGB(0x20, 0x28, 0x30),
                              .headerLine = RGB(0x40, 0x48, 0x50),
                              .gridLine = RGB(0x30, 0x38, 0x40),
                              .tickBox = RGB(0x18, 0x1C, 0x20),
                              .tickEdge = RGB(0x60, 0x64, 0x68),
                              .tickFill = RGB(0xE0, 0x80, 0x10),
                              .tickMark = RGB(0x08, 0x04, 0x02)};

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

TEST_F(ReportPaletteTest, GridLinesAndTickBoxesAreThePalettes) {
    list.SetGridLines(true);
    list.SetTickMode(TickMode::OneOfMany);
    AddRows({L"a", L"b"});
    list.SetPalette(kDark);
    list.SetRowState(1, kRowTicked, true);

    const PixelImage shot = CaptureWindow(list.hwnd());
    RECT row0{};
    row0.left = LVIR_BOUNDS;
    SendMessageW(list.hwnd(), LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row0));
    const int height = row0.bottom - row0.top;
    const RECT column0 = HeaderItem(0);
    RECT client;
    GetClientRect(list.hwnd(), &client);
    // The hit test finds a box's left edge; its middle is half a small icon further.
    const int half = GetSystemMetrics(SM_CXSMICON) / 2;
    const POINT tick0{TickPoint(0).x + half, TickPoint(0).y}, tick1{TickPoint(1).x + half, TickPoint(1).y};
    struct Case {
        const char* name;
        POINT at;
        COLORREF expected;
    };
    const Case cases[] = {
        {"line under the first row", {column0.left + 60, row0.bottom - 1}, kDark.gridLine},
        {"line under the second row", {column0.left + 60, row0.bottom - 1 + height}, kDark.gridLine},
        {"line in the empty area", {column0.left + 60, row0.bottom - 1 + 4 * height}, kDark.gridLine},
        {"line right of the first column", {column0.right - 1, row0.top + height / 2}, kDark.gridLine},
        {"line right of the first column, empty area",
         {column0.right - 1, client.bottom - 5},
         kDark.gridLine},
        {"between the lines", {column0.left + 60, row0.bottom + 2 * height - height / 2}, kDark.back},
        {"an empty tick box", tick0, kDark.tickBox},
    };
    for (const Case& c : cases) EXPECT_EQ(RgbAt(shot, c.at.x, c.at.y), Rgb(c.expected)) << c.name;
    // The ticked box is filled; its mark crosses the middle.
    bool filled = false;
    for (int dx = -3; dx <= 3 && !filled; ++dx)
        filled = RgbAt(shot, tick1.x + dx, tick1.y - 3) == Rgb(kDark.tickFill);
    EXPECT_TRUE(filled) << "no pixel of the ticked box in the tick fill colour";
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
