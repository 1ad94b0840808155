// The main window's keyboard filter: every message the dialog manager is
// about to take for the window or one of its controls passes it first (a
// message-filter hook of the window's thread). Enter and Escape are
// swallowed, so neither applies, closes nor hides anything; the arrow keys
// are swallowed while the lighting mode list has the focus, so the mode is
// not changed by them; a time change that reaches the window itself runs
// Apply first and then goes on. The window's modeless dialogs (the about
// box) get their keyboard navigation here too, as no loop of their own asks
// the dialog manager for them.
#pragma once

#include <windows.h>

#include <functional>

namespace kv::ui {

enum class FilterVerdict { kPass, kSwallow, kApplyThenPass };

// What the filter does with a message for the window `main`, the keyboard
// focus being on `focus` and the mode list being `mode_list`.
FilterVerdict Filter(const MSG& msg, HWND main, HWND focus, HWND mode_list);

class KeyboardFilter {
  public:
    KeyboardFilter() = default;
    ~KeyboardFilter() { Uninstall(); }
    KeyboardFilter(const KeyboardFilter&) = delete;
    KeyboardFilter& operator=(const KeyboardFilter&) = delete;

    // On the window's thread; one filter per thread.
    bool Install(HWND main, int mode_list_id, std::function<void()> apply);
    // The modeless dialog open now, or null.
    void SetModeless(std::function<HWND()> modeless) { modeless_ = std::move(modeless); }
    void Uninstall();

  private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);

    HWND main_ = nullptr;
    int mode_list_id_ = 0;
    std::function<void()> apply_;
    std::function<HWND()> modeless_;
    HHOOK hook_ = nullptr;
};

}  // namespace kv::ui
