// A label that opens a web address when clicked: underlined text in link
// colours (another colour once visited) and a hand cursor over it.
#pragma once

#include <windows.h>

#include <string>

#include "ui/kit/gdi.h"
#include "ui/kit/window.h"

namespace kv::ui {

class CHyperLink : public Control {
  public:
    static constexpr COLORREF kLinkColor = RGB(0, 0, 238);
    static constexpr COLORREF kVisitedColor = RGB(85, 26, 139);

    // The label shows its window text; a click opens the target.
    void SetTarget(std::wstring target) { target_ = std::move(target); }
    const std::wstring& Target() const { return target_; }
    bool Visited() const { return visited_; }

    // Opens the target (plain web addresses only) and shows the link as
    // visited. When that fails: the exclamation sound and the shell's error
    // in a message box.
    bool Open();

  protected:
    bool Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  private:
    LRESULT OnPaint(WPARAM, LPARAM);
    LRESULT OnHitTest(WPARAM, LPARAM) { return HTCLIENT; }
    LRESULT OnSetCursor(WPARAM, LPARAM);
    LRESULT OnLeftButtonUp(WPARAM, LPARAM);
    LRESULT OnSetText(WPARAM, LPARAM);
    void Paint(HDC dc);

    std::wstring target_;
    bool visited_ = false;
    GdiFont underlined_;
};

}  // namespace kv::ui
