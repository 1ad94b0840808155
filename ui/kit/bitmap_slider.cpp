#include "ui/kit/bitmap_slider.h"

#include <windowsx.h>

#include <algorithm>

#include "ui/kit/message_map.h"

namespace kv::ui {

int SliderPositionFromX(int x, int minimum, int maximum, int faceWidth) {
    if (faceWidth <= 0) return minimum;
    const double offset = (x + 10.0) / faceWidth * (maximum - minimum);
    return minimum + static_cast<int>(offset);  // truncates toward zero
}

int SliderXFromPosition(int position, int minimum, int maximum, int faceWidth) {
    if (maximum == minimum) return 0;
    return static_cast<int>(static_cast<double>(position - minimum) / (maximum - minimum) * faceWidth);
}

CBitmapSlider::~CBitmapSlider() {
    if (memory_) {
        SelectObject(memory_, memoryOld_);
        DeleteDC(memory_);
    }
}

bool CBitmapSlider::Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    static constexpr MessageRoute<CBitmapSlider> kMessages[] = {
        {WM_PAINT, &CBitmapSlider::OnPaint},
        {WM_PRINTCLIENT, &CBitmapSlider::OnPrintClient},
        {WM_ERASEBKGND, &CBitmapSlider::OnEraseBackground},
        {WM_LBUTTONDOWN, &CBitmapSlider::OnLeftButtonDown},
        {WM_MOUSEMOVE, &CBitmapSlider::OnMouseMove},
        {WM_LBUTTONUP, &CBitmapSlider::OnLeftButtonUp},
        {WM_MOUSELEAVE, &CBitmapSlider::OnMouseLeave},
        {WM_KEYDOWN, &CBitmapSlider::OnKeyDown},
        {WM_MOUSEWHEEL, &CBitmapSlider::OnMouseWheel},
        {WM_GETDLGCODE, &CBitmapSlider::OnGetDlgCode},
        {WM_NCHITTEST, &CBitmapSlider::OnNcHitTest},  // a static is transparent to the mouse otherwise
    };
    static constexpr MessageMap<CBitmapSlider> kMap{kMessages};
    return kMap.Route(*this, message, wParam, lParam, result);
}

void CBitmapSlider::SetFaceBitmap(HBITMAP face) {
    if (!face) return;
    BITMAP info{};
    GetObjectW(face, sizeof(info), &info);
    face_ = face;
    if (!memory_) {
        faceSize_ = {info.bmWidth, info.bmHeight};
        SetWindowPos(hwnd_, nullptr, 0, 0, faceSize_.cx, faceSize_.cy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        HDC screen = GetDC(nullptr);
        memory_ = CreateCompatibleDC(screen);
        ReleaseDC(nullptr, screen);
        memoryOld_ = SelectObject(memory_, face_);
    } else {
        SelectObject(memory_, face_);
    }
    InvalidateRect(hwnd_, nullptr, FALSE);
}

void CBitmapSlider::SetRange(int minimum, int maximum) {
    min_ = minimum;
    max_ = maximum;
}

void CBitmapSlider::SetPos(int position) {
    pos_ = std::clamp(position, min_, std::max(min_, max_));
    if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
}

void CBitmapSlider::Notify() {
    PostMessageW(GetParent(hwnd_), SliderPositionMessage, static_cast<WPARAM>(Id()), pos_);
}

void CBitmapSlider::MoveTo(int position) {
    SetPos(position);
    Notify();
}

LRESULT CBitmapSlider::OnLeftButtonDown(WPARAM, LPARAM lParam) {
    const int x = GET_X_LPARAM(lParam);
    const bool moved = x != CurrentX();
    SetPos(SliderPositionFromX(x, min_, max_, faceSize_.cx));
    if (moved) Notify();
    SetCapture(hwnd_);
    SetFocus(hwnd_);
    dragging_ = true;
    hover_ = true;
    TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, hwnd_, 0};
    TrackMouseEvent(&track);
    return 0;
}

LRESULT CBitmapSlider::OnMouseMove(WPARAM, LPARAM lParam) {
    const int x = GET_X_LPARAM(lParam);
    if (dragging_ && x != CurrentX()) MoveTo(SliderPositionFromX(x, min_, max_, faceSize_.cx));
    return 0;
}

LRESULT CBitmapSlider::OnLeftButtonUp(WPARAM, LPARAM) {
    if (!enabled_) return 0;
    dragging_ = false;
    if (GetCapture() == hwnd_) ReleaseCapture();
    Notify();
    return 0;
}

LRESULT CBitmapSlider::OnMouseLeave(WPARAM, LPARAM) {
    hover_ = false;
    InvalidateRect(hwnd_, nullptr, FALSE);
    return 0;
}

LRESULT CBitmapSlider::OnKeyDown(WPARAM wParam, LPARAM lParam) {
    switch (wParam) {
        case VK_PRIOR:
            MoveTo(pos_ - page_);
            return 0;
        case VK_NEXT:
            MoveTo(pos_ + page_);
            return 0;
        case VK_END:
            MoveTo(max_);
            return 0;
        case VK_HOME:
            MoveTo(min_);
            return 0;
        case VK_LEFT:
        case VK_UP:
            MoveTo(pos_ - 1);
            return 0;
        case VK_RIGHT:
        case VK_DOWN:
            MoveTo(pos_ + 1);
            return 0;
        default:
            return CallDefault(WM_KEYDOWN, wParam, lParam);
    }
}

LRESULT CBitmapSlider::OnMouseWheel(WPARAM wParam, LPARAM) {
    if (!hover_) return 0;
    MoveTo(GET_WHEEL_DELTA_WPARAM(wParam) > 0 ? pos_ - 1 : pos_ + 1);
    return 0;
}

LRESULT CBitmapSlider::OnGetDlgCode(WPARAM wParam, LPARAM lParam) {
    if (GetKeyState(VK_TAB) < 0) return CallDefault(WM_GETDLGCODE, wParam, lParam);
    return DLGC_WANTARROWS;
}

LRESULT CBitmapSlider::OnPaint(WPARAM, LPARAM) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd_, &paint);
    Paint(dc);
    EndPaint(hwnd_, &paint);
    return 0;
}

LRESULT CBitmapSlider::OnPrintClient(WPARAM wParam, LPARAM) {
    Paint(reinterpret_cast<HDC>(wParam));
    return 0;
}

void CBitmapSlider::Paint(HDC dc) {
    if (memory_) BitBlt(dc, 0, 0, faceSize_.cx, faceSize_.cy, memory_, 0, 0, SRCCOPY);
    if (hover_) {
        RECT client;
        GetClientRect(hwnd_, &client);
        DrawFocusRect(dc, &client);
    }
}

}  // namespace kv::ui
