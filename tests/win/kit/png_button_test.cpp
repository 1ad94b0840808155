// Image buttons: which face shows in which state, placement from skin
// entries, frame mode, double clicks.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include "tests/win/kit/kit_fixture.h"
#include "ui/kit/gdi.h"
#include "ui/kit/png_button.h"
#include "ui/kit/skin_placement.h"
#include "ui/kit/state_canvas.h"
#include "ui/kit/window_capture.h"

namespace kv::ui::test {
namespace {

constexpr uint32_t kNormal = 0xC00000, kOver = 0x00C000, kDown = 0x0000C0, kDisabled = 0x808080,
                   kChecked = 0xC0C000, kAltA = 0x00C0C0, kAltB = 0xC000C0, kMarker = 0x123456;
constexpr int kButtonId = 1001;

class PngButtonTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const std::pair<StateCanvas*, uint32_t> faces[] = {
            {&normal, kNormal},   {&over, kOver}, {&down, kDown}, {&disabled, kDisabled},
            {&checked, kChecked}, {&altA, kAltA}, {&altB, kAltB}};
        WindowDc dc(host.hwnd());
        for (auto [canvas, color] : faces) {
            PixelImage image = SolidImage(120, 100, color);
            if (canvas == &normal) image.pixels[19 * 120 + 9] = 0xFF000000 | kMarker;
            const std::wstring file = folder.File(std::to_wstring(color) + L".bmp");
            SaveOrFail(image, file, ImageFormat::Bmp);
            ASSERT_TRUE(BuildStateCanvas(*canvas, file, dc.get()));
        }
        HWND control = host.CreateChild(L"BUTTON", kButtonId, BS_PUSHBUTTON, RECT{0, 0, 20, 20}, L"");
        ASSERT_TRUE(button.Attach(control));
        skin = folder.File(L"Skin.ini");
    }

    StateCanvases Faces() { return {&normal, &over, &down, &disabled, &checked}; }
    uint32_t Face(int x = 4, int y = 4) { return RgbAt(CaptureWindow(button.hwnd()), x, y); }

    TempFolder folder;
    HostDialog host;
    StateCanvas normal, over, down, disabled, checked, altA, altB;
    CPngButton button;
    std::wstring skin;
};

TEST_F(PngButtonTest, ChoosesTheFaceByStateInOrder) {
    struct Case {
        const char* name;
        bool enabled, alt, pressed, hover, isChecked;
        int selector;
        uint32_t face;
    };
    const Case cases[] = {
        {"normal", true, false, false, false, false, 0, kNormal},
        {"checked", true, false, false, false, true, 0, kChecked},
        {"hover beats checked", true, false, false, true, true, 0, kOver},
        {"pressed beats hover", true, false, true, true, true, 0, kDown},
        {"alternate A beats pressed", true, true, true, false, false, 0, kAltA},
        {"alternate B", true, true, false, false, false, 1, kAltB},
        {"disabled beats all", false, true, true, true, true, 1, kDisabled},
    };
    for (const Case& c : cases) {
        PlaceSkinnedButton(button, SkinRect{30, 30, 20, 20}, Faces());
        EnableWindow(button.hwnd(), c.enabled);
        button.SetAltImages(&altA, &altB, c.alt, c.selector, false);
        button.SetChecked(c.isChecked, false);
        if (c.hover) SendMessageW(button.hwnd(), WM_MOUSEHOVER, 0, 0);
        SendMessageW(button.hwnd(), BM_SETSTATE, c.pressed, 0);
        EXPECT_EQ(Face(), c.face) << c.name;
        SendMessageW(button.hwnd(), BM_SETSTATE, FALSE, 0);
        SendMessageW(button.hwnd(), WM_MOUSELEAVE, 0, 0);
    }
}

TEST_F(PngButtonTest, FaceIsCutOneAboveAndLeftOfTheOffset) {
    PlaceSkinnedButton(button, SkinRect{10, 20, 8, 8}, Faces());
    EXPECT_EQ(Face(0, 0), kMarker);
    EXPECT_EQ(Face(1, 1), kNormal);
}

TEST_F(PngButtonTest, PlacementFollowsTheSkinEntry) {
    struct Case {
        const char* name;
        const wchar_t* entry;  // null: no entry at all
        RECT where;
        bool enabled;
    };
    const Case cases[] = {
        {"four numbers and a word", L"10,20,30,40,word", {10, 20, 40, 60}, true},
        {"missing entry", nullptr, {1, 1, 2, 2}, false},
        {"explicit default", L"1,1,1,1,x", {1, 1, 2, 2}, false},
        {"only three numbers", L"5,6,7", {1, 1, 2, 2}, false},
        {"not numbers", L"left,top", {1, 1, 2, 2}, false},
    };
    for (const Case& c : cases) {
        WritePrivateProfileStringW(L"BUTTONINFO", L"KEY", c.entry, skin.c_str());
        WritePrivateProfileStringW(nullptr, nullptr, nullptr, skin.c_str());
        EnableWindow(button.hwnd(), TRUE);
        PlaceSkinnedButton(button, skin, L"BUTTONINFO", L"KEY", Faces());
        RECT rect;
        GetWindowRect(button.hwnd(), &rect);
        MapWindowPoints(nullptr, host.hwnd(), reinterpret_cast<POINT*>(&rect), 2);
        EXPECT_EQ(rect.left, c.where.left) << c.name;
        EXPECT_EQ(rect.top, c.where.top) << c.name;
        EXPECT_EQ(rect.right, c.where.right) << c.name;
        EXPECT_EQ(rect.bottom, c.where.bottom) << c.name;
        EXPECT_EQ(IsWindowEnabled(button.hwnd()) != FALSE, c.enabled) << c.name;
        if (!c.enabled) {
            EXPECT_EQ(Face(0, 0), kDisabled) << c.name;
        }
    }
}

TEST_F(PngButtonTest, TwoEntryPlacementTakesTheFaceFromTheSecondEntry) {
    WriteIni(skin, L"BUTTONINFO", {{L"ARROW", L"40,50,10,10"}});
    WriteIni(skin, L"BUTTONINFO2", {{L"ARROW_FACE", L"10,20,0,0"}});
    PlaceButtonTwoEntries(button, skin, L"BUTTONINFO", L"ARROW", L"BUTTONINFO2", L"ARROW_FACE", normal);
    RECT rect;
    GetClientRect(button.hwnd(), &rect);
    EXPECT_EQ(rect.right, 10);
    EXPECT_EQ(button.SourceOffset().x, 10);
    EXPECT_EQ(button.SourceOffset().y, 20);
    EXPECT_EQ(Face(0, 0), kMarker);
}

TEST_F(PngButtonTest, FrameModeHidesTheFaceUntilSwitchedOff) {
    PlaceSkinnedButton(button, SkinRect{30, 30, 20, 20}, Faces());
    button.SetFrame(RGB(0, 255, 0), 500, true);
    EXPECT_EQ(button.FrameWidth(), 100);
    const PixelImage framed = CaptureWindow(button.hwnd(), RGB(255, 0, 255));
    EXPECT_EQ(RgbAt(framed, 10, 10), 0xFF00FFu);  // what lay beneath, not the face
    EXPECT_EQ(RgbAt(framed, 1, 10), 0x00FF00u);   // the outline
    button.SetFrame(RGB(0, 255, 0), 2, false);
    EXPECT_EQ(Face(10, 10), kNormal);
}

TEST_F(PngButtonTest, DrawCallbackHearsWhetherTheNormalFaceShowed) {
    std::vector<bool> calls;
    button.SetDrawCallback([&](HWND, bool normalFace) { calls.push_back(normalFace); });
    PlaceSkinnedButton(button, SkinRect{30, 30, 20, 20}, Faces());
    Face();
    button.SetChecked(true, false);
    Face();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_TRUE(calls[0]);
    EXPECT_FALSE(calls[1]);
}

TEST_F(PngButtonTest, DoubleClickCountsAsASecondPress) {
    PlaceSkinnedButton(button, SkinRect{30, 30, 20, 20}, Faces());
    const LPARAM at = MAKELPARAM(5, 5);
    SendMessageW(button.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(button.hwnd(), WM_LBUTTONUP, 0, at);
    SendMessageW(button.hwnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    SendMessageW(button.hwnd(), WM_LBUTTONUP, 0, at);
    Pump();
    EXPECT_EQ(host.Count(WM_COMMAND, MAKEWPARAM(kButtonId, BN_CLICKED)), 2);
    EXPECT_EQ(host.Count(WM_COMMAND, MAKEWPARAM(kButtonId, BN_DOUBLECLICKED)), 0);
}

// Owner-drawn buttons have no check state of their own: the message answers the checked face.
TEST_F(PngButtonTest, CheckMessagesFollowTheCheckedFace) {
    PlaceSkinnedButton(button, SkinRect{30, 30, 20, 20}, Faces());
    EXPECT_EQ(SendMessageW(button.hwnd(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    button.SetChecked(true, true);
    EXPECT_EQ(SendMessageW(button.hwnd(), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(Face(), kChecked);
    SendMessageW(button.hwnd(), BM_SETCHECK, BST_UNCHECKED, 0);
    EXPECT_FALSE(button.IsChecked());
    EXPECT_EQ(SendMessageW(button.hwnd(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(Face(), kNormal);
    SendMessageW(button.hwnd(), BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_TRUE(button.IsChecked());
}

TEST_F(PngButtonTest, TooltipIsMadeOnFirstUse) {
    EXPECT_EQ(button.tooltip().hwnd(), nullptr);
    button.SetTooltip(L"Help");
    ASSERT_NE(button.tooltip().hwnd(), nullptr);
    EXPECT_EQ(SendMessageW(button.tooltip().hwnd(), TTM_GETDELAYTIME, TTDT_INITIAL, 0), 300);
}

}  // namespace
}  // namespace kv::ui::test
