// The skinned drop-down list: its closed box, its entries and the open
// list's colours, read from real pixels.
#include "ui/kit/skin_combo.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "tests/win/kit/kit_fixture.h"
#include "ui/kit/gdi.h"
#include "ui/kit/window_capture.h"

namespace kv::ui::test {
namespace {

constexpr int kComboId = 1146;

// Colours far apart from each other and from anything the system draws.
ComboColors TestColors() {
    ComboColors c;
    c.field = RGB(0x20, 0x30, 0x40);
    c.edge = RGB(0x60, 0x10, 0x10);
    c.activeEdge = RGB(0xF0, 0x80, 0x10);
    c.text = RGB(0xF0, 0xF0, 0x00);
    c.chevron = RGB(0x00, 0xF0, 0xF0);
    c.list = RGB(0x10, 0x50, 0x10);
    c.selection = RGB(0x50, 0x10, 0x50);
    c.selectionText = RGB(0xFF, 0xFF, 0xFF);
    return c;
}

uint32_t Rgb(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

class SkinComboTest : public ::testing::Test {
  protected:
    void SetUp() override {
        HWND control = host.CreateChild(L"COMBOBOX", kComboId,
                                        CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS | WS_VSCROLL,
                                        RECT{10, 10, 190, 200});
        ASSERT_TRUE(combo.Attach(control));
        combo.SetColors(TestColors());
        for (const wchar_t* entry : {L"Wave", L"Static", L"Custom Key Map"})
            SendMessageW(control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
        SendMessageW(control, CB_SETCURSEL, 2, 0);
        combo.SetHeights(26, 22);
    }

    // How many pixels of the area show the colour.
    static int Count(const PixelImage& image, const RECT& area, COLORREF colour) {
        int n = 0;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x) n += RgbAt(image, x, y) == Rgb(colour) ? 1 : 0;
        return n;
    }

    HostDialog host;
    CSkinCombo combo;
};

TEST_F(SkinComboTest, TheClosedBoxIsDrawnFlatInTheSkinsColours) {
    RECT box{};
    GetWindowRect(combo.hwnd(), &box);
    EXPECT_EQ(box.bottom - box.top, 26) << "the box stands as high as asked";
    EXPECT_EQ(SendMessageW(combo.hwnd(), CB_GETITEMHEIGHT, 0, 0), 22);

    const PixelImage image = CaptureWindow(combo.hwnd());
    const ComboColors c = TestColors();
    ASSERT_EQ(image.width, 180);
    const int w = image.width, h = image.height;
    EXPECT_EQ(RgbAt(image, 0, h / 2), Rgb(c.edge));
    EXPECT_EQ(RgbAt(image, w - 1, 0), Rgb(c.edge));
    EXPECT_EQ(RgbAt(image, 3, 3), Rgb(c.field));
    EXPECT_GT(Count(image, RECT{8, 1, w - 22, h - 1}, c.text), 10) << "the chosen entry's text";
    EXPECT_GT(Count(image, RECT{w - 22, 1, w - 1, h - 1}, c.chevron), 6) << "the chevron";
    EXPECT_EQ(Count(image, RECT{0, 0, w, h}, RGB(255, 255, 255)), 0) << "nothing of the system's white box";
}

TEST_F(SkinComboTest, TheEdgeShowsTheFocus) {
    ShowWindow(host.hwnd(), SW_SHOWNA);
    SetFocus(combo.hwnd());
    const PixelImage focused = CaptureWindow(combo.hwnd());
    EXPECT_EQ(RgbAt(focused, 0, focused.height / 2), Rgb(TestColors().activeEdge));
    HWND other = host.CreateChild(L"BUTTON", 2000, BS_PUSHBUTTON, RECT{10, 100, 60, 120});
    SetFocus(other);
    ASSERT_EQ(GetFocus(), other);
    const PixelImage left = CaptureWindow(combo.hwnd());
    EXPECT_EQ(RgbAt(left, 0, left.height / 2), Rgb(TestColors().edge));
}

TEST_F(SkinComboTest, EntriesOfTheListShowWhichIsSelected) {
    const ComboColors c = TestColors();
    const struct {
        const char* name;
        UINT state;
        COLORREF background, text;
    } cases[] = {
        {"entry", 0, c.list, c.text},
        {"selected entry", ODS_SELECTED, c.selection, c.selectionText},
        {"the field's text", ODS_COMBOBOXEDIT | ODS_SELECTED, c.field, c.text},
    };
    for (const auto& k : cases) {
        WindowDc screen(nullptr);
        MemoryDc dc(screen.get());
        GdiBitmap bitmap(CreateCompatibleBitmap(screen.get(), 160, 22));
        SelectGuard select(dc.get(), bitmap.get());
        DRAWITEMSTRUCT item{};
        item.CtlType = ODT_COMBOBOX;
        item.CtlID = kComboId;
        item.itemID = 0;
        item.itemState = k.state;
        item.hwndItem = combo.hwnd();
        item.hDC = dc.get();
        item.rcItem = RECT{0, 0, 160, 22};
        combo.DrawItem(item);
        EXPECT_EQ(GetPixel(dc.get(), 2, 2), k.background) << k.name;
        int text = 0;
        for (int y = 0; y < 22; ++y)
            for (int x = 8; x < 60; ++x) text += GetPixel(dc.get(), x, y) == k.text ? 1 : 0;
        EXPECT_GT(text, 5) << k.name << ": \"Wave\" in its colour";
    }
}

TEST_F(SkinComboTest, TheOpenListTakesTheListColour) {
    WindowDc screen(nullptr);
    MemoryDc dc(screen.get());
    const auto brush = reinterpret_cast<HBRUSH>(
        SendMessageW(combo.hwnd(), WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(dc.get()), 0));
    ASSERT_NE(brush, nullptr);
    LOGBRUSH info{};
    ASSERT_TRUE(GetObjectW(brush, sizeof info, &info));
    EXPECT_EQ(info.lbColor, TestColors().list);
    EXPECT_EQ(GetTextColor(dc.get()), TestColors().text);
    EXPECT_EQ(GetBkColor(dc.get()), TestColors().list);
}

}  // namespace
}  // namespace kv::ui::test
