// A value selector drawn as one bitmap chosen by its owner. Every change the
// user makes is posted to the parent as SliderPositionMessage.
#pragma once

#include <windows.h>

#include "ui/kit/gdi.h"
#include "ui/kit/window.h"

namespace kv::ui {

// Posted to the parent: wParam = control id, lParam = position.
inline constexpr UINT SliderPositionMessage = 0x28D1;

// Position under a mouse x: min + (x + 10) / width * (max - min), truncated
// toward zero (not clamped).
int SliderPositionFromX(int x, int minimum, int maximum, int faceWidth);
// The x at which a position sits: (pos - min) / (max - min) * width, truncated.
int SliderXFromPosition(int position, int minimum, int maximum, int faceWidth);

class CBitmapSlider : public Control {
  public:
    ~CBitmapSlider() override;

    // The bitmap stays the owner's. The first call sizes the control to it.
    void SetFaceBitmap(HBITMAP face);
    void SetRange(int minimum, int maximum);
    void SetPageSize(int page) { page_ = page; }
    // Clamped to the range, then redrawn.
    void SetPos(int position);
    void SetEnabled(bool enabled) { enabled_ = enabled; }

    int GetPos() const { return pos_; }
    int GetRangeMin() const { return min_; }
    int GetRangeMax() const { return max_; }
    bool IsHovered() const { return hover_; }
    bool IsDragging() const { return dragging_; }

  protected:
    bool Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  private:
    LRESULT OnPaint(WPARAM, LPARAM);
    LRESULT OnPrintClient(WPARAM, LPARAM);
    LRESULT OnEraseBackground(WPARAM, LPARAM) { return 1; }
    LRESULT OnLeftButtonDown(WPARAM, LPARAM);
    LRESULT OnMouseMove(WPARAM, LPARAM);
    LRESULT OnLeftButtonUp(WPARAM, LPARAM);
    LRESULT OnMouseLeave(WPARAM, LPARAM);
    LRESULT OnKeyDown(WPARAM, LPARAM);
    LRESULT OnMouseWheel(WPARAM, LPARAM);
    LRESULT OnGetDlgCode(WPARAM, LPARAM);
    LRESULT OnNcHitTest(WPARAM, LPARAM) { return HTCLIENT; }

    void Paint(HDC dc);
    void Notify();
    void MoveTo(int position);  // sets and reports
    int CurrentX() const { return SliderXFromPosition(pos_, min_, max_, faceSize_.cx); }

    int min_ = 0, max_ = 100, pos_ = 0, page_ = 10;
    HBITMAP face_ = nullptr;
    SIZE faceSize_{0, 0};
    HDC memory_ = nullptr;  // made with the first face
    HGDIOBJ memoryOld_ = nullptr;
    bool enabled_ = true, dragging_ = false, hover_ = false;
};

}  // namespace kv::ui
