// Every page of the dialog as the user sees it, in English and Simplified
// Chinese, saved for review (build/screenshots/composite) and checked
// where a page's look depends on the dialog's own drawing.
#include <gtest/gtest.h>

#include "tests/win/composite/composite_fixture.h"
#include "ui/kit/image_file.h"
#include "ui/kit/window_capture.h"

namespace kv::ui::test {
namespace {

constexpr int kIndexA = 0x1E;
constexpr uint32_t kField = 0x111316;      // the skin's field colour, behind the captured key
constexpr uint32_t kListField = 0x2B2E33;  // the skinned drop-down lists' closed field

uint32_t Rgb(const PixelImage& image, int x, int y) {
    return image.pixels[static_cast<size_t>(y) * static_cast<size_t>(image.width) + static_cast<size_t>(x)] &
           0xFFFFFF;
}

// A point of a control's field between its text and its right end, halfway
// down, in dialog pixels.
POINT FieldPoint(HWND dialog, HWND control, int fromRight) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return {rect.right - fromRight, (rect.top + rect.bottom) / 2};
}

// The centre of a control, in dialog pixels.
POINT CentreOf(HWND dialog, HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

class ScreenshotTest : public CompositeTest {
  public:
    void SetUp() override {
        CompositeTest::SetUp();
        folder_ = StageFolder() + L"..\\..\\screenshots\\";  // build/windows/stage -> build/screenshots
        CreateDirectoryW(folder_.c_str(), nullptr);
        folder_ += L"composite\\";
        CreateDirectoryW(folder_.c_str(), nullptr);
        SetWorkingMacros(
            {MakeMacro(1, u"Sprint", {{120, 0x2A, 0}, {50, 0x11, 0}, {400, 0x11, 1}, {0, 0x2A, 1}}, 3),
             MakeMacro(2, u"Reload", {{30, 0x13, 0}, {0, 0x13, 1}})});
    }

    PixelImage Shoot(const std::wstring& name) {
        PumpDialog();
        RedrawWindow(Dlg(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        PixelImage image = CaptureWindow(Dlg(), RGB(0, 0, 0));
        const wchar_t* language = host.texts.language == 0 ? L"en_" : L"zh_";
        EXPECT_TRUE(SaveImageFile(image, folder_ + language + name + L".png", ImageFormat::Png))
            << name.size();
        return image;
    }

    std::wstring folder_;
};

TEST_F(ScreenshotTest, EveryPageInBothLanguages) {
    for (int language : {0, 1}) {
        host.texts.language = language;

        SetEntry(0, kIndexA, {2, 0, 0x30, 0, 0});
        Open(kButtonA, [&] {
            const PixelImage image = Shoot(L"key");
            const POINT box = CentreOf(Dlg(), Item(IDC_COMP_KEY_BOX));
            EXPECT_EQ(Rgb(image, box.x - 100, box.y), kField) << "the captured key sits on the skin's field";
        });

        SetEntry(0, kIndexA, {2, 0, 0x161, 0, 0});
        // The drop-down lists wear the skin's colours, not the system's white box.
        const auto expectSkinnedField = [&](const PixelImage& image, int id, uint32_t colour) {
            const POINT at = FieldPoint(Dlg(), Item(id), 40);
            EXPECT_EQ(Rgb(image, at.x, at.y), colour) << "list " << id;
        };
        Open(kButtonA, [&] { expectSkinnedField(Shoot(L"key_mouse"), IDC_COMP_MOUSE_LIST, kListField); });

        SetEntry(0, kIndexA, {4, 3, 1, 0, 0});
        Open(kButtonA, [&] {
            SelectAction(1);
            SetFocus(Item(IDC_COMP_ACTIONS));  // as after a click on the row
            expectSkinnedField(Shoot(L"macro"), IDC_COMP_MACRO_LIST, kListField);
        });

        Open(kButtonA, [&] {
            SelectAction(3);
            Click(IDC_COMP_RECORD);
            KeyboardHooks::ThreadProc(HC_ACTION, 0x20, static_cast<LPARAM>(1u | (0x39u << 16)));
            KeyboardHooks::ThreadProc(HC_ACTION, 0x20, static_cast<LPARAM>(0xC0000001u | (0x39u << 16)));
            Shoot(L"recording");
        });

        SetEntry(0, kIndexA, {7, 0, 5, 0, 0});
        Open(kButtonA, [&] { expectSkinnedField(Shoot(L"media"), IDC_COMP_MEDIA_LIST, kListField); });

        SetEntry(0, kIndexA, {8, 0, 2, 0, 0});
        Open(kButtonA, [&] { expectSkinnedField(Shoot(L"function"), IDC_COMP_FUNCTION_LIST, kListField); });

        Open(kButtonG9, [&] { Shoot(L"macro_only"); });
    }
}

}  // namespace
}  // namespace kv::ui::test
