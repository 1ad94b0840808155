// Enter and Escape never reach the dialog manager of the key assignment
// dialog (which would press OK or Cancel): a message filter on this thread
// sees them first, lets the owner look at them (the action list ends its cell
// edit with them) and swallows them. The filter is owned and goes with the
// dialog.
#pragma once

#include <windows.h>

#include <functional>

#include "app/startup/handles.h"

namespace kv::ui {

class DialogKeyFilter {
  public:
    using Preview = std::function<void(const MSG& message)>;

    DialogKeyFilter() = default;
    DialogKeyFilter(const DialogKeyFilter&) = delete;
    DialogKeyFilter& operator=(const DialogKeyFilter&) = delete;
    ~DialogKeyFilter() { Remove(); }

    // Filters the Enter and Escape key messages bound for `dialog` or one of its children.
    bool Install(HWND dialog, Preview preview);
    void Remove();
    bool Installed() const { return static_cast<bool>(hook_); }

    // Whether the filter takes this message (Enter or Escape, down or up, for the dialog).
    bool Takes(const MSG& message) const;

  private:
    static LRESULT CALLBACK FilterProc(int code, WPARAM wParam, LPARAM lParam);
    static void Unhook(HHOOK hook) { UnhookWindowsHookEx(hook); }

    app::UniqueHandle<HHOOK, &DialogKeyFilter::Unhook> hook_;
    HWND dialog_ = nullptr;
    Preview preview_;
};

}  // namespace kv::ui
