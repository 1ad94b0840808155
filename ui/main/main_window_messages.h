// Messages the main window posts to itself from other threads (a window's
// timers and visibility belong to its own thread), and its two timers.
#pragma once

#include <windows.h>

namespace kv::ui {

// wParam 1: show the busy indicator and start its animation; 0: stop and hide it.
constexpr UINT kMsgBusy = WM_APP + 1;
// Starts timer 1051 (deferred lighting read-back).
constexpr UINT kMsgStartLightingTimer = WM_APP + 2;

constexpr UINT_PTR kTimerBusyAnimation = 1050;
constexpr UINT_PTR kTimerLightingReadBack = 1051;
constexpr UINT kBusyAnimationPeriodMs = 50;
constexpr int kBusyFrameCount = 10;

// The keyboard is back after a firmware update: where the automatic backup is.
constexpr UINT kMsgKeyboardBackFromUpdate = WM_APP + 3;

}  // namespace kv::ui
