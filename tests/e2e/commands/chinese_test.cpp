// The about box and the busy animation in Simplified Chinese, saved for
// review; then an exit while the backup/restore menu is open.
#include <gtest/gtest.h>

#include <cstdio>

#include "commands_fixture.h"
#include "harness/harness.h"
#include "harness/shown_copy.h"

namespace kv::e2e {
namespace {

using namespace ids;

constexpr auto kStep = 30s;

std::wstring Chinese(const wchar_t* key) { return LanguageText(kChineseSimplified, L"TEXT", key); }

TEST(InSimplifiedChinese, AboutBoxBusyAnimationAndAnExitUnderTheMenu) {
    ShownCopy copy(kChineseSimplified);
    ASSERT_TRUE(copy.Ready()) << copy.Problem();
    const HWND main = copy.Main();
    const DWORD pid = copy.Process().pid;
    const std::wstring pipe = copy.Copy().SimPipe();

    // The whole window painted once before the checks begin.
    ASSERT_TRUE(Responds(main));
    RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    ASSERT_TRUE(Responds(main));
    PostCommand(main, kTrayAbout);
    HWND about = nullptr;
    ASSERT_TRUE(WaitFor(
        [&] {
            return (about = FindWindowWithControls(pid, {1205, 1206, 1124, IDOK})) != nullptr;
        },
        kStep));
    EXPECT_EQ(TextOf(about), Chinese(L"LANG_ABOUT_TITLE"));
    EXPECT_EQ(TextOf(about, 1205), Chinese(L"GUANYU_BANQUAN"));
    EXPECT_EQ(TextOf(about, IDOK), Chinese(L"LANG_ABOUT_OK"));
    EXPECT_TRUE(SaveScreenshot(about, ScreenshotFolder() + L"commands_about_zh-CN.png"));
    ASSERT_TRUE(Click(about, IDOK));
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(about); }, kStep));

    ASSERT_TRUE(SimOk(pipe, "fault latency 150"));
    ASSERT_TRUE(Click(main, kDefault));
    ASSERT_TRUE(AnswerMessageBox(pid, Chinese(L"MAIN_PROMPT_DEFAULT"), IDYES, kStep));
    HWND indicator = GetDlgItem(main, kBusyIndicator);
    ASSERT_TRUE(WaitFor([&] { return HasVisibleStyle(indicator); }, kStep));
    // A few frames in, so that the picture shows the animation under way.
    LRESULT first = 0;
    bool turned = WaitFor(
        [&] {
            DWORD_PTR image = 0;
            SendMessageTimeoutW(indicator, STM_GETIMAGE, IMAGE_BITMAP, 0, SMTO_NORMAL, 500, &image);
            if (first == 0) first = static_cast<LRESULT>(image);
            return image != 0 && static_cast<LRESULT>(image) != first;
        },
        kStep);
    EXPECT_TRUE(turned) << "the animation did not turn";
    EXPECT_TRUE(SaveScreenshot(main, ScreenshotFolder() + L"commands_busy_zh-CN.png"));
    ASSERT_TRUE(WaitFor([&] { return !HasVisibleStyle(indicator); }, kStep));
    ASSERT_TRUE(SimOk(pipe, "fault clear"));

    // The menu stays open; the program ends under it.
    ASSERT_TRUE(Click(main, kMenu));
    ASSERT_TRUE(WaitFor([&] { return FindPopupMenu(pid) != nullptr; }, kStep));
    const auto start = std::chrono::steady_clock::now();
    PostMessageW(main, kMsgKill, kCodeKill, 0);
    const std::optional<DWORD> code = WaitForExit(copy.Process(), 60s);
    ASSERT_TRUE(code.has_value()) << "the program kept running under its menu";
    EXPECT_EQ(*code, 0u);
    std::printf("exit with a menu open: the running copy was gone after %lld ms\n",
                static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                           std::chrono::steady_clock::now() - start)
                                           .count()));
}

}  // namespace
}  // namespace kv::e2e
