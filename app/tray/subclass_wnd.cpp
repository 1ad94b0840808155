#include "app/tray/subclass_wnd.h"

#include <commctrl.h>

namespace kv::app {

CSubclassWnd::~CSubclassWnd() { Detach(); }

bool CSubclassWnd::Attach(HWND window) {
    if (window_ || !IsWindow(window)) return false;
    if (!SetWindowSubclass(window, &CSubclassWnd::Proc, reinterpret_cast<UINT_PTR>(this),
                           reinterpret_cast<DWORD_PTR>(this)))
        return false;
    window_ = window;
    return true;
}

void CSubclassWnd::Detach() {
    if (!window_) return;
    RemoveWindowSubclass(window_, &CSubclassWnd::Proc, reinterpret_cast<UINT_PTR>(this));
    window_ = nullptr;
}

LRESULT CSubclassWnd::WindowProc(UINT message, WPARAM wparam, LPARAM lparam) {
    return PassOn(message, wparam, lparam);
}

LRESULT CSubclassWnd::PassOn(UINT message, WPARAM wparam, LPARAM lparam) {
    return DefSubclassProc(window_, message, wparam, lparam);
}

LRESULT CALLBACK CSubclassWnd::Proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                    DWORD_PTR self_data) {
    auto* self = reinterpret_cast<CSubclassWnd*>(self_data);
    if (message == WM_NCDESTROY) {
        const LRESULT result = DefSubclassProc(window, message, wparam, lparam);
        self->Detach();
        return result;
    }
    try {
        return self->WindowProc(message, wparam, lparam);
    } catch (...) {
        return DefSubclassProc(window, message, wparam, lparam);
    }
}

}  // namespace kv::app
