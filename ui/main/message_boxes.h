// Messages and questions of the portable code as message boxes: the kind of
// message decides the flags, the language's "MAIN_CAPTION" is the caption.
#pragma once

#include <windows.h>

#include "model/sync/sync_host.h"
#include "ui/main/main_context.h"

namespace kv::ui {

// OK, and on top of other windows for messages about keyboard writes.
UINT MessageBoxFlags(model::MessageKind kind);
// Yes and No, No preselected.
inline constexpr UINT kConfirmFlags = MB_YESNO | MB_DEFBUTTON2;

class MessageBoxes : public model::Prompts {
  public:
    explicit MessageBoxes(MainContext& context) : context_(context), thread_(GetCurrentThreadId()) {}

    void ShowMessage(std::u16string_view text, model::MessageKind kind) override;
    bool Confirm(std::u16string_view question) override;

  private:
    int Show(std::u16string_view text, UINT flags);
    // The window owns boxes of its own thread while it shows.
    HWND Owner() const;

    MainContext& context_;
    DWORD thread_;
};

}  // namespace kv::ui
