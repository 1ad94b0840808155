// The dialog's drop-down lists in the skin's colours: the mouse, multimedia
// and function lists are drawn flat by the kit's skinned combo, and the macro
// selector (a combo with an edit field, which draws itself) gets the same
// field and list colours.
#pragma once

#include <windows.h>

#include "ui/kit/gdi.h"
#include "ui/kit/skin_combo.h"

namespace kv::ui {

class CompositeCombos {
  public:
    CompositeCombos();

    // Each opening, once the lists are placed and have their fonts.
    void Attach(HWND dialog);
    // WM_DRAWITEM of the skinned lists, the colours of the macro selector.
    bool Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

  private:
    CSkinCombo* ComboOf(int id);
    bool InMacroSelector(HWND control) const;

    HWND dialog_ = nullptr;
    CSkinCombo mouse_, media_, function_;
    GdiBrush field_brush_, list_brush_;
};

}  // namespace kv::ui
