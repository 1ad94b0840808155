// The main window as the read-back leaves it: every control of its template
// at its id and class, placed where the skin says, dressed with the faces,
// captions and states the window starts with.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/settings/language_texts.h"
#include "harness/harness.h"
#include "harness/shown_copy.h"
#include "model/keys/key_buttons.h"
#include "ui/kit/image_file.h"
#include "ui/kit/skin_entry.h"

namespace kv::e2e {
namespace {

using namespace ids;

// Every control of template 102 and its window class.
std::map<int, std::wstring> TemplateControls() {
    std::map<int, std::wstring> controls;
    const auto put = [&](std::initializer_list<int> list, const wchar_t* cls) {
        for (int id : list) controls[id] = cls;
    };
    put({kOk, kCancel}, L"Button");
    for (int id = 1000; id <= 1144; ++id)
        controls[id] = L"Button";  // G, commands, keys, indicators, profiles
    put({kTrackbar1, kTrackbar2}, L"msctls_trackbar32");
    put({kModeList, kUserMapList}, L"ComboBox");
    put({1147, 1168, 1169, 1170, kFn, kFacebook, kTwitter}, L"Button");
    put({1152, 1155, 1158, 1160, 1162, 1187, 1191}, L"Button");  // colour buttons
    put({1148, 1149, 1150, 1151, 1154, 1156, 1157, 1159, 1161, 1163, 1164, 1165, 1166, 1167,
         1171, 1172, 1173, 1175, 1176, 1177, 1178, 1179, 1180, 1181, 1182, 1183, 1184, 1185,
         1186, 1188, 1189, 1190, 1192, 1193, 1194, 1195, 1196, 1197, 1204, 1207, 1208},
        L"Static");
    return controls;
}

struct Placed {
    int id;
    const wchar_t* entry;
};

// Controls and the "BUTTONINFO" entry each is placed by (the key buttons come from the key table).
const std::vector<Placed>& PlacedControls() {
    static const std::vector<Placed> placed = [] {
        std::vector<Placed> list = {
            {kOk, L"CONTROL_OK"},
            {kCancel, L"CONTROL_CANCEL"},
            {kProfileManager, L"FUNC_PROFILES"},
            {kApply, L"CONTROL2_APPLY"},
            {kMacro, L"FUNC_MACRO"},
            {kMakerLink, L"TORVIK_LINK"},
            {kHelp, L"CONTROL_HELP"},
            {kMinimize, L"CONTROL_MINIMIZE"},
            {kClose, L"CONTROL_CLOSE"},
            {1125, L"LOCK_CAPS"},
            {1126, L"LOCK_NUM"},
            {1127, L"LOCK_SCROLL"},
            {1128, L"LOCK_AB"},
            {kFlip0, L"FLIP_0"},
            {kFlip1, L"FLIP_1"},
            {kFlip2, L"FLIP_2"},
            {kLeftArrow, L"LEFT_ARROW"},
            {kRightArrow, L"RIGHT_ARROW"},
            {kVersion, L"TORVIK_VER"},
            {1135, L"FUNC_PROFILE1"},
            {1136, L"FUNC_PROFILE2"},
            {1137, L"FUNC_PROFILE3"},
            {kDefault, L"FUNC_DEFAULT"},
            {kMenu, L"CONTROL_MENU"},
            {kSwitch, L"FUNC_SWITCH"},
            {1147, L"FUNC_REPORT1"},
            {1168, L"FUNC_REPORT2"},
            {1169, L"FUNC_REPORT3"},
            {1170, L"FUNC_REPORT4"},
            {kFn, L"KEY_FN"},
            {kFacebook, L"FACEBOOK_LINK"},
            {kTwitter, L"TWITTER_LINK"},
            // Lighting panel.
            {kLamp, L"CONTROL_DengStaPic"},
            {kLampLabel, L"CONTROL_DengStatic"},
            {kModeList, L"CONTROL_XGcombox"},
            {kBrightnessLabel, L"CONTROL_LightStatic"},
            {kBrightnessSlider, L"CONTROL_LightSlider"},
            {kSpeedLabel, L"CONTROL_SpeedStatic"},
            {kSpeedSlider, L"CONTROL_SpeedSlider"},
            {kDirectionLabel, L"CONTROL_BLFXStatic"},
            {kDirectionFirst, L"CONTROL_BLFXLStaPic"},
            {kDirectionSecond, L"CONTROL_BLFXRStaPic"},
            {kUserMapList, L"CONTROL_umCombo"},
            {kToolLabel, L"CONTROL_USERgjStatic"},
            {kToolPaint, L"CONTROL_USERgjStaPic1"},
            {kToolErase, L"CONTROL_USERgjStaPic2"},
            {kClearAll, L"CONTROL_HXsjsStaPic"},
            {kClearAllLabel, L"CONTROL_HXsjsStatic"},
            {kMarkAll, L"CONTROL_LEDsjsStaPic"},
            {kMarkAllLabel, L"CONTROL_LEDsjsStatic"},
            {kBusyIndicator, L"CONTROL_JDTStatic"},
            {kUsbLabel, L"CONTROL_UsbStatic"},
            // Never shown, but placed all the same.
            {1151, L"CONTROL_FYYSStatic"},
            {1152, L"CONTROL_FYYSButton"},
            {1154, L"CONTROL_HXysStatic"},
            {1155, L"CONTROL_HXysButton"},
            {1157, L"CONTROL_JTysStatic"},
            {1158, L"CONTROL_JTysButton"},
            {1159, L"CONTROL_USERysStatic"},
            {1160, L"CONTROL_USERysButton"},
            {1161, L"CONTROL_USERjsStatic"},
            {1162, L"CONTROL_USERjsButton"},
            {1186, L"CONTROL_TSysStatic"},
            {1187, L"CONTROL_TSysButton"},
            {1190, L"CONTROL_CDysStatic"},
            {1191, L"CONTROL_CDysButton"},
            {1175, L"CONTROL_FYSJSStaPic"},
            {1176, L"CONTROL_FYSJSStatic"},
            {1188, L"CONTROL_TSsjsStatic"},
            {1189, L"CONTROL_TSsjsStaPic"},
            {1192, L"CONTROL_CDsjsStatic"},
            {1193, L"CONTROL_CDsjsStaPic"},
            {1180, L"CONTROL_FYCFStatic"},
            {1181, L"CONTROL_FYdjcfStatic"},
            {1182, L"CONTROL_FYggcfStatc"},
            {1183, L"CONTROL_FYdjcfStaPic"},
            {1184, L"CONTROL_FYggcfStaPic"},
            {1194, L"CONTROL_HONGPIC"},
            {1195, L"CONTROL_HUANGPIC"},
            {1196, L"CONTROL_LVPIC"},
            {1197, L"CONTROL_LANPIC"},
        };
        static const wchar_t* kGEntries[] = {L"FUNC_G1", L"FUNC_G2", L"FUNC_G3", L"FUNC_G4", L"FUNC_G5",
                                             L"FUNC_G6", L"FUNC_G7", L"FUNC_G8", L"FUNC_G9"};
        for (int n = 0; n < 9; ++n) list.push_back({kG[n], kGEntries[n]});
        static std::vector<std::wstring> key_entries;
        for (const model::KeyButton& key : model::KeyButtons())
            key_entries.push_back(app::ToWide(model::KeySkinEntryName(key.code)));
        for (size_t i = 0; i < model::KeyButtons().size(); ++i)
            list.push_back({model::KeyButtons()[i].control_id, key_entries[i].c_str()});
        return list;
    }();
    return placed;
}

std::string Name(int id) { return "control " + std::to_string(id); }

class Dressed : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { shown_ = new ShownCopy(); }
    static void TearDownTestSuite() {
        delete shown_;
        shown_ = nullptr;
    }
    void SetUp() override { ASSERT_TRUE(shown_->Ready()) << shown_->Problem(); }

    static HWND Main() { return shown_->Main(); }
    static ProgramCopy& Copy() { return shown_->Copy(); }
    static ShownCopy* shown_;
};
ShownCopy* Dressed::shown_ = nullptr;

TEST_F(Dressed, EveryControlOfTheTemplateIsThereWithItsClass) {
    const std::map<int, std::wstring> expected = TemplateControls();
    EXPECT_EQ(expected.size(), 206u);
    for (const auto& [id, cls] : expected) {
        HWND control = GetDlgItem(Main(), id);
        ASSERT_NE(control, nullptr) << Name(id);
        EXPECT_EQ(ClassOf(control), cls) << Name(id);
    }
    // And nothing else.
    for (HWND child = GetWindow(Main(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        EXPECT_TRUE(expected.count(GetDlgCtrlID(child))) << Name(GetDlgCtrlID(child));
}

TEST_F(Dressed, TheWindowTakesTheSizeOfTheSkinsBackground) {
    const std::wstring background = ui::ReadSkinText(Copy().MainSkin(), L"SCREEN", L"Main");
    const auto image = ui::LoadImagePixels(Copy().Folder() + L"Skins\\" + background);
    ASSERT_TRUE(image.has_value()) << "no background image";
    RECT client{};
    GetClientRect(Main(), &client);
    EXPECT_EQ(client.right, image->width);
    EXPECT_EQ(client.bottom, image->height);
}

TEST_F(Dressed, EveryControlSitsWhereItsSkinEntrySays) {
    std::set<int> seen;
    for (const Placed& p : PlacedControls()) {
        EXPECT_TRUE(seen.insert(p.id).second) << Name(p.id) << " listed twice";
        const ui::SkinEntry entry = ui::ReadSkinEntry(Copy().MainSkin(), ui::kSkinButtonSection, p.entry);
        ASSERT_FALSE(entry.from_default) << "the skin has no entry for " << Name(p.id);
        const RECT r = RectOf(Main(), p.id);
        EXPECT_EQ(r.left, entry.rect.x) << Name(p.id);
        EXPECT_EQ(r.top, entry.rect.y) << Name(p.id);
        EXPECT_EQ(r.right - r.left, entry.rect.w) << Name(p.id);
        // A combo box's entry also holds its drop-down list.
        if (ClassOf(GetDlgItem(Main(), p.id)) != L"ComboBox") {
            EXPECT_EQ(r.bottom - r.top, entry.rect.h) << Name(p.id);
        }
    }
    EXPECT_EQ(seen.size(), 104u + 9u + 32u + 49u);
}

// The states the window starts with, in English.
TEST_F(Dressed, StartsWithTheStatesAndTextsOfTheConstruction) {
    EXPECT_FALSE(IsEnabled(Main(), kApply)) << "nothing is pending after a read-back";
    const struct {
        int id;
        const wchar_t* key;
    } captions[] = {{1135, L"PROFILE_1"},         {1136, L"PROFILE_2"},           {1137, L"PROFILE_3"},
                    {kMacro, L"PROFILE_MACRO"},   {kDefault, L"PROFILE_DEFAULT"}, {kOk, L"PROFILE_OK"},
                    {kCancel, L"PROFILE_CANCLE"}, {kApply, L"PROFILE_APPLY"}};
    for (const auto& c : captions) EXPECT_EQ(TextOf(Main(), c.id), EnglishText(c.key)) << Name(c.id);
    EXPECT_EQ(TextOf(Main()), EnglishText(L"MAIN_CAPTION"));
    EXPECT_EQ(TextOf(Main(), kLampLabel), LanguageText(kEnglish, L"LIGHT", L"Deng"));
    EXPECT_EQ(TextOf(Main(), kUsbLabel), LanguageText(kEnglish, L"LIGHT", L"Usb"));

    // The version label shows no text and is disabled; G6..G9 and the indicators stay disabled.
    EXPECT_EQ(TextOf(Main(), kVersion), L"");
    for (int id :
         {kVersion, kG[5], kG[6], kG[7], kG[8], 1125, 1126, 1127, 1128, kFlip0, kLeftArrow, kRightArrow})
        EXPECT_FALSE(IsEnabled(Main(), id)) << Name(id);
    for (int n = 0; n < 5; ++n) EXPECT_TRUE(IsEnabled(Main(), kG[n])) << Name(kG[n]);

    // Controls without a visible style in the template never show.
    for (int id : {kTestButton, kDynamicMenu, kKeyUnused, kSwitch, kTrackbar1, kTrackbar2})
        EXPECT_FALSE(IsShown(Main(), id)) << Name(id);

    // Switched off, the lighting panel shows only the lamp, its label and the report rate.
    for (int id : {kLamp, kLampLabel, kUsbLabel, 1147, 1168, 1169, 1170})
        EXPECT_TRUE(IsShown(Main(), id)) << Name(id);
    for (int id : {kModeList, kBrightnessLabel, kBrightnessSlider, kSpeedLabel, kSpeedSlider, kDirectionLabel,
                   kDirectionFirst, kDirectionSecond, kUserMapList, kToolLabel, kToolPaint, kToolErase,
                   kClearAll, kClearAllLabel, kMarkAll, kMarkAllLabel, kBusyIndicator})
        EXPECT_FALSE(IsShown(Main(), id)) << Name(id);
    for (int id = 1151; id <= 1197; ++id) {
        if (ClassOf(GetDlgItem(Main(), id)) == L"Button" && id != 1168 && id != 1169 && id != 1170 &&
            id != kFn) {
            EXPECT_FALSE(IsShown(Main(), id)) << Name(id) << ": colour buttons never show";
        }
    }

    // The user-map selector lists its ten entries as they stand, whatever the language.
    std::vector<std::wstring> maps;
    for (int n = 1; n <= 10; ++n) maps.push_back(L"USER_MODE" + std::to_wstring(n));
    EXPECT_EQ(ComboItems(Main(), kUserMapList), maps);

    // The image buttons answer the check message: no key is marked; of the
    // report-rate buttons the keyboard's own rate (the first, as it comes) is.
    const std::pair<int, bool> marks[] = {{kF1, false},        {kKeyA, false},      {kG[0], false},
                                          {kFn, false},        {kReport[0], true},  {kReport[1], false},
                                          {kReport[2], false}, {kReport[3], false}};
    for (auto [id, marked] : marks) {
        const std::optional<bool> checked = IsChecked(Main(), id);
        ASSERT_TRUE(checked.has_value()) << Name(id);
        EXPECT_EQ(*checked, marked) << Name(id);
    }
    EXPECT_EQ(IsChecked(Main(), 1135), true);
    EXPECT_EQ(IsChecked(Main(), 1136), false);
}

TEST_F(Dressed, TitleButtonsCarryTheirTooltips) {
    const struct {
        int id;
        std::wstring tip;
    } tips[] = {
        {kMakerLink, ui::ReadSkinText(Copy().MainSkin(), L"SCREEN", L"Link")},
        {kFacebook, ui::ReadSkinText(Copy().MainSkin(), L"SCREEN", L"Facebook_Link")},
        {kTwitter, ui::ReadSkinText(Copy().MainSkin(), L"SCREEN", L"Twitter_Link")},
        {kHelp, EnglishText(L"MAIN_HELP_PROMPT")},
        {kClose, EnglishText(L"MAIN_CLOSE_PROMPT")},
        {kMinimize, EnglishText(L"MAIN_MINIMIZE_PROMPT")},
        {kMenu, EnglishText(L"MAIN_MENU_PROMPT")},
    };
    for (const auto& t : tips) {
        ASSERT_FALSE(t.tip.empty()) << Name(t.id);
        EXPECT_EQ(TooltipOf(GetDlgItem(Main(), t.id)).value_or(L"<none>"), t.tip) << Name(t.id);
    }
    EXPECT_FALSE(TooltipOf(GetDlgItem(Main(), kOk)).has_value()) << "OK has no tooltip";
}

TEST_F(Dressed, AClickNeedsAVisibleEnabledControl) {
    EXPECT_FALSE(Click(Main(), kG[5])) << "G6 is disabled";
    EXPECT_FALSE(Click(Main(), kSwitch)) << "the switch button is hidden";
    EXPECT_FALSE(Click(Main(), 4000)) << "no such control";
    EXPECT_TRUE(Responds(Main()));
}

// The flip toggles swap F1..F4 for D1..D6 and keep the choice in "PROFILES"/"Flip".
TEST_F(Dressed, FlipTogglesSwapTheTopRow) {
    const auto flip_value = [] {
        wchar_t value[16] = {};
        DWORD size = sizeof value;
        if (RegGetValueW(HKEY_CURRENT_USER, L"Software\\Kelvarin_Ostrand\\Kelvarin\\PROFILES", L"Flip",
                         RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
            return std::wstring(L"<none>");
        return std::wstring(value);
    };
    ASSERT_TRUE(IsEnabled(Main(), kF1));
    const struct {
        int toggle;
        const wchar_t* stored;
        bool flipped;
    } steps[] = {{kFlip1, L"1", true}, {kFlip2, L"0", false}, {kFlip2, L"1", true}, {kFlip1, L"0", false}};
    for (const auto& step : steps) {
        ASSERT_TRUE(Click(Main(), step.toggle));
        EXPECT_TRUE(WaitFor([&] { return flip_value() == step.stored; }, 10s)) << step.stored;
        // The row changes one button at a time: wait for its last one.
        EXPECT_TRUE(WaitFor(
            [&] {
                return IsEnabled(Main(), kD1) == step.flipped && IsEnabled(Main(), kD6) == step.flipped &&
                       IsEnabled(Main(), kF4) == !step.flipped;
            },
            10s));
        for (int id = kF1; id <= kF4; ++id) EXPECT_EQ(IsEnabled(Main(), id), !step.flipped) << Name(id);
        for (int id = kD1; id <= kD6; ++id) EXPECT_EQ(IsEnabled(Main(), id), step.flipped) << Name(id);
    }
}

// A skin without the F1 entry leaves that button 1 x 1 at (1, 1), disabled.
TEST(SkinWithAMissingEntry, LeavesItsButtonOutAndDisabled) {
    ChooseEnglish();
    ProgramCopy copy(kSimulatedKeyboard);
    ASSERT_TRUE(WritePrivateProfileStringW(L"BUTTONINFO", L"KEY_03B", nullptr, copy.MainSkin().c_str()));
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, copy.MainSkin().c_str());
    const Child child = copy.Launch(L"/Start");
    const HWND main = WaitUntilReady(child.pid, 60s);
    ASSERT_NE(main, nullptr);
    const RECT f1 = RectOf(main, kF1);
    EXPECT_EQ(f1.left, 1);
    EXPECT_EQ(f1.top, 1);
    EXPECT_EQ(f1.right - f1.left, 1);
    EXPECT_EQ(f1.bottom - f1.top, 1);
    EXPECT_FALSE(IsEnabled(main, kF1));
    EXPECT_TRUE(IsEnabled(main, kF1 + 1)) << "F2 keeps its place";
}

}  // namespace
}  // namespace kv::e2e
