// Texts: 'PA' relabels the open dialog in the current language, the
// record-delays option lives under a name of each language, and macro-only
// mode shows only the macro page.
#include <gtest/gtest.h>

#include "tests/win/composite/composite_fixture.h"

namespace kv::ui::test {
namespace {

constexpr int kIndexA = 0x1E;

TEST_F(CompositeTest, LanguageMessageRelabelsTheOpenDialog) {
    SetWorkingMacros({MakeMacro(1, u"M", {{10, 0x1E, 0}})});
    Open(kButtonA, [&] {
        EXPECT_EQ(TextOf(IDOK), L"OK");
        EXPECT_EQ(TextOf(IDC_COMP_TAB_KEY), L"Key");
        EXPECT_EQ(ComboText(IDC_COMP_MEDIA_LIST, 1), L"Play/Pause");
        host.texts.language = 1;
        SendMessageW(Dlg(), kCompositeLanguageMessage, 0x1234, 1);
        EXPECT_EQ(TextOf(IDOK), L"OK") << "another code is not a language change";
        SendMessageW(Dlg(), kCompositeLanguageMessage, kCompositeLanguageCode, 1);
        const struct {
            int id;
            const wchar_t* key;
        } texts[] = {
            {IDOK, L"MACRO_OK"},
            {IDCANCEL, L"MACRO_CANCLE"},
            {IDC_COMP_APPLY, L"APPLY_PROMPT"},
            {IDC_COMP_TAB_KEY, L"SINGLE_KEY"},
            {IDC_COMP_TAB_MACRO, L"MACRO_SETTING"},
            {IDC_COMP_TAB_MEDIA, L"MULTI_MEDIA"},
            {IDC_COMP_TAB_FUNCTION, L"FUNCTION_KEY"},
            {IDC_COMP_HEADING, L"KEY_SETTING_TISHI"},
            {IDC_COMP_KEY_LABEL, L"SINGLE_STATIC"},
            {IDC_COMP_KEYBOARD_LABEL, L"IDS_MACRO_KB_KEY"},
            {IDC_COMP_MOUSE_LABEL, L"IDS_MACRO_MOU_KEY"},
            {IDC_COMP_MACRO_LABEL, L"MACRO_NAME_SETTING"},
            {IDC_COMP_CYCLES_LABEL, L"MACRO_CYCLES"},
            {IDC_COMP_RECORD, L"A_RECORD"},
            {IDC_COMP_RECORD_DELAYS_LABEL, L"RECORD_DELAY"},
            {IDC_COMP_MEDIA_LABEL, L"MEDIA_EDIT_TISHI"},
            {IDC_COMP_FUNCTION_LABEL, L"FUNCTION_TISHI"},
            {IDC_COMP_TITLE, L"COMPOSITE_TITLE"},
        };
        for (const auto& t : texts) EXPECT_EQ(TextOf(t.id), host.texts.Get(t.key)) << t.id;
        EXPECT_EQ(TextOf(IDC_COMP_TAB_KEY), L"\u5355\u952e");
        EXPECT_EQ(ComboText(IDC_COMP_MEDIA_LIST, 1), host.texts.Get(L"MEDIA_PALY_PAUSE_2"));
        EXPECT_EQ(ComboText(IDC_COMP_MOUSE_LIST, 0), host.texts.Get(L"IDS_KEYBOARD_MOU_LEFT"));
        EXPECT_EQ(ComboText(IDC_COMP_FUNCTION_LIST, 0), host.texts.Get(L"FUNC_KEY_DESC1"));
        EXPECT_EQ(ComboRow(IDC_COMP_MEDIA_LIST), 0) << "the choice stays";
    });
}

TEST_F(CompositeTest, TheMouseListOffersTheFiveMouseFunctions) {
    Open(kButtonA, [&] {
        ASSERT_EQ(ComboCount(IDC_COMP_MOUSE_LIST), 5);
        const wchar_t* keys[] = {L"IDS_KEYBOARD_MOU_LEFT", L"IDS_KEYBOARD_MOU_RIGHT",
                                 L"IDS_KEYBOARD_MOU_MIDDLE", L"IDS_KEYBOARD_ROLL_UP",
                                 L"IDS_KEYBOARD_ROLL_DOWN"};
        for (int row = 0; row < 5; ++row)
            EXPECT_EQ(ComboText(IDC_COMP_MOUSE_LIST, row), host.texts.Get(keys[row]));
        EXPECT_EQ(ComboRow(IDC_COMP_MOUSE_LIST), 0);
        EXPECT_FALSE(Visible(IDC_COMP_MOUSE_LIST)) << "until the mouse is chosen";
        Click(IDC_COMP_MOUSE_CHOICE);
        EXPECT_TRUE(Visible(IDC_COMP_MOUSE_LIST));
        EXPECT_TRUE(Enabled(IDC_COMP_MOUSE_LIST));
        EXPECT_TRUE(Ticked(IDC_COMP_MOUSE_CHOICE));
        EXPECT_FALSE(Ticked(IDC_COMP_KEYBOARD_CHOICE));
        // Another page hides it, the key page brings it back while the mouse stays chosen.
        Click(IDC_COMP_TAB_MEDIA);
        EXPECT_FALSE(Visible(IDC_COMP_MOUSE_LIST));
        Click(IDC_COMP_TAB_KEY);
        EXPECT_TRUE(Visible(IDC_COMP_MOUSE_LIST));
        Click(IDC_COMP_KEYBOARD_CHOICE);
        EXPECT_FALSE(Visible(IDC_COMP_MOUSE_LIST));
        EXPECT_FALSE(Enabled(IDC_COMP_MOUSE_LIST));
    });
}

TEST_F(CompositeTest, AStoredMouseKeyOpensOnTheMouseChoice) {
    SetEntry(0, kIndexA, {2, 0, 0x161, 0, 0});
    Open(kButtonA, [&] {
        EXPECT_TRUE(Ticked(IDC_COMP_MOUSE_CHOICE));
        EXPECT_EQ(ComboRow(IDC_COMP_MOUSE_LIST), 3);
        EXPECT_FALSE(Enabled(IDC_COMP_KEY_BOX));
    });
}

TEST_F(CompositeTest, TheRecordDelaysOptionIsKeptPerLanguage) {
    const std::wstring english = host.texts.Get(L"MACRO_ACTION_RECORD_DELAY");
    host.texts.language = 1;
    const std::wstring chinese = host.texts.Get(L"MACRO_ACTION_RECORD_DELAY");
    ASSERT_NE(english, chinese);
    host.values.WriteString(app::kProfilesSection, english.c_str(), L"1");
    host.values.WriteString(app::kProfilesSection, chinese.c_str(), L"5");
    SetWorkingMacros({MakeMacro(1, u"M", {})});
    SetEntry(0, kIndexA, {4, 1, 1, 0, 0});
    Open(kButtonA, [&] { EXPECT_FALSE(Ticked(IDC_COMP_RECORD_DELAYS)) << "\"5\" reads as off"; });
    EXPECT_EQ(host.values.GetString(app::kProfilesSection, chinese.c_str(), L""), L"0")
        << "written back normalised";
    host.texts.language = 0;
    Open(kButtonA, [&] {
        EXPECT_TRUE(Ticked(IDC_COMP_RECORD_DELAYS));
        SendMessageW(Item(IDC_COMP_RECORD_DELAYS), BM_CLICK, 0, 0);  // as the mouse clicks it
    });
    EXPECT_EQ(host.values.GetString(app::kProfilesSection, english.c_str(), L""), L"0");
}

TEST_F(CompositeTest, MacroOnlyModeShowsTheMacroPageAlone) {
    SetWorkingMacros({MakeMacro(1, u"M", {})});
    const INT_PTR result = Open(kButtonG9, [&] {
        EXPECT_TRUE(dialog->MacroOnly());
        EXPECT_EQ(dialog->CurrentPage(), composite::Page::kMacro);
        EXPECT_EQ(TextOf(IDC_COMP_HEADING), host.texts.Get(L"MACRO_EDIT_TISHI"));
        EXPECT_EQ(TextOf(IDC_COMP_TITLE), host.texts.Get(L"COMPOSITE_MACRO_TITLE"));
        for (int id :
             {IDC_COMP_TAB_KEY, IDC_COMP_TAB_MEDIA, IDC_COMP_TAB_FUNCTION, IDC_COMP_CLEAR, IDC_COMP_TITLE})
            EXPECT_FALSE(Enabled(id)) << id;
        for (int id : {IDC_COMP_TAB_KEY, IDC_COMP_TAB_MEDIA, IDC_COMP_TAB_FUNCTION})
            EXPECT_EQ(TextOf(id), L"") << id;
        for (int id : {IDC_COMP_KEY_LABEL, IDC_COMP_MEDIA_LABEL, IDC_COMP_FUNCTION_LABEL})
            EXPECT_FALSE(Visible(id)) << id;
        RECT window{};
        GetWindowRect(Dlg(), &window);
        EXPECT_EQ(window.left, (GetSystemMetrics(SM_CXSCREEN) - (window.right - window.left)) / 2)
            << "centred";
        Click(IDOK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(Entry(0, model::GKeyIndex(model::GLayer::kA, 9)), (model::KeyAssignment{4, 1, 1, 0, 0}));
}

TEST_F(CompositeTest, FontsAreMadeOnceForAllOpenings) {
    HFONT fonts[2] = {};
    for (HFONT& font : fonts)
        Open(kButtonA,
             [&] { font = reinterpret_cast<HFONT>(SendMessageW(Item(IDC_COMP_KEY_BOX), WM_GETFONT, 0, 0)); });
    EXPECT_NE(fonts[0], nullptr);
    EXPECT_EQ(fonts[0], fonts[1]);
}

}  // namespace
}  // namespace kv::ui::test
