// A dialog template built in memory: a window with no controls, for dialogs
// whose controls are created in code (tests, tools).
#pragma once

#include <windows.h>

#include <string_view>
#include <vector>

namespace kv::ui {

class MemoryDialogTemplate {
  public:
    // Size in dialog units; the font is "MS Shell Dlg" 8, as in the program's templates.
    MemoryDialogTemplate(DWORD style, short width, short height, std::wstring_view title = L"");
    const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

  private:
    void Put(std::wstring_view text);
    std::vector<WORD> words_;  // WORD-aligned storage, as the format wants
};

}  // namespace kv::ui
