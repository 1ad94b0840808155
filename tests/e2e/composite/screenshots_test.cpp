// Screenshots of the real program's assignment dialog for review, in English
// and in Simplified Chinese: the four pages, a macro with actions, a
// recording in progress, and the main window with the dialog beside it.
#include <gtest/gtest.h>

#include <cstdio>

#include "composite_driver.h"
#include "model/keys/key_buttons.h"
#include "ui/dialogs/composite/composite_ids.h"

namespace kv::e2e {
namespace {

using namespace ids;

std::vector<std::string> WithMacro(const KeyMapPokes& keys) {
    return {keys.Key(0, 0x1F, "05 01 00"), MacroAreaAb()};
}

void Shot(HWND window, const std::wstring& name) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    ASSERT_TRUE(Responds(window));
    const std::wstring path = ScreenshotFolder() + name;
    ASSERT_TRUE(SaveScreenshot(window, path));
    EXPECT_GT(FileSize(path), 10000) << "an empty picture";
    std::printf("screenshot: %ls\n", path.c_str());
}

class DialogScreenshots : public ::testing::TestWithParam<DWORD> {};

TEST_P(DialogScreenshots, EveryPageAMacroAndARecording) {
    const DWORD language = GetParam();
    const std::wstring tag = language == kEnglish ? L"en-US" : L"zh-CN";
    KeyboardCopy copy(WithMacro, language);
    ASSERT_TRUE(copy.Ready()) << copy.Problem();
    int key_s = 0;
    for (const model::KeyButton& b : model::KeyButtons())
        if (b.code == 0x1F) key_s = b.control_id;

    HWND dialog = OpenAssignmentDialog(copy, kKeyA);
    ASSERT_TRUE(dialog);
    Shot(dialog, L"composite_key_page_" + tag + L".png");
    ASSERT_TRUE(Click(dialog, IDC_COMP_MOUSE_CHOICE));
    ASSERT_TRUE(WaitFor([&] { return IsShown(dialog, IDC_COMP_MOUSE_LIST); }, 10s));
    Shot(dialog, L"composite_key_page_mouse_" + tag + L".png");
    ASSERT_TRUE(Click(dialog, IDC_COMP_TAB_MEDIA));
    ASSERT_TRUE(WaitFor([&] { return IsShown(dialog, IDC_COMP_MEDIA_LIST); }, 10s));
    Shot(dialog, L"composite_media_page_" + tag + L".png");
    ASSERT_TRUE(Click(dialog, IDC_COMP_TAB_FUNCTION));
    ASSERT_TRUE(WaitFor([&] { return IsShown(dialog, IDC_COMP_FUNCTION_LIST); }, 10s));
    Shot(dialog, L"composite_function_page_" + tag + L".png");
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitUntilDialogCloses(copy.Pid()));

    dialog = OpenAssignmentDialog(copy, key_s);
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(WaitFor([&] { return ActionRowCount(dialog) == 2; }, 10s));
    Shot(dialog, L"composite_macro_page_" + tag + L".png");
    Shot(copy.Main(), L"composite_beside_main_" + tag + L".png");
    ASSERT_TRUE(Click(dialog, IDC_COMP_RECORD));
    ASSERT_TRUE(WaitFor([&] { return ActionRowCount(dialog) == 2 && Responds(dialog); }, 10s));
    ASSERT_TRUE(PressKeys(dialog, {VK_LCONTROL, 'C'}));
    ASSERT_TRUE(WaitFor([&] { return ActionRowCount(dialog) == 6; }, 10s));
    Shot(dialog, L"composite_recording_" + tag + L".png");
    ASSERT_TRUE(Click(dialog, IDC_COMP_RECORD));
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitUntilDialogCloses(copy.Pid()));
    ChooseEnglish();
}

INSTANTIATE_TEST_SUITE_P(Languages, DialogScreenshots, ::testing::Values(kEnglish, kChineseSimplified));

}  // namespace
}  // namespace kv::e2e
