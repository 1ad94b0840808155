// The window's thread while it waits on the keyboard: what it handles, what
// it drops and what it leaves queued.
#include "ui/main/responsive_wait.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <vector>

#include "ui/main/main_window_messages.h"

namespace kv::ui {
namespace {

constexpr UINT_PTR kOtherTimer = 1051;
constexpr UINT kSentFromOutside = WM_APP + 0x55;

struct Seen {
    UINT message;
    WPARAM wParam;
    bool pumping;
};
std::vector<Seen> g_seen;
const ResponsiveWait* g_wait = nullptr;

LRESULT CALLBACK Record(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        BeginPaint(hwnd, &paint);
        EndPaint(hwnd, &paint);
    }
    if (message == WM_PAINT || message == WM_TIMER || message == WM_COMMAND || message == kMsgBusy ||
        message == kSentFromOutside || (message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
        (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST))
        g_seen.push_back({message, wParam, g_wait && g_wait->Pumping()});
    if (message == WM_PAINT) return 0;
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

bool SawMessage(UINT message, WPARAM wParam = 0, bool any_wparam = true) {
    for (const Seen& s : g_seen)
        if (s.message == message && (any_wparam || s.wParam == wParam)) return true;
    return false;
}

TEST(ResponsiveWait, PaintsAndAnimatesDropsInputAndLeavesTheRestQueued) {
    WNDCLASSW cls{};
    cls.lpfnWndProc = Record;
    cls.hInstance = GetModuleHandleW(nullptr);
    cls.lpszClassName = L"KvResponsiveWaitTest";
    RegisterClassW(&cls);
    HWND window = CreateWindowExW(0, cls.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr,
                                  nullptr, cls.hInstance, nullptr);
    ASSERT_NE(window, nullptr);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    g_seen.clear();

    ResponsiveWait wait;
    g_wait = &wait;
    wait.WhileWaiting();  // no window yet: nothing is pumped
    EXPECT_TRUE(g_seen.empty());
    wait.SetWindow(window);

    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    PostMessageW(window, WM_LBUTTONUP, 0, 0);
    PostMessageW(window, WM_KEYDOWN, VK_RETURN, 1);
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(1006, BN_CLICKED), 0);
    PostMessageW(window, kMsgBusy, 1, 0);
    InvalidateRect(window, nullptr, TRUE);
    SetTimer(window, kTimerBusyAnimation, USER_TIMER_MINIMUM, nullptr);
    SetTimer(window, kOtherTimer, USER_TIMER_MINIMUM, nullptr);
    std::thread outside([window] { SendMessageW(window, kSentFromOutside, 0, 0); });

    // The wait calls its hook every few milliseconds; it pumps at most every kInterval.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (std::chrono::steady_clock::now() < deadline &&
           !(SawMessage(WM_TIMER, kTimerBusyAnimation, false) && SawMessage(kSentFromOutside))) {
        wait.WhileWaiting();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    outside.join();
    KillTimer(window, kTimerBusyAnimation);

    EXPECT_TRUE(SawMessage(kMsgBusy)) << "the busy indicator was not shown";
    EXPECT_TRUE(SawMessage(WM_PAINT)) << "the window did not paint";
    EXPECT_TRUE(SawMessage(WM_TIMER, kTimerBusyAnimation, false)) << "the animation did not turn";
    EXPECT_TRUE(SawMessage(kSentFromOutside)) << "a message sent from another thread was not answered";
    EXPECT_FALSE(SawMessage(WM_TIMER, kOtherTimer, false)) << "another timer ran inside the wait";
    EXPECT_FALSE(SawMessage(WM_COMMAND)) << "a command ran inside the wait";
    for (UINT input : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_KEYDOWN}) EXPECT_FALSE(SawMessage(input)) << input;
    for (const Seen& s : g_seen) EXPECT_TRUE(s.pumping) << "handled outside the pump: " << s.message;

    // After the wait: the command is still there, the input is gone for good.
    EXPECT_FALSE(wait.Pumping());
    EXPECT_TRUE(PeekMessageW(&msg, window, WM_COMMAND, WM_COMMAND, PM_REMOVE));
    EXPECT_FALSE(PeekMessageW(&msg, window, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE));
    EXPECT_FALSE(PeekMessageW(&msg, window, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE));
    KillTimer(window, kOtherTimer);
    g_wait = nullptr;
    DestroyWindow(window);
}

}  // namespace
}  // namespace kv::ui
