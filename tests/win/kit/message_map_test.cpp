// Routing tables: which handler a message, command or notification reaches.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "ui/kit/message_map.h"

namespace kv::ui::test {
namespace {

struct Target {
    std::string last;
    LRESULT OnTimer(WPARAM id, LPARAM) { return last = "timer " + std::to_string(id), 7; }
    void OnOk(WORD) { last = "ok"; }
    void OnModeChanged(WORD) { last = "mode changed"; }
    void OnAnyMode(WORD code) { last = "mode " + std::to_string(code); }
    LRESULT OnClick(NMHDR* header) { return last = "click " + std::to_string(header->idFrom), 3; }

    bool Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
        static constexpr MessageRoute<Target> kMessages[] = {
            {WM_TIMER, &Target::OnTimer},
        };
        static constexpr CommandRoute<Target> kCommands[] = {
            {IDOK, kAnyNotify, &Target::OnOk},
            {1146, CBN_SELCHANGE, &Target::OnModeChanged},
            {1146, kAnyNotify, &Target::OnAnyMode},
        };
        static constexpr NotifyRoute<Target> kNotifies[] = {
            {1019, NM_CLICK, &Target::OnClick},
        };
        static constexpr MessageMap<Target> kMap{kMessages, kCommands, kNotifies};
        return kMap.Route(*this, message, wParam, lParam, result);
    }
};

// A window part with ranges and timers but no WM_TIMER entry of its own.
struct Panel {
    std::string last;
    void OnOk(WORD) { last = "ok"; }
    void OnKey(WORD id, WORD code) { last = "key " + std::to_string(id) + " " + std::to_string(code); }
    void OnAnyInRange(WORD id, WORD) { last = "range " + std::to_string(id); }
    void OnBusyTick() { last = "busy tick"; }
    void OnLightingTick() { last = "lighting tick"; }

    bool Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
        static constexpr CommandRoute<Panel> kCommands[] = {
            {1050, BN_CLICKED, &Panel::OnOk},
        };
        static constexpr CommandRangeRoute<Panel> kRanges[] = {
            {1010, 1120, BN_CLICKED, &Panel::OnKey},
            {1000, 1200, kAnyNotify, &Panel::OnAnyInRange},
        };
        static constexpr TimerRoute<Panel> kTimers[] = {
            {1050, &Panel::OnBusyTick},
            {1051, &Panel::OnLightingTick},
        };
        static constexpr MessageMap<Panel> kMap{{}, kCommands, {}, kRanges, kTimers};
        return kMap.Route(*this, message, wParam, lParam, result);
    }
};

TEST(MessageMap, RoutesByMessageCommandAndNotification) {
    NMHDR click{nullptr, 1019, static_cast<UINT>(NM_CLICK)};
    NMHDR otherSender{nullptr, 1020, static_cast<UINT>(NM_CLICK)};
    struct Case {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        bool handled;
        const char* last;
        LRESULT result;
    };
    const Case cases[] = {
        {WM_TIMER, 1050, 0, true, "timer 1050", 7},
        {WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0, true, "ok", 0},
        {WM_COMMAND, MAKEWPARAM(1146, CBN_SELCHANGE), 0, true, "mode changed", 0},  // first match wins
        {WM_COMMAND, MAKEWPARAM(1146, CBN_DROPDOWN), 0, true, "mode 7", 0},
        {WM_COMMAND, MAKEWPARAM(1147, BN_CLICKED), 0, false, "", -1},
        {WM_NOTIFY, 1019, reinterpret_cast<LPARAM>(&click), true, "click 1019", 3},
        {WM_NOTIFY, 1020, reinterpret_cast<LPARAM>(&otherSender), false, "", -1},
        {WM_PAINT, 0, 0, false, "", -1},
    };
    for (const Case& c : cases) {
        Target target;
        LRESULT result = -1;
        EXPECT_EQ(target.Route(c.message, c.wParam, c.lParam, result), c.handled) << c.last;
        EXPECT_EQ(target.last, c.last);
        EXPECT_EQ(result, c.result) << c.last;
    }
}

TEST(MessageMap, RoutesIdRangesAndTimers) {
    struct Case {
        UINT message;
        WPARAM wParam;
        bool handled;
        const char* last;
    };
    const Case cases[] = {
        {WM_COMMAND, MAKEWPARAM(1050, BN_CLICKED), true, "ok"},  // a single id beats the range around it
        {WM_COMMAND, MAKEWPARAM(1010, BN_CLICKED), true, "key 1010 0"},
        {WM_COMMAND, MAKEWPARAM(1120, BN_CLICKED), true, "key 1120 0"},
        {WM_COMMAND, MAKEWPARAM(1120, BN_DOUBLECLICKED), true, "range 1120"},  // code decides the range
        {WM_COMMAND, MAKEWPARAM(1009, BN_CLICKED), true, "range 1009"},
        {WM_COMMAND, MAKEWPARAM(1200, CBN_SELCHANGE), true, "range 1200"},
        {WM_COMMAND, MAKEWPARAM(999, BN_CLICKED), false, ""},
        {WM_COMMAND, MAKEWPARAM(1201, BN_CLICKED), false, ""},
        {WM_TIMER, 1050, true, "busy tick"},  // timer ids and command ids do not mix
        {WM_TIMER, 1051, true, "lighting tick"},
        {WM_TIMER, 1052, false, ""},
        {WM_USER, 1050, false, ""},
    };
    for (const Case& c : cases) {
        Panel panel;
        LRESULT result = -1;
        EXPECT_EQ(panel.Route(c.message, c.wParam, 0, result), c.handled) << c.last;
        EXPECT_EQ(panel.last, c.last);
        EXPECT_EQ(result, c.handled ? 0 : -1) << c.last;
    }
}

}  // namespace
}  // namespace kv::ui::test
