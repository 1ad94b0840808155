// A label drawn in a chosen colour on a transparent background, so the skin
// shows through.
#pragma once

#include <windows.h>

#include "ui/kit/gdi.h"
#include "ui/kit/window.h"

namespace kv::ui {

class ColorStatic : public Control {
  public:
    void SetTextColor(COLORREF color);
    // Text height in pixels.
    void SetTextSize(int pixels);
    COLORREF TextColor() const { return color_; }

  protected:
    bool Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  private:
    LRESULT OnPaint(WPARAM, LPARAM);
    LRESULT OnPrintClient(WPARAM, LPARAM);
    LRESULT OnEraseBackground(WPARAM, LPARAM) { return 1; }
    LRESULT OnSetText(WPARAM, LPARAM);
    void Paint(HDC dc);
    void RedrawWithBackground();

    COLORREF color_ = RGB(255, 255, 255);
    GdiFont font_;
};

}  // namespace kv::ui
