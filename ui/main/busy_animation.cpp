#include "ui/main/busy_animation.h"

#include "ui/kit/message_map.h"
#include "ui/main/main_window_ids.h"
#include "ui/main/main_window_messages.h"

namespace kv::ui {

bool BusyAnimation::Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    static constexpr MessageRoute<BusyAnimation> kMessages[] = {
        {kMsgBusy, &BusyAnimation::OnBusyMessage},
    };
    static constexpr TimerRoute<BusyAnimation> kTimers[] = {
        {kTimerBusyAnimation, &BusyAnimation::OnTick},
    };
    static constexpr MessageMap<BusyAnimation> kMap{kMessages, {}, {}, {}, kTimers};
    return kMap.Route(*this, message, wParam, lParam, result);
}

void BusyAnimation::BusyBegin() { PostMessageW(context_.hwnd, kMsgBusy, 1, 0); }

void BusyAnimation::BusyEnd() { PostMessageW(context_.hwnd, kMsgBusy, 0, 0); }

LRESULT BusyAnimation::OnBusyMessage(WPARAM show, LPARAM) {
    HWND indicator = context_.Item(IDC_BUSY_INDICATOR);
    if (show) {
        ShowWindow(indicator, SW_SHOWNA);
        SetTimer(context_.hwnd, kTimerBusyAnimation, kBusyAnimationPeriodMs, nullptr);
    } else {
        KillTimer(context_.hwnd, kTimerBusyAnimation);
        ShowWindow(indicator, SW_HIDE);
    }
    return 0;
}

void BusyAnimation::OnTick() {
    bitmaps_.Show(context_.Item(IDC_BUSY_INDICATOR), L"jdt" + std::to_wstring(frame_ + 1) + L".bmp");
    frame_ = (frame_ + 1) % kBusyFrameCount;
}

}  // namespace kv::ui
