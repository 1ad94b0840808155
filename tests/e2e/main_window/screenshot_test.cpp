// Screenshots of the dressed main window after a read-back, in English and in
// Simplified Chinese, for review (written to the screenshot folder).
#include <gtest/gtest.h>

#include <cstdio>

#include "harness/harness.h"
#include "harness/shown_copy.h"

namespace kv::e2e {
namespace {

struct Shot {
    const char* name;
    DWORD language;
};

class Screenshot : public ::testing::TestWithParam<Shot> {};

TEST_P(Screenshot, OfTheWindowAfterAReadBack) {
    ShownCopy shown(GetParam().language);
    ASSERT_TRUE(shown.Ready()) << shown.Problem();
    // The window paints once it is shown; a synchronous request returns after that.
    ASSERT_TRUE(Responds(shown.Main()));
    RedrawWindow(shown.Main(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    ASSERT_TRUE(Responds(shown.Main()));
    const std::wstring path =
        ScreenshotFolder() + L"main_" + std::wstring(GetParam().name, GetParam().name + 5) + L".png";
    ASSERT_TRUE(SaveScreenshot(shown.Main(), path));
    EXPECT_GT(FileSize(path), 20000) << "an empty picture";
    std::printf("screenshot: %ls\n", path.c_str());
}

INSTANTIATE_TEST_SUITE_P(MainWindow, Screenshot,
                         ::testing::Values(Shot{"en-US", ids::kEnglish},
                                           Shot{"zh-CN", ids::kChineseSimplified}),
                         [](const auto& info) { return std::string(info.param.name).erase(2, 1); });

}  // namespace
}  // namespace kv::e2e
