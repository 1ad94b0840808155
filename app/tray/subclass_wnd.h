// Hooks a window's message stream without replacing its class. Several hooks
// may sit on one window; each passes messages on to the next, and all of them
// detach themselves when the window is destroyed.
#pragma once

#include <windows.h>

namespace kv::app {

class CSubclassWnd {
  public:
    CSubclassWnd() = default;
    virtual ~CSubclassWnd();
    CSubclassWnd(const CSubclassWnd&) = delete;
    CSubclassWnd& operator=(const CSubclassWnd&) = delete;

    // Must run on the window's thread. False when already attached or the window is gone.
    bool Attach(HWND window);
    void Detach();
    HWND Window() const { return window_; }

  protected:
    // Sees every message of the window; the default passes it on.
    virtual LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam);
    LRESULT PassOn(UINT message, WPARAM wparam, LPARAM lparam);

  private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                                 DWORD_PTR self);
    HWND window_ = nullptr;
};

}  // namespace kv::app
