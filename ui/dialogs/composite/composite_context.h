// What the parts of the key assignment dialog (pages, lists, recorder) share:
// the dialog's window, its host, the kind being built and the changed flag,
// language texts, message boxes and the clock. The dialog implements it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "ui/dialogs/composite/composite_host.h"
#include "ui/dialogs/composite/composite_pictures.h"

namespace kv::ui {

class CompositeContext {
  public:
    virtual ~CompositeContext() = default;

    virtual HWND Hwnd() const = 0;
    virtual CompositeHost& Host() const = 0;
    virtual const CompositeCanvases& Canvases() const = 0;
    // False once the dialog has been closed or asked to close: a handler that
    // comes back from a message box leaves the dialog alone then.
    virtual bool IsOpen() const = 0;
    // Whether keystrokes are for the dialog: open, and none of its message
    // boxes up (the box's keys must reach the box).
    virtual bool Listening() const = 0;

    // Entry number (profile * 512 + key index) of the key being edited.
    virtual int EditedEntry() const = 0;
    virtual uint16_t Kind() const = 0;
    virtual void SetKind(uint16_t kind) = 0;
    // Sets the changed flag (Apply becomes available).
    virtual void MarkChanged() = 0;

    // A text of the current language; call it with two literals,
    // Text(L"TEXT", L"MACRO_OK"), so the language check finds the key.
    virtual std::wstring Text(const wchar_t* section, const wchar_t* key) const = 0;
    // A message box owned by the dialog, as a nested loop; never call it while
    // holding WorkingConfigLock. The answer is 0 when the box was ended from outside.
    virtual int Ask(const std::wstring& text, UINT flags) = 0;

    // Milliseconds of the recorder's clock (GetTickCount unless a test set another).
    virtual uint32_t Now() const = 0;
};

}  // namespace kv::ui
