// The real program with the simulated keyboard: the configuration read-back at
// start-up and after unplugging and plugging in again, and the keyboard's own
// notifications reaching a running copy.
#include <gtest/gtest.h>

#include "harness/harness.h"

namespace kv::e2e {
namespace {

using namespace ids;

// Working profile file: a 32832-byte assignment block, then the macro records.
constexpr long long kAssignmentBlockSize = 32832;

HWND WaitUntilReady(const Child& child) { return e2e::WaitUntilReady(child.pid, 60s); }

bool Visible(HWND w) { return IsWindowVisible(w) != FALSE; }

bool SimOk(const ProgramCopy& copy, const std::string& command) {
    return e2e::SimOk(copy.SimPipe(), command);
}

// One line of the simulator's status ("writes ...", "config-exchanges ...").
std::string StatusLine(const ProgramCopy& copy, const std::string& name) {
    const std::string status = SimCommand(copy.SimPipe(), "status").value_or("");
    const std::size_t at = status.find("\n" + name + " ");
    if (at == std::string::npos) return "<missing " + name + ">";
    return status.substr(at + 1, status.find('\n', at + 1) - at - 1);
}

class ReadBack : public ::testing::Test {
  protected:
    void SetUp() override {
        ChooseEnglish();
        DeleteFileW(WorkingProfileFile().c_str());
        ASSERT_FALSE(FileExists(WorkingProfileFile()));
    }
    void TearDown() override { DeleteFileW(WorkingProfileFile().c_str()); }

    bool WaitForWorkingProfile() {
        return WaitFor([] { return FileSize(WorkingProfileFile()) >= kAssignmentBlockSize; }, 30s);
    }

    ProgramCopy copy_{kSimulatedKeyboard};
};

TEST_F(ReadBack, AtStartWritesTheWorkingProfileAndOpensTheWindowOnce) {
    const Child first = copy_.Launch(L"");
    const HWND main = WaitUntilReady(first);
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(WaitFor([&] { return Visible(main); }, 30s)) << "the read-back did not open the window";
    EXPECT_TRUE(WaitForWorkingProfile()) << "no working profile file in the per-user folder";
    EXPECT_TRUE(GetWindowLongPtrW(main, GWL_EXSTYLE) & WS_EX_APPWINDOW);
    wchar_t caption[64] = {};
    GetWindowTextW(main, caption, 64);
    EXPECT_EQ(std::wstring(caption), EnglishText(L"MAIN_CAPTION"));
    // Apply starts disabled: nothing is pending after a read-back.
    EXPECT_FALSE(IsEnabled(main, kApply));
    EXPECT_EQ(TextOf(main, kApply), EnglishText(L"PROFILE_APPLY"));

    ASSERT_TRUE(Click(main, kCancel));
    ASSERT_TRUE(WaitFor([&] { return !Visible(main); }, 10s));
    EXPECT_FALSE(WaitFor([&] { return Visible(main); }, 2s)) << "the window opened a second time";
}

TEST_F(ReadBack, StartSwitchReadsBackButKeepsTheWindowHidden) {
    const Child first = copy_.Launch(L"/Start");
    const HWND main = WaitUntilReady(first);
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(WaitForWorkingProfile());
    EXPECT_FALSE(WaitFor([&] { return Visible(main); }, 2s));
    // The keyboard is known now: an Open request shows the window without a prompt.
    PostMessageW(main, kMsgShow, kCodeOpen, 0);
    EXPECT_TRUE(WaitFor([&] { return Visible(main); }, 10s));
}

TEST_F(ReadBack, UnplugHidesAndReplugReadsBackWithoutReopening) {
    const Child first = copy_.Launch(L"");
    const HWND main = WaitUntilReady(first);
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(WaitFor([&] { return Visible(main); }, 30s));
    ASSERT_TRUE(WaitForWorkingProfile());

    ASSERT_TRUE(SimOk(copy_, "unplug"));
    EXPECT_TRUE(WaitFor([&] { return !Visible(main); }, 10s)) << "the window stayed open without a keyboard";

    ASSERT_TRUE(DeleteFileW(WorkingProfileFile().c_str()));
    ASSERT_TRUE(SimOk(copy_, "plug"));
    EXPECT_TRUE(WaitForWorkingProfile()) << "plugging in again did not read the keyboard back";
    EXPECT_FALSE(WaitFor([&] { return Visible(main); }, 2s)) << "the window reopened by itself";
    EXPECT_EQ(FindMessageBox(first.pid, EnglishText(L"MAIN_DEFAULT_MATRIX_PROMPT")), nullptr);
}

TEST_F(ReadBack, ApplyWithoutChangesShowsTheBusyIndicatorAndWritesNothing) {
    const Child first = copy_.Launch(L"/Start");
    const HWND main = WaitUntilReady(first);
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(WaitForWorkingProfile());
    const std::string writes = StatusLine(copy_, "writes");
    const std::string exchanges = StatusLine(copy_, "config-exchanges");

    // The style bit, not IsWindowVisible: the indicator sits in a hidden window.
    const HWND indicator = GetDlgItem(main, kBusyIndicator);
    ASSERT_NE(indicator, nullptr);
    ASSERT_FALSE(HasVisibleStyle(indicator));
    PostCommand(main, kApply);
    EXPECT_TRUE(WaitFor([&] { return HasVisibleStyle(indicator); }, 10s)) << "no busy indicator";
    EXPECT_TRUE(WaitFor([&] { return !HasVisibleStyle(indicator); }, 10s)) << "the busy indicator stayed";
    EXPECT_TRUE(Responds(main));
    EXPECT_EQ(StatusLine(copy_, "writes"), writes);
    EXPECT_EQ(StatusLine(copy_, "config-exchanges"), exchanges);
    EXPECT_FALSE(IsEnabled(main, kApply));
}

// Default asks first: No leaves the keyboard alone, Yes writes the cleared keys.
TEST_F(ReadBack, DefaultWritesOnlyWhenTheUserAgrees) {
    const Child first = copy_.Launch(L"/Start");
    const HWND main = WaitUntilReady(first);
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(WaitForWorkingProfile());
    const struct {
        WPARAM answer;
        bool written;
    } cases[] = {{IDNO, false}, {IDYES, true}};
    for (const auto& c : cases) {
        const std::string writes = StatusLine(copy_, "writes");
        const std::string exchanges = StatusLine(copy_, "config-exchanges");
        PostCommand(main, kDefault);
        ASSERT_TRUE(AnswerMessageBox(first.pid, EnglishText(L"MAIN_PROMPT_DEFAULT"),
                                     static_cast<int>(c.answer), 10s));
        ASSERT_TRUE(Responds(main));
        if (c.written) {
            EXPECT_TRUE(WaitFor([&] { return StatusLine(copy_, "writes") != writes; }, 10s));
            EXPECT_NE(StatusLine(copy_, "config-exchanges"), exchanges);
        } else {
            EXPECT_EQ(StatusLine(copy_, "writes"), writes);
            EXPECT_EQ(StatusLine(copy_, "config-exchanges"), exchanges);
        }
        // The write's end clears the pending changes a moment after the keyboard counted it.
        EXPECT_TRUE(WaitFor([&] { return !IsEnabled(main, kApply); }, 10s)) << "changes left pending";
    }
}

TEST_F(ReadBack, KeyboardNotificationsLeaveTheProgramResponsive) {
    const Child first = copy_.Launch(L"/Start");
    const HWND main = WaitUntilReady(first);
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(WaitForWorkingProfile());

    // Layer key twice: the indicator the program writes back follows it.
    const struct {
        const char* command;
        const char* status_line;
    } steps[] = {{"layer", "layer B"},
                 {"layer", "layer A"},
                 {"lighting", nullptr},
                 {"busy begin", nullptr},
                 {"busy end", nullptr}};
    for (const auto& step : steps) {
        ASSERT_TRUE(SimOk(copy_, step.command)) << step.command;
        EXPECT_TRUE(Responds(main)) << "stuck after " << step.command;
        if (step.status_line) {
            EXPECT_TRUE(WaitFor(
                [&] {
                    return SimCommand(copy_.SimPipe(), "status").value_or("").find(step.status_line) !=
                           std::string::npos;
                },
                10s))
                << step.status_line;
        }
    }
    // Ending right after a burst of notifications still ends cleanly.
    SimOk(copy_, "layer");
    SimOk(copy_, "lighting");
    PostCommand(main, kTrayExit);
    const auto code = WaitForExit(first, 60s);
    ASSERT_TRUE(code.has_value()) << "the program did not end";
    EXPECT_EQ(*code, 0u);
}

}  // namespace
}  // namespace kv::e2e
