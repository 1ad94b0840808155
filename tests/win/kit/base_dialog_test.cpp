// The skinned dialog: shape from the mask, size and face from the background,
// silent end of the process when either image is missing.
#include "ui/kit/base_dialog.h"

#include <gtest/gtest.h>

#include "tests/win/kit/kit_fixture.h"
#include "ui/kit/mask_region.h"
#include "ui/kit/window_capture.h"

namespace kv::ui::test {
namespace {

constexpr uint32_t kWhite = 0xFFFFFF, kBlack = 0x000000, kNearWhite = 0xFEFFFF, kTeal = 0x208080;

struct SkinnedTemplate {
    MemoryDialogTemplate skinnedTemplate{WS_POPUP, 20, 20};
};

class SkinnedDialog : private SkinnedTemplate, public CBaseDialog {
  public:
    SkinnedDialog(const std::wstring& skinFile, const std::wstring& folder)
        : CBaseDialog(DialogTemplate::FromMemory(skinnedTemplate.get()), nullptr, skinFile, folder) {}
};

class BaseDialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        CBaseDialog::SetFatalExit([this] { ++fatalExits; });
        skin = folder.File(L"Test.ini");
    }
    void TearDown() override { CBaseDialog::SetFatalExit(nullptr); }

    void WriteSkin(const wchar_t* main, const wchar_t* mask) {
        WriteIni(skin, L"SCREEN", {{L"Main", main}, {L"Mask", mask}});
    }
    // The window's region, or nothing when it has none.
    int RegionKind(HWND window, RECT& box) {
        HRGN region = CreateRectRgn(0, 0, 0, 0);
        int kind = GetWindowRgn(window, region);
        GetRgnBox(region, &box);
        DeleteObject(region);
        return kind;
    }

    TempFolder folder;
    std::wstring skin;
    int fatalExits = 0;
};

TEST(MaskRuns, EveryRunOfNonWhitePixelsIsOneRectangle) {
    struct Case {
        const char* name;
        std::vector<uint32_t> row;
        std::vector<std::pair<int, int>> runs;  // [left, right)
    };
    const Case cases[] = {
        {"all white", {kWhite, kWhite, kWhite, kWhite}, {}},
        {"all dark", {kBlack, kBlack, kBlack}, {{0, 3}}},
        {"two runs", {kBlack, kWhite, kBlack, kBlack, kWhite}, {{0, 1}, {2, 4}}},
        {"run to the edge", {kWhite, kTeal, kTeal}, {{1, 3}}},
        {"near white is inside", {kWhite, kNearWhite, kWhite}, {{1, 2}}},
    };
    for (const Case& c : cases) {
        PixelImage image;
        image.width = static_cast<int>(c.row.size());
        image.height = 2;
        for (int y = 0; y < 2; ++y)
            for (uint32_t pixel : c.row) image.pixels.push_back(pixel | 0xFF000000);
        const std::vector<RECT> runs = MaskRuns(image);
        ASSERT_EQ(runs.size(), c.runs.size() * 2) << c.name;
        for (size_t i = 0; i < runs.size(); ++i) {
            const auto& expected = c.runs[i % c.runs.size()];
            EXPECT_EQ(runs[i].left, expected.first) << c.name;
            EXPECT_EQ(runs[i].right, expected.second) << c.name;
            EXPECT_EQ(runs[i].bottom - runs[i].top, 1) << c.name;
        }
    }
}

TEST(MaskRuns, ShortPixelBufferGivesNothing) {
    PixelImage image;
    image.width = 10;
    image.height = 10;
    image.pixels.assign(5, 0xFF000000);
    EXPECT_TRUE(MaskRuns(image).empty());
}

TEST_F(BaseDialogTest, AllWhiteMaskGivesAnEmptyRegion) {
    SaveOrFail(SolidImage(40, 30, kTeal), folder.File(L"bg.jpg"), ImageFormat::Jpeg);
    SaveOrFail(SolidImage(40, 30, kWhite), folder.File(L"mask.bmp"), ImageFormat::Bmp);
    WriteSkin(L"bg.jpg", L"mask.bmp");
    SkinnedDialog dialog(skin, folder.path());
    ASSERT_TRUE(dialog.Create());
    RECT box{};
    EXPECT_EQ(RegionKind(dialog.hwnd(), box), NULLREGION);
    EXPECT_EQ(fatalExits, 0);
}

TEST_F(BaseDialogTest, TakesBackgroundSizeAndShapeFromMask) {
    SaveOrFail(SolidImage(64, 48, kTeal), folder.File(L"bg.jpg"), ImageFormat::Jpeg);
    PixelImage mask = SolidImage(64, 48, kWhite);
    for (int y = 4; y < 9; ++y)
        for (int x = 3; x < 13; ++x) mask.pixels[static_cast<size_t>(y * 64 + x)] = 0xFF000000;
    SaveOrFail(mask, folder.File(L"mask.png"), ImageFormat::Png);
    WriteSkin(L"bg.jpg", L"mask.png");

    SkinnedDialog dialog(skin, folder.path());
    ASSERT_TRUE(dialog.Create());
    RECT window;
    GetWindowRect(dialog.hwnd(), &window);
    EXPECT_EQ(window.right - window.left, 64);
    EXPECT_EQ(window.bottom - window.top, 48);

    RECT box{};
    EXPECT_EQ(RegionKind(dialog.hwnd(), box), SIMPLEREGION);
    EXPECT_EQ(box.left, 3);
    EXPECT_EQ(box.top, 4);
    EXPECT_EQ(box.right, 13);
    EXPECT_EQ(box.bottom, 9);

    // The face is the background, drawn only inside the shape.
    const PixelImage shot = CaptureWindow(dialog.hwnd(), RGB(255, 0, 255));
    const uint32_t inside = RgbAt(shot, 5, 5);
    EXPECT_NEAR(static_cast<int>((inside >> 8) & 0xFF), 0x80, 6);
    EXPECT_EQ(RgbAt(shot, 30, 30), 0xFF00FFu);
}

TEST_F(BaseDialogTest, MissingImageEndsTheProcessSilently) {
    struct Case {
        const char* name;
        const wchar_t* main;
        const wchar_t* mask;
        bool writeBackground, writeMask;
    };
    const Case cases[] = {
        {"background file missing", L"bg.jpg", L"mask.bmp", false, true},
        {"mask file missing", L"bg.jpg", L"mask.bmp", true, false},
        {"keys missing", L"", L"", true, true},
        {"background is not an image", L"Test.ini", L"mask.bmp", true, true},
    };
    for (const Case& c : cases) {
        TempFolder own;
        skin = own.File(L"Test.ini");
        if (c.writeBackground) SaveOrFail(SolidImage(20, 20, kTeal), own.File(L"bg.jpg"), ImageFormat::Jpeg);
        if (c.writeMask) SaveOrFail(SolidImage(20, 20, kBlack), own.File(L"mask.bmp"), ImageFormat::Bmp);
        WriteSkin(c.main, c.mask);
        fatalExits = 0;
        SkinnedDialog dialog(skin, own.path());
        HWND created = dialog.Create();
        EXPECT_EQ(fatalExits, 1) << c.name;
        EXPECT_FALSE(created && IsWindow(created)) << c.name;
    }
}

TEST_F(BaseDialogTest, OkReleasesTheImagesAndCloses) {
    SaveOrFail(SolidImage(20, 20, kTeal), folder.File(L"bg.bmp"), ImageFormat::Bmp);
    SaveOrFail(SolidImage(20, 20, kBlack), folder.File(L"mask.bmp"), ImageFormat::Bmp);
    WriteSkin(L"bg.bmp", L"mask.bmp");
    SkinnedDialog dialog(skin, folder.path());
    HWND window = dialog.Create();
    ASSERT_TRUE(window);
    EXPECT_TRUE(dialog.Background());
    SendMessageW(window, WM_COMMAND, IDOK, 0);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(dialog.Background());
}

// Images read at start-up: later openings read no file, so a picture that
// has gone meanwhile ends nothing.
TEST_F(BaseDialogTest, PreloadedImagesNeedNoFileWhenTheDialogOpens) {
    SaveOrFail(SolidImage(40, 30, kTeal), folder.File(L"bg.bmp"), ImageFormat::Bmp);
    PixelImage mask = SolidImage(40, 30, kWhite);
    for (int x = 0; x < 40; ++x) mask.pixels[static_cast<size_t>(10 * 40 + x)] = 0xFF000000;
    SaveOrFail(mask, folder.File(L"mask.bmp"), ImageFormat::Bmp);
    WriteSkin(L"bg.bmp", L"mask.bmp");
    const std::optional<SkinImages> images = LoadSkinImages(skin, folder.path());
    ASSERT_TRUE(images.has_value());
    DeleteFileW(folder.File(L"bg.bmp").c_str());
    DeleteFileW(folder.File(L"mask.bmp").c_str());
    EXPECT_FALSE(LoadSkinImages(skin, folder.path()).has_value());

    SkinnedDialog dialog(skin, folder.path());
    dialog.UsePreloadedSkin(&*images);
    for (int opening = 0; opening < 2; ++opening) {
        HWND window = dialog.Create();
        ASSERT_TRUE(window);
        EXPECT_EQ(fatalExits, 0);
        RECT box{};
        EXPECT_EQ(RegionKind(window, box), SIMPLEREGION);
        EXPECT_EQ(box.top, 10);
        EXPECT_EQ(box.bottom, 11);
        EXPECT_EQ(dialog.Background(), images->background.bitmap.get());
        SendMessageW(window, WM_COMMAND, IDOK, 0);
        EXPECT_FALSE(IsWindow(window));
        EXPECT_EQ(dialog.Background(), images->background.bitmap.get())
            << "the preloaded picture stays for the next opening";
    }
}

}  // namespace
}  // namespace kv::ui::test
