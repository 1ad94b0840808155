#include "ui/kit/dialog_template.h"

namespace kv::ui {

MemoryDialogTemplate::MemoryDialogTemplate(DWORD style, short width, short height, std::wstring_view title) {
    style |= DS_SETFONT;
    const DWORD exStyle = 0;
    words_ = {LOWORD(style),
              HIWORD(style),
              LOWORD(exStyle),
              HIWORD(exStyle),
              0,  // no controls
              0,
              0,
              static_cast<WORD>(width),
              static_cast<WORD>(height),
              0,   // no menu
              0};  // default dialog class
    Put(title);
    words_.push_back(8);
    Put(L"MS Shell Dlg");
}

void MemoryDialogTemplate::Put(std::wstring_view text) {
    words_.insert(words_.end(), text.begin(), text.end());
    words_.push_back(0);
}

}  // namespace kv::ui
