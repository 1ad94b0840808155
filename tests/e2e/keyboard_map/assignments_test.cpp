// The keyboard picture after a read-back: the buttons of assigned keys are
// checked and say in their tooltips what the keys do; the layer key flips the
// G buttons to the layer-B entries, their captions and the A/B lamp; the flip
// toggles put D1..D6 in place of F1..F4. Screenshots of the window for review.
#include <gtest/gtest.h>

#include <cstdio>

#include "harness/keyboard_copy.h"

namespace kv::e2e {
namespace {

using namespace ids;

constexpr int kKeyQ = 1044, kKeyW = 1045, kKeyS = 1059, kKeyEsc = 1022;

std::wstring T(const wchar_t* key) { return EnglishText(key); }
// What an assigned key's tooltip says: its name, the arrow, what it does.
std::wstring Assigned(const std::wstring& name, const std::wstring& does = L"") {
    return name + T(L"KEY_PROMPT_SET") + does;
}
std::wstring SendsKey(const wchar_t* key_text) { return T(L"KEY_PROMPT_SINGLE") + T(key_text) + L")"; }

// Profile 0: A acts as B, F1 is volume up, Q is disabled, Esc raises the
// brightness, S plays "ab"; G1 sends C on layer A and is disabled on layer
// B, where G2 sends A. Profile 1: A is disabled.
std::vector<std::string> Assignments(const KeyMapPokes& keys) {
    return {keys.Key(0, 0x01E, "02 02 05"), keys.Key(0, 0x03B, "03 E9 00"),
            keys.Key(0, 0x010, "00 00 00"), keys.Key(0, 0x001, "05 05 02"),
            keys.Key(0, 0x01F, "05 01 00"), keys.GKey(0, 1, "02 02 06"),
            keys.GKey(0, 10, "00 00 00"),   keys.GKey(0, 11, "02 02 04"),
            keys.Key(1, 0x01E, "00 00 00"), MacroAreaAb()};
}

struct Shown {
    int id;
    bool checked;
    std::wstring tip;
};

void ExpectShown(HWND main, const std::vector<Shown>& buttons) {
    for (const Shown& b : buttons) {
        SCOPED_TRACE("control " + std::to_string(b.id));
        EXPECT_TRUE(WaitFor([&] { return IsChecked(main, b.id) == b.checked; }, 10s));
        EXPECT_TRUE(WaitFor([&] { return TooltipOf(GetDlgItem(main, b.id)) == b.tip; }, 10s))
            << "tooltip: " << testing::PrintToString(TooltipOf(GetDlgItem(main, b.id)).value_or(L"<none>"));
    }
}

// The window as it is now, painted in full first.
void Screenshot(HWND main, const wchar_t* name) {
    RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    ASSERT_TRUE(Responds(main));
    const std::wstring path = ScreenshotFolder() + name;
    ASSERT_TRUE(SaveScreenshot(main, path));
    EXPECT_GT(FileSize(path), 20000) << "an empty picture";
    std::printf("screenshot: %ls\n", path.c_str());
}

class Assignments_ : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { copy_ = new KeyboardCopy(Assignments); }
    static void TearDownTestSuite() {
        delete copy_;
        copy_ = nullptr;
    }
    void SetUp() override { ASSERT_TRUE(copy_->Ready()) << copy_->Problem(); }
    static HWND Main() { return copy_->Main(); }
    static KeyboardCopy* copy_;
};
KeyboardCopy* Assignments_::copy_ = nullptr;

const std::vector<Shown>& LayerA() {
    static const std::vector<Shown> shown = {
        {kG[0], true, Assigned(L"G1", SendsKey(L"IDS_KEYBOARD_C"))},
        {kG[1], false, L"G2"},
    };
    return shown;
}

TEST_F(Assignments_, AfterAReadBackAssignedKeysAreCheckedAndSayWhatTheyDo) {
    ExpectShown(
        Main(),
        {
            {kKeyA, true, Assigned(T(L"IDS_KEYBOARD_A"), SendsKey(L"IDS_KEYBOARD_B"))},
            {kF1, true, Assigned(T(L"IDS_KEYBOARD_F1"), T(L"KEY_PROMPT_MEDIA") + T(L"MEDIA_V_ADD_7") + L")")},
            {kKeyQ, true, Assigned(T(L"IDS_KEYBOARD_Q"))},
            {kKeyEsc, true,
             Assigned(T(L"IDS_KEYBOARD_ESC"), T(L"KEY_PROMPT_FUNCTION") + T(L"FUNC_KEY_DESC3") + L")")},
            {kKeyS, true, Assigned(T(L"IDS_KEYBOARD_S"), T(L"KEY_PROMPT_MACRO") + L"ab)")},
            {kKeyW, false, T(L"IDS_KEYBOARD_W")},
        });
    ExpectShown(Main(), LayerA());
    EXPECT_EQ(TextOf(Main(), kG[0]), L"A1");
    EXPECT_EQ(TextOf(Main(), kG[5]), L"");
    EXPECT_EQ(IsChecked(Main(), kLockAB), false);
    // The profile button names the working profile file of the active profile.
    EXPECT_EQ(TextOf(Main(), kProfileManager), L"$Profile0");
    EXPECT_EQ(TooltipOf(GetDlgItem(Main(), kProfileManager)).value_or(L""), T(L"PROFILE_TIP") + L"$Profile0");
    EXPECT_EQ(IsChecked(Main(), kProfile[0]), true);
    EXPECT_EQ(IsChecked(Main(), kProfile[1]), false);
}

TEST_F(Assignments_, TheLayerKeyFlipsTheGButtonsToLayerB) {
    ASSERT_TRUE(copy_->Sim("layer"));
    // The lamp is the last thing the window changes for a new layer.
    ASSERT_TRUE(WaitFor([] { return IsChecked(Main(), kLockAB) == true; }, 10s))
        << "the A/B lamp shows layer B";
    for (int n = 0; n < 5; ++n) EXPECT_EQ(TextOf(Main(), kG[n]), L"B" + std::to_wstring(n + 1));
    for (int n = 5; n < 9; ++n) EXPECT_EQ(TextOf(Main(), kG[n]), L"");
    ExpectShown(Main(), {
                            {kG[0], true, Assigned(L"G1")},
                            {kG[1], true, Assigned(L"G2", SendsKey(L"IDS_KEYBOARD_A"))},
                            {kG[2], false, L"G3"},
                        });
    EXPECT_EQ(copy_->Status("layer"), "B");

    Screenshot(Main(), L"keyboard_map_layer_b_en-US.png");

    ASSERT_TRUE(copy_->Sim("layer"));
    ASSERT_TRUE(WaitFor([] { return IsChecked(Main(), kLockAB) == false; }, 10s));
    EXPECT_EQ(TextOf(Main(), kG[0]), L"A1");
    ExpectShown(Main(), LayerA());
    EXPECT_EQ(copy_->Status("layer"), "A");
}

// In the flip layout D1..D6 show where F1..F4 were, and only they take clicks there.
TEST_F(Assignments_, TheFlipLayoutPutsTheAlternatesInPlaceOfF1ToF4) {
    const RECT f1 = RectOf(Main(), kF1), f4 = RectOf(Main(), kF4);
    for (bool flipped : {true, false}) {
        SCOPED_TRACE(flipped ? "flipped" : "back");
        ASSERT_TRUE(Click(Main(), kFlip1));
        // The window hides and shows them one after the other: wait for the whole row.
        EXPECT_TRUE(WaitFor(
            [&] {
                for (int id = kF1; id <= kF4; ++id)
                    if (IsShown(Main(), id) == flipped) return false;
                for (int id = kD1; id <= kD6; ++id)
                    if (IsShown(Main(), id) != flipped || IsEnabled(Main(), id) != flipped) return false;
                return true;
            },
            10s));
        for (int id = kF1; id <= kF4; ++id) EXPECT_EQ(IsShown(Main(), id), !flipped) << id;
        for (int id = kD1; id <= kD6; ++id) {
            EXPECT_EQ(IsShown(Main(), id), flipped) << id;
            EXPECT_EQ(IsEnabled(Main(), id), flipped) << id;
        }
        if (flipped) {
            // The six cover the four and the gaps around them, in one row.
            const RECT d1 = RectOf(Main(), kD1), d6 = RectOf(Main(), kD6);
            EXPECT_LE(d1.left, f1.left);
            EXPECT_GE(d6.right, f4.right);
            EXPECT_EQ(d1.top, f1.top);
            for (int id = kD1 + 1; id <= kD6; ++id)
                EXPECT_EQ(RectOf(Main(), id).left, RectOf(Main(), id - 1).right);
            Screenshot(Main(), L"keyboard_map_flipped_en-US.png");
        }
    }
}

struct Shot {
    const char* name;
    DWORD language;
};

class KeyboardMapScreenshot : public ::testing::TestWithParam<Shot> {};

TEST_P(KeyboardMapScreenshot, OfTheWindowWithSeveralAssignedKeys) {
    KeyboardCopy copy(Assignments, GetParam().language);
    ASSERT_TRUE(copy.Ready()) << copy.Problem();
    ASSERT_TRUE(WaitFor([&] { return IsChecked(copy.Main(), kKeyA) == true; }, 10s));
    const std::string name = GetParam().name;
    Screenshot(copy.Main(), (L"keyboard_map_" + std::wstring(name.begin(), name.end()) + L".png").c_str());
}

INSTANTIATE_TEST_SUITE_P(KeyboardMap, KeyboardMapScreenshot,
                         ::testing::Values(Shot{"en-US", kEnglish}, Shot{"zh-CN", kChineseSimplified}),
                         [](const auto& info) { return std::string(info.param.name).erase(2, 1); });

}  // namespace
}  // namespace kv::e2e
