#include "ui/kit/png_button.h"

#include <cmath>

#include "ui/kit/mem_dc.h"
#include "ui/kit/message_map.h"

namespace kv::ui {

bool CPngButton::Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    static constexpr MessageRoute<CPngButton> kMessages[] = {
        {WM_PAINT, &CPngButton::OnPaint},
        {WM_PRINTCLIENT, &CPngButton::OnPrintClient},
        {WM_ERASEBKGND, &CPngButton::OnEraseBackground},
        {WM_LBUTTONDBLCLK, &CPngButton::OnDoubleClick},
        {BM_SETSTATE, &CPngButton::OnSetState},
        {BM_GETCHECK, &CPngButton::OnGetCheck},
        {BM_SETCHECK, &CPngButton::OnSetCheck},
        {WM_ENABLE, &CPngButton::OnEnable},
        {WM_SETTEXT, &CPngButton::OnSetText},
        {WM_MOUSEMOVE, &CPngButton::OnMouseMove},
        {WM_MOUSEHOVER, &CPngButton::OnMouseHover},
        {WM_MOUSELEAVE, &CPngButton::OnMouseLeave},
        {WM_DESTROY, &CPngButton::OnDestroy},
    };
    static constexpr MessageMap<CPngButton> kMap{kMessages};
    return kMap.Route(*this, message, wParam, lParam, result);
}

void CPngButton::OnAttached() {
    const LONG_PTR style = GetWindowLongPtrW(hwnd_, GWL_STYLE);
    SetWindowLongPtrW(hwnd_, GWL_STYLE, (style & ~static_cast<LONG_PTR>(BS_TYPEMASK)) | BS_OWNERDRAW);
}

void CPngButton::Redraw() {
    if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
}

void CPngButton::SetStateImages(int x, int y, const StateCanvases& faces, bool redraw) {
    offset_ = {x, y};
    faces_ = faces;
    hover_ = pressed_ = tracking_ = false;
    if (redraw) Redraw();
}

void CPngButton::SetStateCanvases(const StateCanvases& faces, bool redraw) {
    faces_ = faces;
    if (redraw) Redraw();
}

void CPngButton::SetSourceOffset(int x, int y, bool redraw) {
    offset_ = {x, y};
    if (redraw) Redraw();
}

void CPngButton::SetAltImages(const StateCanvas* imageA, const StateCanvas* imageB, bool altMode,
                              int selector, bool redraw) {
    altA_ = imageA;
    altB_ = imageB;
    altMode_ = altMode;
    altSelector_ = selector;
    if (redraw) Redraw();
}

void CPngButton::SetFrame(COLORREF color, int width, bool on) {
    frameColor_ = color;
    frameOn_ = on;
    if (on) frameWidth_ = width > 100 ? 100 : width;
    Redraw();
}

void CPngButton::SetChecked(bool checked, bool redraw) {
    checked_ = checked;
    if (redraw) Redraw();
}

void CPngButton::SetTextStyle(bool show, int pointSize, const std::wstring& faceName,
                              const StateColors& colors, UINT format) {
    caption_ = CaptionStyle{show, pointSize, faceName, colors, format};
    Redraw();
}

void CPngButton::SetTextMargins(int left, int right, int top, int bottom) {
    margins_ = {left, top, right, bottom};
    Redraw();
}

void CPngButton::SetTextWeight(int weight) {
    textWeight_ = weight;
    Redraw();
}

void CPngButton::SetTextRotation(int escapement, bool rotate) {
    escapement_ = escapement;
    rotate_ = rotate;
    Redraw();
}

void CPngButton::SetTooltip(const std::wstring& text) {
    if (hwnd_) tooltip_.SetText(hwnd_, text);
}

LRESULT CPngButton::OnPaint(WPARAM, LPARAM) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd_, &paint);
    Paint(dc);
    EndPaint(hwnd_, &paint);
    return 0;
}

LRESULT CPngButton::OnPrintClient(WPARAM wParam, LPARAM) {
    Paint(reinterpret_cast<HDC>(wParam));
    return 0;
}

// A fast second click arrives as a double click; it must press the button again.
LRESULT CPngButton::OnDoubleClick(WPARAM wParam, LPARAM lParam) {
    return CallDefault(WM_LBUTTONDOWN, wParam, lParam);
}

// The control's own handling first (a press takes capture and focus), then the new face.
LRESULT CPngButton::OnSetState(WPARAM wParam, LPARAM lParam) {
    const LRESULT result = CallDefault(BM_SETSTATE, wParam, lParam);
    Redraw();
    return result;
}

// An owner-drawn button has no check state of its own; tests and accessibility
// tools read the checked face through the usual message.
LRESULT CPngButton::OnGetCheck(WPARAM, LPARAM) { return checked_ ? BST_CHECKED : BST_UNCHECKED; }

LRESULT CPngButton::OnSetCheck(WPARAM wParam, LPARAM) {
    SetChecked(wParam == BST_CHECKED, true);
    return 0;
}

LRESULT CPngButton::OnEnable(WPARAM wParam, LPARAM lParam) {
    const LRESULT result = CallDefault(WM_ENABLE, wParam, lParam);
    Redraw();
    return result;
}

LRESULT CPngButton::OnSetText(WPARAM wParam, LPARAM lParam) {
    const LRESULT result = CallDefault(WM_SETTEXT, wParam, lParam);
    Redraw();
    return result;
}

LRESULT CPngButton::OnMouseMove(WPARAM, LPARAM) {
    if (!tracking_) {
        TRACKMOUSEEVENT track{sizeof(track), TME_HOVER | TME_LEAVE, hwnd_, 1};
        tracking_ = TrackMouseEvent(&track) != FALSE;
    }
    return 0;
}

LRESULT CPngButton::OnMouseHover(WPARAM, LPARAM) {
    hover_ = true;
    Redraw();
    if (!tooltip_.text().empty()) tooltip_.SetText(hwnd_, tooltip_.text());
    return 0;
}

void CPngButton::HoldHover(bool held) {
    hoverHeld_ = held;
    Redraw();
}

LRESULT CPngButton::OnMouseLeave(WPARAM, LPARAM) {
    hover_ = tracking_ = false;
    Redraw();
    return 0;
}

LRESULT CPngButton::OnDestroy(WPARAM, LPARAM) {
    tooltip_.Destroy();
    return CallDefault(WM_DESTROY, 0, 0);
}

void CPngButton::Paint(HDC target) {
    RECT client;
    GetClientRect(hwnd_, &client);
    pressed_ = (SendMessageW(hwnd_, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;

    const StateCanvas* face = faces_.normal;
    bool normalFace = false;
    if (!IsWindowEnabled(hwnd_)) {
        face = faces_.disabled;
        textColor_ = caption_.colors.disabled;
    } else if (altMode_) {
        face = altSelector_ ? altB_ : altA_;
    } else if (pressed_) {
        face = faces_.down;
        textColor_ = caption_.colors.down;
    } else if (hover_ || hoverHeld_) {
        face = faces_.over;
        textColor_ = caption_.colors.over;
    } else if (checked_) {
        face = faces_.checked;
        textColor_ = caption_.colors.checked;
    } else {
        textColor_ = caption_.colors.normal;
        normalFace = true;
    }

    {
        // Frame mode keeps what lies under the button and only outlines it.
        CMyMemDC dc(target, &client, frameOn_);
        if (frameOn_) {
            GdiPen pen(CreatePen(PS_SOLID, 2, frameColor_));
            SelectGuard selectPen(dc, pen.get());
            SelectGuard selectBrush(dc, GetStockObject(HOLLOW_BRUSH));
            Rectangle(dc, 1, 1, client.right - 1, client.bottom - 1);
        } else if (face) {
            DrawFromCanvas(*face, dc, offset_.x - 1, offset_.y - 1, client.right, client.bottom);
        }
        if (caption_.show) DrawCaption(dc, client, textColor_);
    }
    if (drawCallback_) drawCallback_(hwnd_, normalFace && !frameOn_);
}

void CPngButton::DrawCaption(HDC dc, const RECT& client, COLORREF color) {
    const std::wstring text = Text();
    if (text.empty()) return;
    RECT box{client.left + margins_.left, client.top + margins_.top, client.right + margins_.right,
             client.bottom + margins_.bottom};
    const int height = -MulDiv(caption_.pointSize, GetDeviceCaps(dc, LOGPIXELSY), 72);
    GdiFont font(CreateFontW(height, 0, escapement_, escapement_, rotate_ ? 956 : textWeight_, FALSE, FALSE,
                             FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             DEFAULT_PITCH, caption_.faceName.c_str()));
    SelectGuard selectFont(dc, font.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, color);
    if (!rotate_) {
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box, caption_.format);
        return;
    }
    // Rotated text: start where the rotated text's centre meets the box's centre.
    SIZE extent{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    const double angle = escapement_ / 10.0 * 3.14159265358979323846 / 180.0;
    const double c = std::cos(angle), s = std::sin(angle);
    const double centreX = (box.left + box.right) / 2.0, centreY = (box.top + box.bottom) / 2.0;
    const double startX = centreX - (extent.cx / 2.0 * c + extent.cy / 2.0 * s);
    const double startY = centreY - (-extent.cx / 2.0 * s + extent.cy / 2.0 * c);
    const UINT oldAlign = SetTextAlign(dc, TA_LEFT | TA_TOP);
    TextOutW(dc, static_cast<int>(std::lround(startX)), static_cast<int>(std::lround(startY)), text.c_str(),
             static_cast<int>(text.size()));
    SetTextAlign(dc, oldAlign);
}

}  // namespace kv::ui
