// An off-screen surface for flicker-free drawing: everything drawn on it
// reaches the target in one copy when the object goes out of scope.
#pragma once

#include <windows.h>

#include "ui/kit/gdi.h"

namespace kv::ui {

class CMyMemDC {
  public:
    // rect: the target's area to cover, in its logical coordinates; null or
    // empty means the target's clip box. copyIn: start from the target's pixels.
    CMyMemDC(HDC target, const RECT* rect = nullptr, bool copyIn = false);
    CMyMemDC(const CMyMemDC&) = delete;
    CMyMemDC& operator=(const CMyMemDC&) = delete;
    ~CMyMemDC();

    // Where to draw: the off-screen DC, or the target itself when printing.
    HDC dc() const { return offscreen_ ? memory_ : target_; }
    operator HDC() const { return dc(); }
    const RECT& rect() const { return rect_; }

  private:
    HDC target_;
    HDC memory_ = nullptr;
    GdiBitmap bitmap_;
    HGDIOBJ oldBitmap_ = nullptr;
    RECT rect_{};
    bool offscreen_ = false;
};

}  // namespace kv::ui
