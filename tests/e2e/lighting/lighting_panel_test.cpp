// The lighting panel of the real program against its simulated keyboard: each
// control writes exactly its bytes to the keyboard, in one exchange, and shows
// the controls its mode has; the lamp writes only the settings file; the key
// marks of the per-key mode; Default; the deferred read-back of timer 1051.
// One running copy serves the whole group, in the order the tests stand.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>

#include "harness/harness.h"
#include "harness/shown_copy.h"
#include "lighting_driver.h"
#include "model/lighting/user_key_map.h"

namespace kv::e2e {
namespace {

using namespace ids;

constexpr int kPerKeyMode = 254;
constexpr int kKeyQ = 1044, kKeyW = 1045, kKeypad6 = 1114, kKeyUp = 1103;
// Matrix positions: A 11, keypad 6 132 (shared with Up), Fn 61.
struct Bit {
    unsigned byte;
    uint8_t mask;
};
constexpr Bit kBitA{1, 0x08}, kBitKeypad6{16, 0x10}, kBitFn{7, 0x20};

const std::vector<std::string> kNothing;

class Lighting : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { Start(kEnglish); }
    static void Start(DWORD language) {
        language_ = language;
        stored_switch_ = PanelSwitchSetting();
        shown_ = new ShownCopy(language, [](ProgramCopy&) { SetPanelSwitchSetting(L"0"); });
        if (shown_->Ready()) profile_ = ActiveProfile(shown_->Copy().SimPipe());
    }
    static void TearDownTestSuite() {
        delete shown_;
        shown_ = nullptr;
        // Other test programs share the per-user settings.
        SetPanelSwitchSetting(stored_switch_ == L"<none>" ? nullptr : stored_switch_.c_str());
    }
    void SetUp() override {
        ASSERT_TRUE(shown_->Ready()) << shown_->Problem();
        ASSERT_GE(profile_, 0) << "no active profile on the keyboard";
    }

    static HWND Main() { return shown_->Main(); }
    static const std::wstring& Pipe() { return shown_->Copy().SimPipe(); }
    static DWORD Pid() { return shown_->Process().pid; }

    // What the action sent to the keyboard. The keyboard's lighting
    // notification afterwards starts a read-back that can only run once the
    // window has handled everything posted before it: what came before that
    // read is the action's traffic, all of it.
    static std::vector<std::string> Exchange(const std::function<bool()>& action) {
        EXPECT_TRUE(SimOk(Pipe(), "log clear"));
        EXPECT_TRUE(action()) << "the control could not be used";
        EXPECT_TRUE(SimOk(Pipe(), "lighting"));
        std::vector<std::string> sent;
        const bool settled = WaitFor(
            [&] {
                sent = SentRequests(Pipe());
                const auto read = std::find_if(sent.begin(), sent.end(),
                                               [](const std::string& r) { return r.rfind("03 ", 0) == 0; });
                return read != sent.end() &&
                       std::count_if(read, sent.end(),
                                     [](const std::string& r) { return r.rfind("05 ", 0) == 0; }) == 3 &&
                       sent.back() == "end";
            },
            20s);
        EXPECT_TRUE(settled) << "no lighting read-back after the action";
        EXPECT_TRUE(Responds(Main()));
        sent.erase(std::find_if(sent.begin(), sent.end(),
                                [](const std::string& r) { return r.rfind("03 ", 0) == 0; }),
                   sent.end());
        // The end of an exchange that began before the log was cleared (the
        // last write of a Default, say) is not the action's.
        sent.erase(sent.begin(),
                   std::find_if(sent.begin(), sent.end(), [](const std::string& r) { return r != "end"; }));
        return sent;
    }

    static std::vector<uint8_t> Record(unsigned offset, unsigned length) {
        return Dump(Pipe(), "profiles", static_cast<unsigned>(profile_) * 42 + offset, length);
    }
    static unsigned MapOffset(int map) {
        return static_cast<unsigned>(profile_) * 256 + static_cast<unsigned>(map) * 21;
    }
    static std::vector<uint8_t> UserMap(int map) { return Dump(Pipe(), "colours", MapOffset(map), 21); }

    static int ModePosition(int mode) {
        const std::wstring name = LanguageText(language_, L"MODE", std::to_wstring(mode).c_str());
        const std::vector<std::wstring> items = ComboItems(Main(), kModeList);
        const auto at = std::find(items.begin(), items.end(), name);
        return at == items.end() ? -1 : static_cast<int>(at - items.begin());
    }
    static void ChooseMode(int mode) {
        ASSERT_EQ(Exchange([&] { return ChooseComboEntry(Main(), kModeList, ModePosition(mode)); }),
                  LightingWrite(profile_, 0, static_cast<uint8_t>(mode)))
            << "mode " << mode;
    }
    static void SwitchOn() {
        if (PanelSwitchSetting() == L"1") return;
        ASSERT_EQ(Exchange([] { return Click(Main(), kLamp); }), kNothing);
        ASSERT_EQ(PanelSwitchSetting(), L"1");
    }

    // The panel as it looks, for review.
    static void Screenshot(const std::string& name) {
        // The pointer has left the sliders the tests clicked.
        for (int id : {kBrightnessSlider, kSpeedSlider})
            PostMessageW(GetDlgItem(Main(), id), WM_MOUSELEAVE, 0, 0);
        ASSERT_TRUE(Responds(Main()));
        RedrawWindow(Main(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        ASSERT_TRUE(Responds(Main()));
        const std::wstring path = ScreenshotFolder() + std::wstring(name.begin(), name.end()) + L".png";
        ASSERT_TRUE(SaveScreenshot(Main(), path));
        EXPECT_GT(FileSize(path), 20000) << "an empty picture";
        std::printf("screenshot: %ls\n", path.c_str());
    }
    static const char* LanguageTag() { return language_ == kEnglish ? "en-US" : "zh-CN"; }
    // The per-key mode with map 1 and its keys framed.
    static void ShowPerKeyMap() {
        SwitchOn();
        ChooseMode(kPerKeyMode);
        ASSERT_EQ(Exchange([] { return ChooseComboEntry(Main(), kUserMapList, 0); }),
                  LightingWrite(profile_, 3, 0));
    }

    static ShownCopy* shown_;
    static int profile_;
    static DWORD language_;
    static std::wstring stored_switch_;
};
ShownCopy* Lighting::shown_ = nullptr;
int Lighting::profile_ = -1;
DWORD Lighting::language_ = kEnglish;
std::wstring Lighting::stored_switch_;

TEST_F(Lighting, TheLampSwitchesThePanelAndWritesOnlyTheSettingsFile) {
    ASSERT_EQ(PanelSwitchSetting(), L"0");
    EXPECT_FALSE(IsShown(Main(), kModeList)) << "starts switched off";

    const struct {
        const wchar_t* stored;
        bool on;
    } steps[] = {{L"1", true}, {L"0", false}, {L"1", true}};
    for (const auto& step : steps) {
        SCOPED_TRACE(step.on ? "switched on" : "switched off");
        EXPECT_EQ(Exchange([] { return Click(Main(), kLamp); }), kNothing) << "nothing for the keyboard";
        EXPECT_EQ(PanelSwitchSetting(), step.stored);
        for (int id : {kModeList, kBrightnessLabel, kBrightnessSlider})
            EXPECT_EQ(IsShown(Main(), id), step.on) << id;
        for (int id : {kLamp, kLampLabel, kUsbLabel, kReport[0], kReport[3]})
            EXPECT_TRUE(IsShown(Main(), id)) << id;
    }
}

TEST_F(Lighting, TheModeListHoldsTheKeyboardsModesAndSelectsTheCurrentOne) {
    SwitchOn();
    std::vector<std::wstring> names;
    for (int id = 1; id <= 20; ++id)
        names.push_back(LanguageText(kEnglish, L"MODE", std::to_wstring(id).c_str()));
    names.push_back(LanguageText(kEnglish, L"MODE", L"254"));
    EXPECT_EQ(ComboItems(Main(), kModeList), names);
    const int mode = Record(0, 1).at(0);
    EXPECT_EQ(ComboSelection(Main(), kModeList), ModePosition(mode)) << "mode " << mode;
}

TEST_F(Lighting, EachModeWritesByte0AndShowsItsControls) {
    SwitchOn();
    const struct {
        int mode;
        bool speed, direction, per_key;
    } cases[] = {
        {5, false, false, false}, {17, true, false, false}, {15, true, true, false},   {3, true, true, false},
        {12, true, false, false}, {7, false, false, false}, {254, false, false, true}, {1, true, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("mode " + std::to_string(c.mode));
        ChooseMode(c.mode);
        EXPECT_EQ(Record(0, 1), std::vector<uint8_t>{static_cast<uint8_t>(c.mode)});
        EXPECT_EQ(ComboSelection(Main(), kModeList), ModePosition(c.mode));
        for (int id : {kModeList, kBrightnessLabel, kBrightnessSlider})
            EXPECT_TRUE(IsShown(Main(), id)) << id;
        for (int id : {kSpeedLabel, kSpeedSlider}) EXPECT_EQ(IsShown(Main(), id), c.speed) << id;
        for (int id : {kDirectionLabel, kDirectionFirst, kDirectionSecond})
            EXPECT_EQ(IsShown(Main(), id), c.direction) << id;
        for (int id : {kUserMapList, kToolLabel, kToolPaint, kToolErase, kClearAll, kClearAllLabel, kMarkAll,
                       kMarkAllLabel})
            EXPECT_EQ(IsShown(Main(), id), c.per_key) << id;
    }
}

TEST_F(Lighting, SlidersWriteBrightnessAndSpeedOncePerChange) {
    SwitchOn();
    ChooseMode(1);
    // Brightness runs with the slider; speed against it (position 5 - speed).
    const struct {
        int slider, position;
        std::vector<std::string> sent;
    } steps[] = {
        {kBrightnessSlider, 2, LightingWrite(profile_, 1, 2)},
        {kBrightnessSlider, 2, kNothing},
        {kBrightnessSlider, 5, LightingWrite(profile_, 1, 5)},
        {kSpeedSlider, 2, Record(2, 1).at(0) == 3 ? kNothing : LightingWrite(profile_, 2, 3)},
        {kSpeedSlider, 3, LightingWrite(profile_, 2, 2)},
        {kSpeedSlider, 2, LightingWrite(profile_, 2, 3)},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE("slider " + std::to_string(step.slider) + " at " + std::to_string(step.position));
        EXPECT_EQ(Exchange([&] { return ClickSlider(Main(), step.slider, step.position); }), step.sent);
    }
    EXPECT_EQ(Record(1, 2), (std::vector<uint8_t>{5, 3}));
}

TEST_F(Lighting, DirectionPicturesWriteByte4) {
    SwitchOn();
    ChooseMode(1);
    EXPECT_EQ(Exchange([] { return Click(Main(), kDirectionFirst); }), LightingWrite(profile_, 4, 0xFF));
    EXPECT_EQ(Record(4, 1), std::vector<uint8_t>{0xFF});
    EXPECT_EQ(Exchange([] { return Click(Main(), kDirectionSecond); }), LightingWrite(profile_, 4, 0x00));
    EXPECT_EQ(Record(4, 1), std::vector<uint8_t>{0x00});
}

TEST_F(Lighting, ReportRateButtonsWriteByte15AndCheckOnlyTheirOwn) {
    for (int index : {3, 1, 2, 0}) {
        SCOPED_TRACE("report rate " + std::to_string(index));
        EXPECT_EQ(Exchange([&] { return Click(Main(), kReport[index]); }),
                  LightingWrite(profile_, 15, static_cast<uint8_t>(index)));
        EXPECT_EQ(Record(15, 1), std::vector<uint8_t>{static_cast<uint8_t>(index)});
        for (int other = 0; other < 4; ++other)
            EXPECT_EQ(IsChecked(Main(), kReport[other]), other == index) << other;
    }
}

TEST_F(Lighting, PerKeyModePaintsAndErasesKeysOfTheChosenMap) {
    SwitchOn();
    ChooseMode(kPerKeyMode);
    constexpr int kMap = 2;
    EXPECT_EQ(Exchange([] { return ChooseComboEntry(Main(), kUserMapList, kMap); }),
              LightingWrite(profile_, 3, kMap));
    EXPECT_EQ(Record(3, 1), std::vector<uint8_t>{kMap});

    const auto key_write = [](const Bit& bit, uint8_t value) {
        return std::vector<std::string>{"begin", Request(0x11, MapOffset(kMap) + bit.byte, {value}), "end"};
    };
    const auto click = [](int id) { return [id] { return Click(Main(), id); }; };
    const auto bit_set = [](const Bit& bit) { return (UserMap(kMap).at(bit.byte) & bit.mask) != 0; };

    EXPECT_EQ(Exchange(click(kToolPaint)), LightingWrite(profile_, 16, 0));
    for (const auto& [id, bit] :
         {std::pair{kKeyA, kBitA}, std::pair{kKeypad6, kBitKeypad6}, std::pair{kFn, kBitFn}}) {
        SCOPED_TRACE("paint " + std::to_string(id));
        const uint8_t before = UserMap(kMap).at(bit.byte);
        EXPECT_EQ(Exchange(click(id)), key_write(bit, static_cast<uint8_t>(before | bit.mask)));
        EXPECT_TRUE(bit_set(bit));
    }
    EXPECT_EQ(Exchange(click(kToolErase)), LightingWrite(profile_, 16, 1));
    EXPECT_EQ(Record(16, 1), std::vector<uint8_t>{1});
    const uint8_t before = UserMap(kMap).at(kBitA.byte);
    EXPECT_EQ(Exchange(click(kKeyA)), key_write(kBitA, static_cast<uint8_t>(before & ~kBitA.mask)));
    EXPECT_FALSE(bit_set(kBitA));
    EXPECT_TRUE(bit_set(kBitKeypad6)) << "erasing A leaves the others";
    EXPECT_EQ(Exchange(click(kG[0])), kNothing) << "G buttons carry no mark of their own";

    const std::vector<uint8_t> zeros(21, 0x00), ones(21, 0xFF);
    EXPECT_EQ(Exchange(click(kClearAll)),
              (std::vector<std::string>{"begin", "begin", Request(0x11, MapOffset(kMap), zeros), "end"}));
    EXPECT_EQ(UserMap(kMap), zeros);
    EXPECT_EQ(Exchange(click(kMarkAll)),
              (std::vector<std::string>{"begin", Request(0x11, MapOffset(kMap), ones), "end"}));
    EXPECT_EQ(UserMap(kMap), ones);
    EXPECT_EQ(Exchange(click(kToolPaint)), LightingWrite(profile_, 16, 0));

    // Outside the per-key mode a key click changes no mark.
    ChooseMode(5);
    EXPECT_EQ(Exchange(click(kKeyQ)), kNothing);
}

// The green frames of the marked keys, read from the screen.
TEST_F(Lighting, MarkedKeysAreFramedGreen) {
    SwitchOn();
    ChooseMode(kPerKeyMode);
    ASSERT_EQ(Exchange([] { return ChooseComboEntry(Main(), kUserMapList, 0); }),
              LightingWrite(profile_, 3, 0));
    // A marked W, Up marked through keypad 6, Q not; the frame is drawn one pixel inside the button.
    EXPECT_EQ(Exchange([] { return Click(Main(), kClearAll); }).size(), 4u);
    for (int id : {kKeyW, kKeypad6}) EXPECT_EQ(Exchange([&] { return Click(Main(), id); }).size(), 3u) << id;
    ASSERT_EQ(Exchange([] { return ChooseComboEntry(Main(), kUserMapList, 0); }),
              LightingWrite(profile_, 3, 0));
    const auto frame_colour = [](int id) {
        RECT r = RectOf(Main(), id);
        POINT at{r.left + 1, (r.top + r.bottom) / 2};
        ClientToScreen(Main(), &at);
        HDC screen = GetDC(nullptr);
        const COLORREF colour = GetPixel(screen, at.x, at.y);
        ReleaseDC(nullptr, screen);
        return colour;
    };
    const std::map<int, COLORREF> expected = {
        {kKeyW, RGB(0, 255, 0)}, {kKeyUp, RGB(0, 255, 0)}, {kKeypad6, RGB(0, 255, 0)}, {kKeyQ, RGB(0, 0, 0)}};
    for (const auto& [id, colour] : expected) {
        EXPECT_TRUE(WaitFor([&] { return frame_colour(id) == colour; }, 10s))
            << "control " << id << " shows " << std::hex << frame_colour(id);
    }
}

// Three notifications while the window is busy writing: one read-back once it is free.
TEST_F(Lighting, ThreeLightingNotificationsBeforeTheFirstTickGiveOneReadBack) {
    ASSERT_TRUE(SimOk(Pipe(), "log clear"));
    ASSERT_TRUE(SimOk(Pipe(), "fault latency 500"));  // the write below takes 1.5 s
    ASSERT_TRUE(Click(Main(), kReport[1]));
    ASSERT_TRUE(WaitFor([] { return !SentRequests(Pipe()).empty(); }, 10s)) << "the write did not start";
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(SimOk(Pipe(), "lighting"));
    const auto read_backs = [] {
        const std::vector<std::string> sent = SentRequests(Pipe());
        return std::count_if(sent.begin(), sent.end(),
                             [](const std::string& r) { return r.rfind("03 ", 0) == 0; });
    };
    EXPECT_TRUE(WaitFor([&] { return read_backs() == 1; }, 20s)) << "no read-back";
    ASSERT_TRUE(SimOk(Pipe(), "fault clear"));
    // All three came in while the write was still going on.
    const std::vector<std::string> traffic = Traffic(Pipe());
    const auto write_end = std::find(traffic.begin(), traffic.end(), "end");
    EXPECT_EQ(std::count(traffic.begin(), write_end, "notice"), 3)
        << "too late for the test to show anything";
    EXPECT_FALSE(WaitFor([&] { return read_backs() > 1; }, 3s)) << read_backs() << " read-backs";
}

TEST_F(Lighting, DefaultPutsTheLightingBack) {
    SwitchOn();
    ChooseMode(5);
    ASSERT_EQ(Exchange([] { return ClickSlider(Main(), kBrightnessSlider, 2); }),
              LightingWrite(profile_, 1, 2));
    ASSERT_EQ(Exchange([] { return Click(Main(), kReport[2]); }), LightingWrite(profile_, 15, 2));

    ASSERT_TRUE(Click(Main(), kDefault));
    ASSERT_TRUE(AnswerMessageBox(Pid(), EnglishText(L"MAIN_PROMPT_DEFAULT"), IDYES, 20s));
    const std::vector<uint8_t> defaults = {0x01, 0x05, 0x03, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x08,
                                           0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0xFF, 0x00,
                                           0x00, 0x00, 0x00, 0xFF, 0xFF, 0x00, 0x00, 0xFF, 0xFF,
                                           0xFF, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0x00, 0x00};
    EXPECT_TRUE(WaitFor([&] { return Record(0, 35) == defaults; }, 20s));
    // Map 1 marks A, W, S, D and the arrows; all ten maps as the keyboard comes.
    EXPECT_EQ(UserMap(0),
              (std::vector<uint8_t>{0x00, 0x08, 0x0C, 0x08, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                                    0x00, 0x00, 0x00, 0x00, 0x00, 0x30, 0x20, 0x20, 0x00, 0x00}));
    EXPECT_EQ(
        Dump(Pipe(), "colours", MapOffset(0), 210),
        std::vector<uint8_t>(model::kDefaultKeyLightPage.begin(), model::kDefaultKeyLightPage.begin() + 210));
    EXPECT_TRUE(WaitFor([] { return ComboSelection(Main(), kModeList) == ModePosition(1); }, 10s));
    EXPECT_EQ(ComboSelection(Main(), kUserMapList), 0);
    EXPECT_EQ(IsChecked(Main(), kReport[0]), true);
    EXPECT_EQ(IsChecked(Main(), kReport[2]), false);
    // The panel knows what the keyboard holds now: the old brightness is a change again.
    EXPECT_EQ(Exchange([] { return ClickSlider(Main(), kBrightnessSlider, 2); }),
              LightingWrite(profile_, 1, 2));
}

TEST_F(Lighting, ScreenshotsOfThePerKeyModeAndOfAModeWithSlidersAndDirections) {
    ShowPerKeyMap();
    Screenshot(std::string("lighting_per_key_") + LanguageTag());
    ChooseMode(1);
    Screenshot(std::string("lighting_mode_1_") + LanguageTag());
}

// The same panel in Simplified Chinese, in a copy of its own.
class LightingInChinese : public Lighting {
  protected:
    static void SetUpTestSuite() { Start(kChineseSimplified); }
};

TEST_F(LightingInChinese, ScreenshotOfThePerKeyMode) {
    ShowPerKeyMap();
    EXPECT_EQ(TextOf(Main(), kLampLabel), LanguageText(kChineseSimplified, L"LIGHT", L"Deng"));
    EXPECT_EQ(TextOf(Main(), kMarkAllLabel), LanguageText(kChineseSimplified, L"LIGHT", L"LEDOFF"));
    Screenshot(std::string("lighting_per_key_") + LanguageTag());
}

}  // namespace
}  // namespace kv::e2e
