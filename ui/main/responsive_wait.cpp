#include "ui/main/responsive_wait.h"

#include "ui/main/main_window_messages.h"

namespace kv::ui {

namespace {

// Bounds on one turn: a window that never validates its paint, or timers
// that keep expiring, cannot hold the wait.
constexpr int kMostPaints = 32;
constexpr int kMostTimers = 8;

// Keyboard and mouse input of every window of this thread, the non-client mouse messages included.
struct InputRange {
    UINT first, last;
};
constexpr InputRange kInput[] = {
    {WM_KEYFIRST, WM_KEYLAST},
    {WM_MOUSEFIRST, WM_MOUSELAST},
    {WM_NCMOUSEMOVE, WM_NCXBUTTONDBLCLK},
};

}  // namespace

void ResponsiveWait::WhileWaiting() {
    if (pumping_ || GetCurrentThreadId() != thread_ || !window_) return;
    const auto now = std::chrono::steady_clock::now();
    if (now - last_ < kInterval) return;
    pumping_ = true;
    Pump();
    pumping_ = false;
    last_ = std::chrono::steady_clock::now();
}

void ResponsiveWait::Pump() {
    MSG msg;
    for (const InputRange& range : kInput) {
        while (PeekMessageW(&msg, nullptr, range.first, range.last, PM_REMOVE | PM_NOYIELD)) {
        }
    }
    // The busy indicator's show and hide come as posted messages.
    while (PeekMessageW(&msg, window_, kMsgBusy, kMsgBusy, PM_REMOVE | PM_NOYIELD)) DispatchMessageW(&msg);
    for (int i = 0;
         i < kMostPaints && PeekMessageW(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE | PM_NOYIELD); ++i)
        DispatchMessageW(&msg);
    // Only the animation ticks now; another timer of the window loses this
    // tick and comes again once its period has passed.
    for (int i = 0;
         i < kMostTimers && PeekMessageW(&msg, window_, WM_TIMER, WM_TIMER, PM_REMOVE | PM_NOYIELD); ++i) {
        if (msg.wParam == kTimerBusyAnimation) DispatchMessageW(&msg);
    }
}

}  // namespace kv::ui
