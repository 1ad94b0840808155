// Messages the main window posts to itself from other threads (a window's
// timers and visibility belong to its own thread), and its two timers.
#pragma once

#include <windows.h>

namespace kv::ui {

// wParam 1: show the busy indicator and start its animation; 0: stop and hide it.
constexpr UINT kMsgBusy = WM_APP + 1;
// Starts timer 1051 (deferred lighting read-back).
constexpr UINT kMsgStartLightingTimer = WM_APP + 2;
// A change of the tray icon from another thread: wParam the mode, lParam the icon id (TrayIconState::Choose).
constexpr UINT kMsgTrayIcon = WM_APP + 0x30;

// What the window's handler of a message sent by one of the program's own
// threads ('TR', 'GS') answers when a keyboard exchange of its thread is
// pumping messages: nothing was done, send again a moment later.
constexpr LRESULT kSendAgainLater = 2;
constexpr DWORD kSendAgainPauseMs = 5;

constexpr UINT_PTR kTimerBusyAnimation = 1050;
// End the program once no box, menu or dialog loop and no keyboard exchange
// is on the stack: the message comes first (when the request is made and
// when the last loop has returned), the timer in case a loop that ended
// took the message with it.
constexpr UINT kMsgFinishExit = WM_APP + 0x31;
constexpr UINT_PTR kTimerExit = 0x4558;  // 'EX'

// Answers how many keyboard hooks the assignment dialog holds now: the
// end-to-end tests check that none stays behind however the dialog closes.
constexpr UINT kMsgLiveKeyHooks = WM_APP + 0x32;
constexpr UINT kExitPollMs = USER_TIMER_MINIMUM;
constexpr UINT_PTR kTimerLightingReadBack = 1051;
constexpr UINT kBusyAnimationPeriodMs = 50;
constexpr int kBusyFrameCount = 10;

// The keyboard is back after a firmware update: where the automatic backup is.
constexpr UINT kMsgKeyboardBackFromUpdate = WM_APP + 3;

}  // namespace kv::ui
