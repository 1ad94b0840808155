#include "ui/main/message_boxes.h"

#include "app/settings/language_texts.h"
#include "ui/kit/nested_loops.h"

namespace kv::ui {

UINT MessageBoxFlags(model::MessageKind kind) {
    return kind == model::MessageKind::kKeyboardWrite ? MB_OK | MB_TOPMOST : MB_OK;
}

void MessageBoxes::ShowMessage(std::u16string_view text, model::MessageKind kind) {
    Show(text, MessageBoxFlags(kind));
}

bool MessageBoxes::Confirm(std::u16string_view question) { return Show(question, kConfirmFlags) == IDYES; }

int MessageBoxes::Show(std::u16string_view text, UINT flags) {
    const std::wstring caption = context_.Text(L"MAIN_CAPTION");
    if (GetCurrentThreadId() != thread_)  // a box of its own on another thread's loop
        return MessageBoxW(nullptr, app::ToWide(text).c_str(), caption.c_str(), flags);
    return NestedMessageBox(Owner(), app::ToWide(text), caption, flags);
}

HWND MessageBoxes::Owner() const { return IsWindowVisible(context_.hwnd) ? context_.hwnd : nullptr; }

}  // namespace kv::ui
