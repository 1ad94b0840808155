// Every way of ending the program, each on a copy of its own: the close
// button, the tray's Exit, a "/Kill" request and a "/Kill" start; with and
// without pending changes. Each prints how long the running copy took to go.
#include <gtest/gtest.h>

#include <cstdio>

#include "commands_fixture.h"
#include "harness/harness.h"
#include "harness/shown_copy.h"

namespace kv::e2e {
namespace {

using namespace ids;

constexpr auto kStep = 30s;

enum class How { kCloseButton, kTrayExit, kKillMessage, kKillStart };

struct ExitCase {
    const char* name;
    How how;
    bool pending;  // changes waiting for Apply when the exit comes
    int answer;    // to "MAIN_APPLY_PROMPT"; 0: no question may come
};

class ExitPath : public ::testing::TestWithParam<ExitCase> {};

long long MillisecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start)
        .count();
}

TEST_P(ExitPath, EndsTheProgram) {
    const ExitCase& c = GetParam();
    ShownCopy copy(kEnglish);
    ASSERT_TRUE(copy.Ready()) << copy.Problem();
    const HWND main = copy.Main();
    const DWORD pid = copy.Process().pid;
    const std::wstring pipe = copy.Copy().SimPipe();

    if (c.pending) {
        // Default whose keyboard write fails leaves its changes pending.
        ASSERT_TRUE(SimOk(pipe, "fault status FE 1000"));
        ASSERT_TRUE(Click(main, kDefault));
        ASSERT_TRUE(AnswerMessageBox(pid, EnglishText(L"MAIN_PROMPT_DEFAULT"), IDYES, kStep));
        ASSERT_TRUE(WaitForPending(main, true));
        ASSERT_TRUE(WaitUntilIdle(main, pid));
        ASSERT_TRUE(IsEnabled(main, kApply));
        // A slow keyboard, so that a write before the end can be seen.
        ASSERT_TRUE(SimOk(pipe, "fault clear"));
        ASSERT_TRUE(SimOk(pipe, "fault latency 200"));
    }
    const std::string writes = SimStatusLine(pipe, "writes");

    const auto start = std::chrono::steady_clock::now();
    Child killer;
    switch (c.how) {
        case How::kCloseButton:
            ASSERT_TRUE(Click(main, kClose));
            break;
        case How::kTrayExit:
            PostCommand(main, kTrayExit);
            break;
        case How::kKillMessage:
            PostMessageW(main, kMsgKill, kCodeKill, 0);
            break;
        case How::kKillStart:
            killer = copy.Copy().Launch(L"/Kill");
            ASSERT_NE(killer.pid, 0u);
            break;
    }

    const std::wstring question = EnglishText(L"MAIN_APPLY_PROMPT");
    bool written = false;
    if (c.answer != 0) {
        ASSERT_TRUE(AnswerMessageBox(pid, question, c.answer, kStep))
            << "no question about the pending changes";
        // A write comes before the end; the simulated keyboard ends with the program.
        WaitFor(
            [&] {
                const std::string now = SimStatusLine(pipe, "writes");
                if (now.rfind("writes ", 0) == 0 && now != writes) written = true;
                return WaitForExit(copy.Process(), 0ms).has_value();
            },
            60s);
    }
    bool asked = false;
    const auto watch = [&] {
        asked = asked || FindMessageBox(pid, question) != nullptr;
        return WaitForExit(copy.Process(), 0ms).has_value();
    };
    ASSERT_TRUE(WaitFor(watch, 60s)) << "the program kept running";
    const long long took = MillisecondsSince(start);
    EXPECT_EQ(WaitForExit(copy.Process(), 0ms).value_or(99), 0u);
    if (c.answer == 0) {
        EXPECT_FALSE(asked) << "asked about changes";
        std::printf("exit by %s: the running copy was gone after %lld ms\n", c.name, took);
    }
    if (c.answer == IDYES) {
        EXPECT_TRUE(written) << "Yes did not send the changes";
    } else if (c.answer == IDNO) {
        EXPECT_FALSE(written) << "No sent the changes";
    }
    if (c.how == How::kKillStart) {
        const std::optional<DWORD> code = WaitForExit(killer, 60s);
        ASSERT_TRUE(code.has_value()) << "the /Kill process kept running";
        EXPECT_EQ(*code, 0u);
        std::printf("exit by a /Kill start: the /Kill process was gone after %lld ms\n",
                    MillisecondsSince(start));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Exit, ExitPath,
    ::testing::Values(ExitCase{"CloseButton", How::kCloseButton, false, 0},
                      ExitCase{"TrayExit", How::kTrayExit, false, 0},
                      ExitCase{"KillRequestWithPendingChanges", How::kKillMessage, true, 0},
                      ExitCase{"KillStart", How::kKillStart, false, 0},
                      ExitCase{"CloseButtonWithPendingChangesYes", How::kCloseButton, true, IDYES},
                      ExitCase{"TrayExitWithPendingChangesNo", How::kTrayExit, true, IDNO}),
    [](const auto& info) { return std::string(info.param.name); });

// A "/Kill" start right after the program has come up, while it still reads
// the keyboard back over the USB frame model.
TEST(ExitEarly, AKillStartDuringTheReadBackEndsTheProgram) {
    ChooseEnglish();
    ProgramCopy copy(kSimulatedKeyboard);
    SetEnvironmentVariableW(L"KELVARIN_SIM_TIMING", L"1");
    const Child child = copy.Launch(L"/Start");
    SetEnvironmentVariableW(L"KELVARIN_SIM_TIMING", nullptr);
    ASSERT_NE(WaitUntilReady(child.pid, 60s), nullptr);
    const auto start = std::chrono::steady_clock::now();
    const Child killer = copy.Launch(L"/Kill");
    const std::optional<DWORD> code = WaitForExit(child, 60s);
    ASSERT_TRUE(code.has_value()) << "the program kept running";
    EXPECT_EQ(*code, 0u);
    std::printf("exit by a /Kill start during the read-back: the running copy was gone after %lld ms\n",
                MillisecondsSince(start));
    EXPECT_TRUE(WaitForExit(killer, 60s).has_value());
}

// The keyboard stops answering and is plugged in again: the read-back waits
// for replies that never come, and a "/Kill" request must not wait with it.
TEST(ExitEarly, AKillRequestDoesNotWaitForASilentKeyboard) {
    ShownCopy copy(kEnglish);
    ASSERT_TRUE(copy.Ready()) << copy.Problem();
    const std::wstring pipe = copy.Copy().SimPipe();
    ASSERT_TRUE(SimOk(pipe, "unplug"));
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(copy.Main()); }, kStep));
    ASSERT_TRUE(SimOk(pipe, "fault drop-replies 100000"));
    const std::string reports = SimStatusLine(pipe, "reports");
    ASSERT_TRUE(SimOk(pipe, "plug"));
    ASSERT_TRUE(WaitFor([&] { return SimStatusLine(pipe, "reports") != reports; }, kStep)) << "no read-back";
    const auto start = std::chrono::steady_clock::now();
    PostMessageW(copy.Main(), kMsgKill, kCodeKill, 0);
    const std::optional<DWORD> code = WaitForExit(copy.Process(), 60s);
    ASSERT_TRUE(code.has_value()) << "the program kept running";
    EXPECT_EQ(*code, 0u);
    std::printf(
        "exit by a /Kill request while the read-back waits for a silent keyboard: gone after %lld ms\n",
        MillisecondsSince(start));
}

// Without a keyboard, Open from the tray only says so; a "/Kill" request ends
// the program while that box is still up.
TEST(WithoutKeyboard, TrayOpenPromptsAndAKillEndsTheProgramUnderTheBox) {
    ChooseEnglish();
    ProgramCopy copy(kSimulatedKeyboard);
    copy.StartUnplugged();
    const Child child = copy.Launch(L"/Start");
    const HWND main = WaitUntilReady(child.pid, 60s);
    ASSERT_NE(main, nullptr);
    const std::wstring prompt = EnglishText(L"MAIN_NO_DEVICE_PROMPT");

    PostCommand(main, kTrayOpen);
    ASSERT_TRUE(AnswerMessageBox(child.pid, prompt, IDOK, kStep));
    EXPECT_FALSE(IsWindowVisible(main));

    PostCommand(main, kTrayOpen);
    ASSERT_TRUE(WaitFor([&] { return FindMessageBox(child.pid, prompt) != nullptr; }, kStep));
    EXPECT_FALSE(IsWindowVisible(main));
    const auto start = std::chrono::steady_clock::now();
    PostMessageW(main, kMsgKill, kCodeKill, 0);
    const std::optional<DWORD> code = WaitForExit(child, 60s);
    ASSERT_TRUE(code.has_value()) << "the program kept running under its message box";
    EXPECT_EQ(*code, 0u);
    std::printf("exit with a message box up: the running copy was gone after %lld ms\n",
                MillisecondsSince(start));
}

}  // namespace
}  // namespace kv::e2e
