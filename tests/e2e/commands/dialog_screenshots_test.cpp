// The profile manager and the firmware update dialog in the running program,
// in English and in Simplified Chinese: their captions come from the
// language, and each is saved for review.
#include <gtest/gtest.h>

#include "commands_fixture.h"
#include "harness/harness.h"
#include "harness/shown_copy.h"
#include "sub_dialog_driver.h"

namespace kv::e2e {
namespace {

using namespace ids;

constexpr auto kStep = 30s;

// What the screen shows of the dialog once it is on top and painted.
bool SaveOnTop(HWND dialog, const std::wstring& name) {
    WaitFor([&] { return GetForegroundWindow() == dialog; }, 10s);
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    return Responds(dialog) && SaveScreenshot(dialog, ScreenshotFolder() + name);
}

TEST(SubDialogScreenshots, BothDialogsInEachLanguage) {
    struct Case {
        DWORD language;
        const wchar_t* suffix;
    };
    for (const Case& c : {Case{kEnglish, L"en"}, Case{kChineseSimplified, L"zh-CN"}}) {
        ShownCopy copy(c.language);
        ASSERT_TRUE(copy.Ready()) << copy.Problem();
        const HWND main = copy.Main();
        const DWORD pid = copy.Process().pid;
        const auto text = [&](const wchar_t* key) { return LanguageText(c.language, L"TEXT", key); };

        ASSERT_TRUE(Click(main, kProfileManager));
        HWND manager = nullptr;
        ASSERT_TRUE(WaitFor([&] { return (manager = FindProfileManager(pid)) != nullptr; }, kStep));
        HWND list = GetDlgItem(manager, kManagerList);
        ASSERT_TRUE(
            WaitFor([&] { return ListRows(list).value_or(std::vector<ListRow>{}).size() == 3; }, kStep));
        EXPECT_EQ(TextOf(manager, IDOK), text(L"PROFILE_OK"));
        EXPECT_EQ(TextOf(manager, kManagerAdd), text(L"PROFILE_NEW"));
        EXPECT_TRUE(SaveOnTop(manager, std::wstring(L"profile_manager_") + c.suffix + L".png"));
        ASSERT_TRUE(Click(manager, IDCANCEL));
        ASSERT_TRUE(WaitFor([&] { return FindProfileManager(pid) == nullptr; }, kStep));

        ASSERT_TRUE(ChooseBackupMenuItem(main, pid, 4));
        HWND update = nullptr;
        ASSERT_TRUE(WaitFor([&] { return (update = FindUpdateDialog(pid)) != nullptr; }, kStep));
        EXPECT_EQ(TextOf(update, kUpdateStart), text(L"UPDATE_START"));
        EXPECT_TRUE(SaveOnTop(update, std::wstring(L"firmware_update_") + c.suffix + L".png"));
        ASSERT_TRUE(Click(update, kUpdateCancel));
        ASSERT_TRUE(WaitFor([&] { return FindUpdateDialog(pid) == nullptr; }, kStep));
    }
}

}  // namespace
}  // namespace kv::e2e
