// A drop-down list that an owner puts over a report-list cell as its editor.
// Choosing an entry posts a message the owner chose (usually an Enter key
// press to the list, which ends the edit keeping the choice).
#pragma once

#include <windows.h>

#include "ui/kit/window.h"

namespace kv::ui {

class CComboBox4ListCtrl : public Control {
  public:
    ~CComboBox4ListCtrl() override;

    // Creates the combo (drop-down list) as a child of the list over the rect;
    // the post target is cleared.
    bool CreateOver(HWND list, int id, const RECT& rect, DWORD extraStyle = 0);
    void SetPostOnSelect(HWND target, UINT message, WPARAM wParam, LPARAM lParam);
    // Enter key press as the list's key rules expect it.
    void PostEnterOnSelect(HWND list);
    void Destroy();

  protected:
    bool Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  private:
    LRESULT OnReflectedCommand(WPARAM, LPARAM);
    LRESULT OnKeyDown(WPARAM, LPARAM);
    LRESULT OnGetDlgCode(WPARAM, LPARAM) { return DLGC_WANTALLKEYS; }
    LRESULT OnKillFocus(WPARAM, LPARAM) { return 0; }

    HWND target_ = nullptr;
    UINT message_ = 0;
    WPARAM wParam_ = 0;
    LPARAM lParam_ = 0;
};

}  // namespace kv::ui
