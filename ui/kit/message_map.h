// One routing table per window class.
//
// A window class lists the messages, commands and notifications it handles in
// static tables, next to each other at the top of its .cpp file:
//
//   bool CMyDialog::Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
//       static constexpr MessageRoute<CMyDialog> kMessages[] = {
//           {WM_TIMER, &CMyDialog::OnTimer},
//       };
//       static constexpr CommandRoute<CMyDialog> kCommands[] = {
//           {IDOK, kAnyNotify, &CMyDialog::OnOk},
//           {1146, CBN_SELCHANGE, &CMyDialog::OnModeChanged},
//       };
//       static constexpr CommandRangeRoute<CMyDialog> kRanges[] = {
//           {1010, 1120, BN_CLICKED, &CMyDialog::OnKeyClicked},
//       };
//       static constexpr TimerRoute<CMyDialog> kTimers[] = {
//           {1050, &CMyDialog::OnBusyTick},
//       };
//       static constexpr MessageMap<CMyDialog> kMap{kMessages, kCommands, {}, kRanges, kTimers};
//       return kMap.Route(*this, message, wParam, lParam, result) ||
//              CBaseDialog::Route(message, wParam, lParam, result);
//   }
//
// Route answers true when a table entry took the message (result holds the
// handler's answer) and false to pass it on: to the base class's table, and
// finally to the default processing. The window base (window.h) owns the
// window procedure that calls Route. Any class with such a table can route:
// a big window hands each message to the tables of the parts it owns first.
#pragma once

#include <windows.h>

#include <span>

namespace kv::ui {

// Handler of one window message: gets wParam and lParam, returns the message's result.
template <class T>
using MessageHandler = LRESULT (T::*)(WPARAM wParam, LPARAM lParam);

// Handler of a WM_COMMAND: gets the notification code (HIWORD of wParam).
template <class T>
using CommandHandler = void (T::*)(WORD notifyCode);

// Handler of a command from a range of ids: gets the id and the notification code.
template <class T>
using CommandRangeHandler = void (T::*)(WORD id, WORD notifyCode);

// Handler of one timer's WM_TIMER.
template <class T>
using TimerHandler = void (T::*)();

// Handler of a WM_NOTIFY: gets the notification header, returns the message's result.
template <class T>
using NotifyHandler = LRESULT (T::*)(NMHDR* header);

// Matches any notification code of a command, or any sender of a notification.
inline constexpr WORD kAnyNotify = 0xFFFF;
inline constexpr UINT_PTR kAnySender = static_cast<UINT_PTR>(-1);

template <class T>
struct MessageRoute {
    UINT message;
    MessageHandler<T> handler;
};

template <class T>
struct CommandRoute {
    WORD id;      // control or menu id (LOWORD of wParam)
    WORD notify;  // notification code to match, or kAnyNotify
    CommandHandler<T> handler;
};

// Every id from first to last, both included; single-id routes are tried first.
template <class T>
struct CommandRangeRoute {
    WORD first;
    WORD last;
    WORD notify;  // notification code to match, or kAnyNotify
    CommandRangeHandler<T> handler;
};

// WM_TIMER of one timer id (wParam); the message's result is 0.
template <class T>
struct TimerRoute {
    UINT_PTR id;
    TimerHandler<T> handler;
};

template <class T>
struct NotifyRoute {
    UINT_PTR from;  // idFrom of the sender, or kAnySender
    UINT code;
    NotifyHandler<T> handler;
};

template <class T>
struct MessageMap {
    std::span<const MessageRoute<T>> messages;
    std::span<const CommandRoute<T>> commands = {};
    std::span<const NotifyRoute<T>> notifies = {};
    std::span<const CommandRangeRoute<T>> ranges = {};
    std::span<const TimerRoute<T>> timers = {};

    bool Route(T& self, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) const {
        for (const auto& route : messages) {
            if (route.message == message) {
                result = (self.*route.handler)(wParam, lParam);
                return true;
            }
        }
        if (message == WM_COMMAND) {
            const WORD id = LOWORD(wParam), code = HIWORD(wParam);
            for (const auto& route : commands) {
                if (route.id == id && (route.notify == kAnyNotify || route.notify == code)) {
                    (self.*route.handler)(code);
                    result = 0;
                    return true;
                }
            }
            for (const auto& route : ranges) {
                if (id >= route.first && id <= route.last &&
                    (route.notify == kAnyNotify || route.notify == code)) {
                    (self.*route.handler)(id, code);
                    result = 0;
                    return true;
                }
            }
        }
        if (message == WM_TIMER) {
            for (const auto& route : timers) {
                if (route.id == wParam) {
                    (self.*route.handler)();
                    result = 0;
                    return true;
                }
            }
        }
        if (message == WM_NOTIFY && lParam) {
            auto* header = reinterpret_cast<NMHDR*>(lParam);
            for (const auto& route : notifies) {
                if ((route.from == kAnySender || route.from == header->idFrom) &&
                    route.code == header->code) {
                    result = (self.*route.handler)(header);
                    return true;
                }
            }
        }
        return false;
    }
};

}  // namespace kv::ui
