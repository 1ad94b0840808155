// The keyboard filter of the main window: which messages it swallows, which
// run Apply first, and that a real dialog loop consults it.
#include "ui/main/keyboard_filter.h"

#include <gtest/gtest.h>

#include <string>

namespace kv::ui {
namespace {

constexpr int kModeListId = 1146;

struct Windows {
    Windows() {
        main =
            CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr, nullptr, nullptr);
        button = CreateWindowExW(0, L"BUTTON", L"", WS_CHILD, 0, 0, 20, 20, main, nullptr, nullptr, nullptr);
        mode_list =
            CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | CBS_DROPDOWN, 30, 0, 80, 80, main,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kModeListId)), nullptr, nullptr);
        mode_edit = GetWindow(mode_list, GW_CHILD);  // the drop-down's own edit box
        other =
            CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    }
    ~Windows() {
        DestroyWindow(other);
        DestroyWindow(main);
    }
    HWND main, button, mode_list, mode_edit, other;
};

TEST(KeyboardFilter, SwallowsEnterEscapeAndTheModeListsArrows) {
    Windows w;
    ASSERT_NE(w.mode_edit, nullptr);
    struct Case {
        const char* name;
        HWND target;
        UINT message;
        WPARAM key;
        HWND focus;
        FilterVerdict verdict;
    };
    const Case cases[] = {
        {"Enter on the window", w.main, WM_KEYDOWN, VK_RETURN, w.button, FilterVerdict::kSwallow},
        {"Enter released on a button", w.button, WM_KEYUP, VK_RETURN, w.button, FilterVerdict::kSwallow},
        {"Escape on a button", w.button, WM_KEYDOWN, VK_ESCAPE, w.button, FilterVerdict::kSwallow},
        {"Escape in another window", w.other, WM_KEYDOWN, VK_ESCAPE, w.other, FilterVerdict::kPass},
        {"an arrow on the mode list", w.mode_list, WM_KEYDOWN, VK_DOWN, w.mode_list, FilterVerdict::kSwallow},
        {"an arrow in the mode list's edit box", w.mode_edit, WM_KEYDOWN, VK_UP, w.mode_edit,
         FilterVerdict::kSwallow},
        {"left and right too", w.mode_list, WM_KEYUP, VK_LEFT, w.mode_list, FilterVerdict::kSwallow},
        {"an arrow elsewhere", w.button, WM_KEYDOWN, VK_DOWN, w.button, FilterVerdict::kPass},
        {"Scroll Lock", w.mode_list, WM_KEYDOWN, VK_SCROLL, w.mode_list, FilterVerdict::kPass},
        {"a letter", w.main, WM_KEYDOWN, 'A', w.button, FilterVerdict::kPass},
        {"Enter as a character", w.main, WM_CHAR, VK_RETURN, w.button, FilterVerdict::kPass},
        {"a time change for the window", w.main, WM_TIMECHANGE, 0, w.button, FilterVerdict::kApplyThenPass},
        {"a time change for a control", w.button, WM_TIMECHANGE, 0, w.button, FilterVerdict::kPass},
    };
    for (const Case& c : cases) {
        const MSG msg{c.target, c.message, c.key, 0, 0, {}};
        EXPECT_EQ(Filter(msg, w.main, c.focus, w.mode_list), c.verdict) << c.name;
    }
}

// IsDialogMessage consults the filter: Enter no longer reaches the dialog as IDOK.
TEST(KeyboardFilter, TheDialogManagerAsksItFirst) {
    Windows w;
    int applied = 0;
    {
        KeyboardFilter filter;
        ASSERT_TRUE(filter.Install(w.main, kModeListId, [&] { ++applied; }));
        KeyboardFilter second;
        EXPECT_FALSE(second.Install(w.main, kModeListId, [] {})) << "one filter per thread";
        const MSG enter{w.button, WM_KEYDOWN, VK_RETURN, 0, 0, {}};
        EXPECT_TRUE(IsDialogMessageW(w.main, const_cast<MSG*>(&enter)));
        const MSG time_change{w.main, WM_TIMECHANGE, 0, 0, 0, {}};
        IsDialogMessageW(w.main, const_cast<MSG*>(&time_change));
        EXPECT_EQ(applied, 1);
    }
    const MSG time_change{w.main, WM_TIMECHANGE, 0, 0, 0, {}};
    IsDialogMessageW(w.main, const_cast<MSG*>(&time_change));
    EXPECT_EQ(applied, 1) << "the filter stays after it was taken away";
}

}  // namespace
}  // namespace kv::ui
