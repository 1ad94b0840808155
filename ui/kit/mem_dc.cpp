#include "ui/kit/mem_dc.h"

namespace kv::ui {

CMyMemDC::CMyMemDC(HDC target, const RECT* rect, bool copyIn) : target_(target) {
    if (rect && !IsRectEmpty(rect))
        rect_ = *rect;
    else
        GetClipBox(target, &rect_);
    // Printers get the drawing directly: their DCs have no screen-compatible bitmaps.
    if (GetDeviceCaps(target, TECHNOLOGY) == DT_RASPRINTER) return;
    const int width = rect_.right - rect_.left, height = rect_.bottom - rect_.top;
    if (width <= 0 || height <= 0) return;
    memory_ = CreateCompatibleDC(target);
    bitmap_.Reset(CreateCompatibleBitmap(target, width, height));
    if (!memory_ || !bitmap_) {
        if (memory_) DeleteDC(memory_);
        memory_ = nullptr;
        return;
    }
    oldBitmap_ = SelectObject(memory_, bitmap_.get());
    SetWindowOrgEx(memory_, rect_.left, rect_.top, nullptr);
    offscreen_ = true;
    if (copyIn)
        BitBlt(memory_, rect_.left, rect_.top, width, height, target_, rect_.left, rect_.top, SRCCOPY);
}

CMyMemDC::~CMyMemDC() {
    if (!offscreen_) return;
    BitBlt(target_, rect_.left, rect_.top, rect_.right - rect_.left, rect_.bottom - rect_.top, memory_,
           rect_.left, rect_.top, SRCCOPY);
    SelectObject(memory_, oldBitmap_);
    DeleteDC(memory_);
}

}  // namespace kv::ui
