// A read-back that fails in the middle while the keyboard stays attached
// leaves the window with the default set; Default then writes nothing, says
// so and offers to read the keyboard again, which brings its keys back.
#include <gtest/gtest.h>

#include "harness/keyboard_copy.h"

namespace kv::e2e {
namespace {

using namespace ids;

std::wstring T(const wchar_t* key) { return EnglishText(key); }

TEST(ReadBackFault, DefaultWritesNothingUntilTheKeyboardIsReadAgain) {
    // The matrix (ten reports) and two settings reads pass; the first read of
    // a key map is refused three times, so the key maps cannot be read.
    KeyboardCopy copy([](const KeyMapPokes& keys) {
        return std::vector<std::string>{keys.Key(0, 0x01E, "02 02 05"), MacroAreaAb(), "fault after 12",
                                        "fault status FF 3"};
    });
    ASSERT_TRUE(copy.Ready()) << copy.Problem();
    const HWND main = copy.Main();
    ASSERT_TRUE(Responds(main));
    EXPECT_EQ(FindMessageBox(copy.Pid(), T(L"MAIN_DEFAULT_MATRIX_PROMPT")), nullptr) << "the matrix was read";
    EXPECT_EQ(IsChecked(main, kKeyA), false) << "the keyboard's assignments are not known";
    EXPECT_EQ(TooltipOf(GetDlgItem(main, kKeyA)).value_or(L""), T(L"IDS_KEYBOARD_A"));
    const std::vector<uint8_t> key_maps = copy.Area("keymaps");
    const std::vector<uint8_t> macros = copy.Area("macro");
    ASSERT_EQ(key_maps.size(), 3u * 512u);

    // Declined: nothing is written, nothing is read.
    ASSERT_TRUE(Click(main, kDefault));
    ASSERT_TRUE(AnswerMessageBox(copy.Pid(), T(L"KEYBOARD_NOT_READ_PROMPT"), IDNO, 10s));
    ASSERT_TRUE(Responds(main));
    EXPECT_EQ(FindMessageBox(copy.Pid(), T(L"MAIN_PROMPT_DEFAULT")), nullptr) << "refused before asking";
    EXPECT_EQ(copy.Area("keymaps"), key_maps);
    EXPECT_EQ(copy.Area("macro"), macros);
    EXPECT_EQ(IsChecked(main, kKeyA), false);

    // Accepted: the keyboard is read again and its keys come back.
    ASSERT_TRUE(Click(main, kDefault));
    ASSERT_TRUE(AnswerMessageBox(copy.Pid(), T(L"KEYBOARD_NOT_READ_PROMPT"), IDYES, 10s));
    EXPECT_TRUE(WaitFor([&] { return IsChecked(main, kKeyA) == true; }, 20s)) << "read again";
    EXPECT_EQ(
        TooltipOf(GetDlgItem(main, kKeyA)).value_or(L""),
        T(L"IDS_KEYBOARD_A") + T(L"KEY_PROMPT_SET") + T(L"KEY_PROMPT_SINGLE") + T(L"IDS_KEYBOARD_B") + L")");
    EXPECT_EQ(copy.Area("keymaps"), key_maps);
    EXPECT_EQ(copy.Area("macro"), macros);

    // From the keyboard's own set Default works as always.
    ASSERT_TRUE(Click(main, kDefault));
    ASSERT_TRUE(AnswerMessageBox(copy.Pid(), T(L"MAIN_PROMPT_DEFAULT"), IDNO, 10s));
    ASSERT_TRUE(Responds(main));
    EXPECT_EQ(copy.Area("keymaps"), key_maps);
}

// A keyboard that names a profile it does not have: no profile's keys are
// shown and no profile button is checked, until a button makes one active.
TEST(ReadBackFault, AnActiveProfileTheKeyboardDoesNotHaveShowsNoAssignments) {
    KeyboardCopy copy([](const KeyMapPokes& keys) {
        return std::vector<std::string>{keys.Key(0, 0x01E, "02 02 05"), keys.Key(1, 0x01E, "00 00 00"),
                                        "poke settings 10 07"};
    });
    ASSERT_TRUE(copy.Ready()) << copy.Problem();
    const HWND main = copy.Main();
    ASSERT_TRUE(Responds(main));
    EXPECT_EQ(IsChecked(main, kKeyA), false);
    EXPECT_EQ(TooltipOf(GetDlgItem(main, kKeyA)).value_or(L""), T(L"IDS_KEYBOARD_A"));
    for (int id : kProfile) EXPECT_EQ(IsChecked(main, id), false) << id;
    EXPECT_EQ(TextOf(main, kProfileManager), T(L"DEFAULT_PROFILE_NAME"));
    EXPECT_TRUE(Responds(main));

    ASSERT_TRUE(Click(main, kProfile[1]));
    EXPECT_TRUE(WaitFor([&] { return copy.Status("active-profile") == "1"; }, 10s));
    EXPECT_TRUE(WaitFor([&] { return IsChecked(main, kProfile[1]) == true; }, 10s));
    // The working set is still not the keyboard's: Default offers to read it.
    EXPECT_EQ(IsChecked(main, kKeyA), false);
    ASSERT_TRUE(Click(main, kDefault));
    ASSERT_TRUE(AnswerMessageBox(copy.Pid(), T(L"KEYBOARD_NOT_READ_PROMPT"), IDYES, 10s));
    EXPECT_TRUE(WaitFor(
        [&] { return TooltipOf(GetDlgItem(main, kKeyA)) == T(L"IDS_KEYBOARD_A") + T(L"KEY_PROMPT_SET"); },
        20s))
        << "profile 2's keys, read again";
    EXPECT_EQ(TextOf(main, kProfileManager), L"$Profile0");
}

}  // namespace
}  // namespace kv::e2e
