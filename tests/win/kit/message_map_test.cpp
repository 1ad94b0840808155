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

}  // namespace
}  // namespace kv::ui::test
