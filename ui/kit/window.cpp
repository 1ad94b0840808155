#include "ui/kit/window.h"

#include <commctrl.h>

#include "ui/kit/message_map.h"

namespace kv::ui {

namespace {

// Messages whose dialog-procedure answer is the value itself, not DWLP_MSGRESULT.
bool AnswersDirectly(UINT message) {
    return message == WM_INITDIALOG || message == WM_CHARTOITEM || message == WM_VKEYTOITEM ||
           message == WM_COMPAREITEM || message == WM_QUERYDRAGICON ||
           (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC);
}

constexpr UINT_PTR kSubclassId = 0x4B56;  // one kit object per control

}  // namespace

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::wstring Window::Text() const { return WindowText(hwnd_); }

// ---- Dialog ----

Dialog::~Dialog() {
    if (hwnd_) {
        SetWindowLongPtrW(hwnd_, DWLP_USER, 0);
        if (!modal_) DestroyWindow(hwnd_);
    }
}

INT_PTR Dialog::DoModal(HWND parent) {
    modal_ = true;
    auto self = reinterpret_cast<LPARAM>(this);
    if (template_.memory)
        return DialogBoxIndirectParamW(GetModuleHandleW(nullptr), template_.memory, parent, Procedure, self);
    return DialogBoxParamW(template_.instance, template_.name, parent, Procedure, self);
}

HWND Dialog::Create(HWND parent) {
    modal_ = false;
    auto self = reinterpret_cast<LPARAM>(this);
    if (template_.memory)
        return CreateDialogIndirectParamW(GetModuleHandleW(nullptr), template_.memory, parent, Procedure,
                                          self);
    return CreateDialogParamW(template_.instance, template_.name, parent, Procedure, self);
}

void Dialog::End(INT_PTR result) {
    if (!hwnd_) return;
    if (modal_)
        EndDialog(hwnd_, result);
    else
        DestroyWindow(hwnd_);
}

bool Dialog::Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    static constexpr MessageRoute<Dialog> kMessages[] = {
        {WM_INITDIALOG, &Dialog::InitDialogMessage},
        {WM_NOTIFY, &Dialog::ReflectNotify},
    };
    static constexpr CommandRoute<Dialog> kCommands[] = {
        {IDOK, kAnyNotify, &Dialog::OkCommand},
        {IDCANCEL, kAnyNotify, &Dialog::CancelCommand},
    };
    static constexpr MessageMap<Dialog> kMap{kMessages, kCommands};
    return kMap.Route(*this, message, wParam, lParam, result);
}

LRESULT Dialog::InitDialogMessage(WPARAM, LPARAM) { return OnInitDialog(); }

LRESULT Dialog::ReflectNotify(WPARAM wParam, LPARAM lParam) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (!header || !header->hwndFrom || GetParent(header->hwndFrom) != hwnd_) return 0;
    return SendMessageW(header->hwndFrom, kReflectedNotify, wParam, lParam);
}

INT_PTR CALLBACK Dialog::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Dialog* self = nullptr;
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<Dialog*>(lParam);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
    } else {
        self = reinterpret_cast<Dialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    }
    if (!self) return FALSE;

    LRESULT result = 0;
    bool handled = false;
    try {
        handled = self->Route(message, wParam, lParam, result);
    } catch (...) {
        handled = false;  // nothing escapes into the dialog manager
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, DWLP_USER, 0);
        self->hwnd_ = nullptr;
        self->OnFinalMessage();
    }
    if (!handled) return FALSE;
    if (AnswersDirectly(message)) return static_cast<INT_PTR>(result);
    SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, result);
    return TRUE;
}

// ---- Control ----

Control::~Control() { Detach(); }

bool Control::Attach(HWND control) {
    Detach();
    if (!control || !SetWindowSubclass(control, Procedure, kSubclassId, reinterpret_cast<DWORD_PTR>(this)))
        return false;
    hwnd_ = control;
    OnAttached();
    return true;
}

bool Control::Create(LPCWSTR className, HWND parent, int id, DWORD style, const RECT& rect, DWORD exStyle,
                     LPCWSTR text) {
    HWND created = CreateWindowExW(exStyle, className, text, style | WS_CHILD, rect.left, rect.top,
                                   rect.right - rect.left, rect.bottom - rect.top, parent,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   GetModuleHandleW(nullptr), nullptr);
    if (!created) return false;
    if (Attach(created)) return true;
    DestroyWindow(created);
    return false;
}

void Control::Detach() {
    if (!hwnd_) return;
    RemoveWindowSubclass(hwnd_, Procedure, kSubclassId);
    hwnd_ = nullptr;
}

LRESULT Control::CallDefault(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefSubclassProc(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK Control::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                    DWORD_PTR data) {
    auto* self = reinterpret_cast<Control*>(data);
    LRESULT result = 0;
    bool handled = false;
    try {
        handled = self->Route(message, wParam, lParam, result);
    } catch (...) {
        handled = false;
    }
    if (!handled) result = DefSubclassProc(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(hwnd, Procedure, kSubclassId);
        self->hwnd_ = nullptr;
        self->OnFinalMessage();
    }
    return result;
}

}  // namespace kv::ui
