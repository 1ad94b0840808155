// A flat colour button: a swatch with a small arrow. A click opens the colour
// picker; choosing a colour notifies the parent with BN_CLICKED.
#pragma once

#include <windows.h>

#include <string>

#include "ui/kit/window.h"

namespace kv::ui {

class CSkinColorBtn : public Control {
  public:
    void SetColor(COLORREF color);
    COLORREF GetColor() const { return color_; }
    // The picker's entry for any colour outside the palette.
    void EnableOtherButton(const std::wstring& caption) { otherCaption_ = caption; }
    void SetColumnsNumber(int columns) { columns_ = columns; }
    const std::wstring& OtherCaption() const { return otherCaption_; }
    int Columns() const { return columns_; }
    bool IsHovered() const { return hover_; }

  protected:
    bool Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnAttached() override;

  private:
    LRESULT OnPaint(WPARAM, LPARAM);
    LRESULT OnPrintClient(WPARAM, LPARAM);
    LRESULT OnEraseBackground(WPARAM, LPARAM) { return 1; }
    LRESULT OnMouseMove(WPARAM, LPARAM);
    LRESULT OnMouseLeave(WPARAM, LPARAM);
    LRESULT OnLeftButtonUp(WPARAM, LPARAM);
    void Paint(HDC dc);
    bool PickColor();

    COLORREF color_ = RGB(0, 0, 0);
    COLORREF custom_[16] = {};
    std::wstring otherCaption_ = L"other";
    int columns_ = 10;
    bool hover_ = false;
};

}  // namespace kv::ui
