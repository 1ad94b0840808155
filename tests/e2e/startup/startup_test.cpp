// Starting, handing over to and ending the real program.
#include <gtest/gtest.h>

#include "harness/harness.h"

namespace kv::e2e {
namespace {

using namespace ids;

constexpr auto kStartTimeout = 60s;
constexpr auto kEndTimeout = 60s;

const std::wstring kOneKeyboard = kSimulatedKeyboard;
const std::wstring kNoKeyboard = L"fixture_hidserv_none.dll";

// A running copy after its initialisation: main window hidden, tray icon added.
HWND WaitUntilReady(const Child& child) { return e2e::WaitUntilReady(child.pid, kStartTimeout); }

// A copy started with "/Start" once it has read the simulated keyboard back,
// so that it knows a keyboard is attached and opens on request.
HWND StartWithKeyboardKnown(ProgramCopy& copy, Child& first) {
    DeleteFileW(WorkingProfileFile().c_str());
    first = copy.Launch(L"/Start");
    const HWND main = WaitUntilReady(first);
    if (!main || !WaitFor([] { return FileSize(WorkingProfileFile()) >= 32832; }, kStartTimeout))
        return nullptr;
    // The run records the keyboard just after the file is loaded; until then an
    // open request answers that there is none. Ask until the window opens, then hide it.
    const std::wstring none = EnglishText(L"MAIN_NO_DEVICE_PROMPT");
    const bool opened = WaitFor(
        [&] {
            PostMessageW(main, kMsgShow, kCodeOpen, 0);
            if (WaitFor([&] { return IsWindowVisible(main) != FALSE; }, 1s)) return true;
            AnswerMessageBox(first.pid, none, IDOK, 2s);
            return false;
        },
        kStartTimeout);
    if (!opened || !Click(main, kCancel) || !WaitFor([&] { return !IsWindowVisible(main); }, 10s))
        return nullptr;
    return main;
}

// A copy left running (by a crashed run, or a demo in the same Wine prefix)
// would receive every hand-over meant for the copies these tests start.
class NoCopyRunning : public ::testing::Environment {
  public:
    void SetUp() override {
        ASSERT_EQ(RunningProgramCount(), 0)
            << "a copy of Kelvarin.exe is already running in this Wine prefix; "
               "end it (wineserver -k) and run again";
        ChooseEnglish();
    }
};
const auto* const kNoCopyRunning = ::testing::AddGlobalTestEnvironment(new NoCopyRunning);

// ---------------------------------------------------------------------------
// Start-up failures: each ends the program silently, before any window shows.

struct FailureCase {
    const char* name;
    std::wstring fixture;  // empty: no library
    std::wstring args;
    std::wstring removed_file = {};  // taken out of the copy before it starts
};

class StartupFailure : public ::testing::TestWithParam<FailureCase> {};

TEST_P(StartupFailure, EndsWithCodeZeroAndNoWindow) {
    ProgramCopy copy(GetParam().fixture);
    if (!GetParam().removed_file.empty()) {
        ASSERT_TRUE(copy.RemoveFile(GetParam().removed_file));
    }
    const Child child = copy.Launch(GetParam().args);
    ASSERT_NE(child.pid, 0u);
    bool showed_window = false;
    const auto code = WaitForExitWatchingWindows(child, kEndTimeout, &showed_window);
    ASSERT_TRUE(code.has_value()) << "the program kept running";
    EXPECT_EQ(*code, 0u);
    EXPECT_FALSE(showed_window);
}

INSTANTIATE_TEST_SUITE_P(
    Startup, StartupFailure,
    ::testing::Values(
        FailureCase{"NoLibrary", L"", L""},
        FailureCase{"LibraryLacksOneUnusedExport", L"fixture_hidserv_no_status_get.dll", L""},
        FailureCase{"InitReturnsZero", L"fixture_hidserv_init_zero.dll", L""},
        FailureCase{"KillWithNoCopyRunning", kOneKeyboard, L"/Kill"},
        FailureCase{"SharedButtonImageMissing", kOneKeyboard, L"", L"Skins\\Arrow.jpg"},
        FailureCase{"LastSharedButtonImageMissing", kOneKeyboard, L"", L"Skins\\main_color1.jpg"},
        // The dialogs' pictures are read at start-up, never in the middle of a session.
        FailureCase{"AssignmentDialogPictureMissing", kOneKeyboard, L"", L"Skins\\macro2_disable.jpg"},
        FailureCase{"ProfileManagerPictureMissing", kOneKeyboard, L"", L"Skins\\Profile_down.jpg"},
        FailureCase{"UpdateDialogPictureMissing", kOneKeyboard, L"", L"Skins\\update_over.jpg"}),
    [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------
// A running copy.

TEST(RunningCopy, StaysHiddenWithMainMarkerAndNoTaskbarButton) {
    ProgramCopy copy(kOneKeyboard);
    const Child first = copy.Launch(L"/Start");
    const HWND main = WaitUntilReady(first);
    ASSERT_NE(main, nullptr) << "no initialised main window";
    EXPECT_EQ(GetWindowLongPtrW(main, GWLP_USERDATA), kMainMarker);
    EXPECT_TRUE(GetWindowLongPtrW(main, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    // The dialog manager shows a modal dialog when its queue runs empty; it must stay hidden.
    EXPECT_FALSE(WaitFor([&] { return IsWindowVisible(main) != FALSE; }, 1500ms));
    EXPECT_EQ(FindMainWindow(first.pid), main);
}

TEST(RunningCopy, HoldsItsMutexAndTheNamedEventSlots) {
    ProgramCopy copy(kOneKeyboard);
    const Child first = copy.Launch(L"/Start");
    ASSERT_NE(WaitUntilReady(first), nullptr);
    struct Name {
        const wchar_t* name;
        bool exists;
    };
    for (const Name& n : {Name{L"Kelvarin_Event_Main_01", true}, Name{L"Kelvarin_Event_Main_09", true},
                          Name{L"Kelvarin_Event_Main_10", true}, Name{L"Kelvarin_Event_Main_208", true},
                          Name{L"Kelvarin_Event_Main_1", false}, Name{L"Kelvarin_Event_Main_209", false}}) {
        HANDLE event = OpenEventW(SYNCHRONIZE, FALSE, n.name);
        EXPECT_EQ(event != nullptr, n.exists) << std::string(n.name, n.name + wcslen(n.name));
        if (event) CloseHandle(event);
    }
    HANDLE mutex = OpenMutexW(SYNCHRONIZE, FALSE, L"PL27M03C");
    EXPECT_NE(mutex, nullptr);
    if (mutex) CloseHandle(mutex);
}

TEST(RunningCopy, TrayDoubleClickOpensAndSingleClickDoesNothing) {
    ProgramCopy copy(kOneKeyboard);
    Child first;
    const HWND main = StartWithKeyboardKnown(copy, first);
    ASSERT_NE(main, nullptr);
    PostMessageW(main, kTrayCallback, kTrayIconId, WM_LBUTTONUP);
    PostMessageW(main, kTrayCallback, kTrayIconId + 1, WM_LBUTTONDBLCLK);  // another icon id
    EXPECT_FALSE(WaitFor([&] { return IsWindowVisible(main) != FALSE; }, 1s));
    PostMessageW(main, kTrayCallback, kTrayIconId, WM_LBUTTONDBLCLK);
    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(main) != FALSE; }, 10s));
}

TEST(RunningCopy, TrayRightClickOpensAMenuWhoseFirstItemOpens) {
    ProgramCopy copy(kOneKeyboard);
    Child first;
    const HWND main = StartWithKeyboardKnown(copy, first);
    ASSERT_NE(main, nullptr);
    auto find_menu = [&] {
        HWND w = FindWindowW(L"#32768", nullptr);
        DWORD pid = 0;
        if (w) GetWindowThreadProcessId(w, &pid);
        return w && pid == first.pid && IsWindowVisible(w) ? w : nullptr;
    };
    PostMessageW(main, kTrayCallback, kTrayIconId, WM_RBUTTONUP);
    HWND menu_window = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (menu_window = find_menu()) != nullptr; }, 10s));
    EXPECT_FALSE(IsWindowVisible(main));
    PostMessageW(menu_window, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(menu_window, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(main) != FALSE; }, 10s)) << "first item did not open";
    EXPECT_EQ(find_menu(), nullptr);
}

// Every way of ending the program from inside ends it with code 0.
struct ExitCase {
    const char* name;
    UINT message;
    WPARAM wparam;
};

class ExitCommand : public ::testing::TestWithParam<ExitCase> {};

TEST_P(ExitCommand, EndsTheProgram) {
    ProgramCopy copy(kOneKeyboard);
    const Child first = copy.Launch(L"/Start");
    const HWND main = WaitUntilReady(first);
    ASSERT_NE(main, nullptr);
    PostMessageW(main, GetParam().message, GetParam().wparam, 0);
    const auto code = WaitForExit(first, kEndTimeout);
    ASSERT_TRUE(code.has_value()) << "the program kept running";
    EXPECT_EQ(*code, 0u);
}

INSTANTIATE_TEST_SUITE_P(Startup, ExitCommand,
                         ::testing::Values(ExitCase{"TrayExit", WM_COMMAND, kTrayExit},
                                           ExitCase{"CloseButton", WM_COMMAND,
                                                    MAKEWPARAM(kClose, BN_CLICKED)},
                                           ExitCase{"KillRequest", kMsgKill, kCodeKill}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RunningCopy, CancelOnlyHides) {
    ProgramCopy copy(kOneKeyboard);
    Child first;
    const HWND main = StartWithKeyboardKnown(copy, first);
    ASSERT_NE(main, nullptr);
    PostMessageW(main, kMsgShow, kCodeOpen, 0);
    ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(main) != FALSE; }, 10s));
    ASSERT_TRUE(Click(main, kCancel));
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(main); }, 10s));
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_FALSE(WaitForExit(first, 1s).has_value()) << "Cancel or close ended the program";
}

TEST(RunningCopy, IgnoresRequestsWithTheWrongCode) {
    ProgramCopy copy(kOneKeyboard);
    const Child first = copy.Launch(L"/Start");
    const HWND main = WaitUntilReady(first);
    ASSERT_NE(main, nullptr);
    DWORD_PTR result = 1;
    ASSERT_TRUE(SendMessageTimeoutW(main, kMsgShow, kCodeKill, 0, SMTO_NORMAL, 10000, &result));
    EXPECT_EQ(result, 0u);
    ASSERT_TRUE(SendMessageTimeoutW(main, kMsgKill, kCodeOpen, 0, SMTO_NORMAL, 10000, &result));
    EXPECT_EQ(result, 0u);
    EXPECT_FALSE(WaitForExit(first, 500ms).has_value()) << "a wrong code ended the program";
    EXPECT_FALSE(IsWindowVisible(main));
}

// ---------------------------------------------------------------------------
// "/Kill": the running copy shuts down; the new process ends without a window.

class KillSwitch : public ::testing::TestWithParam<std::wstring> {};

TEST_P(KillSwitch, EndsTheRunningCopy) {
    ProgramCopy copy(kOneKeyboard);
    const Child first = copy.Launch(L"/Start");
    const HWND main = WaitUntilReady(first);
    ASSERT_NE(main, nullptr);

    const Child killer = copy.Launch(GetParam());
    bool killer_showed_window = false;
    const auto killer_code = WaitForExitWatchingWindows(killer, kEndTimeout, &killer_showed_window);
    ASSERT_TRUE(killer_code.has_value()) << "the /Kill process kept running";
    EXPECT_EQ(*killer_code, 0u);
    EXPECT_FALSE(killer_showed_window);

    const auto first_code = WaitForExit(first, kEndTimeout);
    ASSERT_TRUE(first_code.has_value()) << "the running copy did not end";
    EXPECT_EQ(*first_code, 0u);
}

INSTANTIATE_TEST_SUITE_P(Startup, KillSwitch, ::testing::Values(L"/Kill", L"/kill", L"other /KILL"),
                         [](const auto& info) { return "Case" + std::to_string(info.index); });

// ---------------------------------------------------------------------------
// A second start hands 'OPEN' to the running copy and ends.

TEST(SecondStart, OpensTheRunningCopyAndEnds) {
    ProgramCopy copy(kOneKeyboard);
    Child first;
    const HWND main = StartWithKeyboardKnown(copy, first);
    ASSERT_NE(main, nullptr);
    ASSERT_FALSE(IsWindowVisible(main));

    const Child second = copy.Launch(L"");
    bool second_showed_window = false;
    const auto code = WaitForExitWatchingWindows(second, kEndTimeout, &second_showed_window);
    ASSERT_TRUE(code.has_value()) << "the second process kept running";
    EXPECT_EQ(*code, 0u);
    EXPECT_FALSE(second_showed_window);

    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(main) != FALSE; }, 10s)) << "first copy not opened";
    EXPECT_TRUE(GetWindowLongPtrW(main, GWL_EXSTYLE) & WS_EX_APPWINDOW);
    EXPECT_FALSE(GetWindowLongPtrW(main, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_FALSE(WaitForExit(first, 0ms).has_value());
}

TEST(SecondStart, OpensTheRunningCopyOnceAKeyboardHasArrived) {
    // No keyboard at start; it is plugged in once the copy runs.
    ProgramCopy copy(kOneKeyboard);
    copy.StartUnplugged();
    const Child first = copy.Launch(L"");
    const HWND main = WaitUntilReady(first);
    ASSERT_NE(main, nullptr);
    DeleteFileW(WorkingProfileFile().c_str());
    ASSERT_TRUE(SimOk(copy.SimPipe(), "plug"));
    ASSERT_TRUE(WaitFor([] { return FileExists(WorkingProfileFile()); }, 30s))
        << "no read-back after plugging";
    EXPECT_FALSE(WaitFor([&] { return IsWindowVisible(main) != FALSE; }, 1500ms))
        << "a keyboard missing at start-up must not open the window by itself";

    const Child second = copy.Launch(L"");
    const auto code = WaitForExit(second, 20s);
    EXPECT_EQ(FindMessageBox(first.pid, EnglishText(L"MAIN_NO_DEVICE_PROMPT")), nullptr)
        << "the arrival was not noticed";
    ASSERT_TRUE(code.has_value()) << "the second process kept running";
    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(main) != FALSE; }, 10s));
}

TEST(SecondStart, WithoutKeyboardTheRunningCopyPromptsAndStaysHidden) {
    ProgramCopy copy(kNoKeyboard);
    const Child first = copy.Launch(L"");
    const HWND main = WaitUntilReady(first);
    ASSERT_NE(main, nullptr);

    const Child second = copy.Launch(L"");
    const std::wstring prompt = EnglishText(L"MAIN_NO_DEVICE_PROMPT");
    ASSERT_TRUE(WaitFor([&] { return FindMessageBox(first.pid, prompt) != nullptr; }, kStartTimeout));
    // The request is synchronous: the second process waits for the box.
    EXPECT_FALSE(WaitForExit(second, 300ms).has_value());
    EXPECT_FALSE(IsWindowVisible(main));

    ASSERT_TRUE(AnswerMessageBox(first.pid, prompt, IDOK, 10s));
    const auto code = WaitForExit(second, kEndTimeout);
    ASSERT_TRUE(code.has_value());
    EXPECT_EQ(*code, 0u);
    EXPECT_FALSE(IsWindowVisible(main));
}

}  // namespace
}  // namespace kv::e2e
