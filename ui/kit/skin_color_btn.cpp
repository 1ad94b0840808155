#include "ui/kit/skin_color_btn.h"

#include <commdlg.h>
#include <windowsx.h>

#include "ui/kit/gdi.h"
#include "ui/kit/mem_dc.h"
#include "ui/kit/message_map.h"

namespace kv::ui {

bool CSkinColorBtn::Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    static constexpr MessageRoute<CSkinColorBtn> kMessages[] = {
        {WM_PAINT, &CSkinColorBtn::OnPaint},
        {WM_PRINTCLIENT, &CSkinColorBtn::OnPrintClient},
        {WM_ERASEBKGND, &CSkinColorBtn::OnEraseBackground},
        {WM_MOUSEMOVE, &CSkinColorBtn::OnMouseMove},
        {WM_MOUSELEAVE, &CSkinColorBtn::OnMouseLeave},
        {WM_LBUTTONUP, &CSkinColorBtn::OnLeftButtonUp},
    };
    static constexpr MessageMap<CSkinColorBtn> kMap{kMessages};
    return kMap.Route(*this, message, wParam, lParam, result);
}

void CSkinColorBtn::OnAttached() {
    const LONG_PTR style = GetWindowLongPtrW(hwnd_, GWL_STYLE);
    SetWindowLongPtrW(hwnd_, GWL_STYLE, (style & ~static_cast<LONG_PTR>(BS_TYPEMASK)) | BS_OWNERDRAW);
}

void CSkinColorBtn::SetColor(COLORREF color) {
    color_ = color;
    if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
}

LRESULT CSkinColorBtn::OnMouseMove(WPARAM wParam, LPARAM lParam) {
    if (!hover_) {
        hover_ = true;
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, hwnd_, 0};
        TrackMouseEvent(&track);
        InvalidateRect(hwnd_, nullptr, FALSE);
    }
    return CallDefault(WM_MOUSEMOVE, wParam, lParam);
}

LRESULT CSkinColorBtn::OnMouseLeave(WPARAM, LPARAM) {
    hover_ = false;
    InvalidateRect(hwnd_, nullptr, FALSE);
    return 0;
}

// The release opens the picker instead of clicking: the parent hears only of a chosen colour.
LRESULT CSkinColorBtn::OnLeftButtonUp(WPARAM, LPARAM lParam) {
    const bool pressed = (SendMessageW(hwnd_, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
    SendMessageW(hwnd_, BM_SETSTATE, FALSE, 0);
    if (GetCapture() == hwnd_) ReleaseCapture();
    RECT client;
    GetClientRect(hwnd_, &client);
    const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (pressed && PtInRect(&client, at) && PickColor())
        SendMessageW(GetParent(hwnd_), WM_COMMAND, MAKEWPARAM(Id(), BN_CLICKED),
                     reinterpret_cast<LPARAM>(hwnd_));
    return 0;
}

bool CSkinColorBtn::PickColor() {
    CHOOSECOLORW choose{};
    choose.lStructSize = sizeof(choose);
    choose.hwndOwner = GetParent(hwnd_);
    choose.rgbResult = color_;
    choose.lpCustColors = custom_;
    choose.Flags = CC_RGBINIT | CC_FULLOPEN;
    if (!ChooseColorW(&choose)) return false;
    SetColor(choose.rgbResult);
    return true;
}

LRESULT CSkinColorBtn::OnPaint(WPARAM, LPARAM) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd_, &paint);
    Paint(dc);
    EndPaint(hwnd_, &paint);
    return 0;
}

LRESULT CSkinColorBtn::OnPrintClient(WPARAM wParam, LPARAM) {
    Paint(reinterpret_cast<HDC>(wParam));
    return 0;
}

void CSkinColorBtn::Paint(HDC target) {
    RECT client;
    GetClientRect(hwnd_, &client);
    CMyMemDC dc(target, &client);
    const COLORREF edge = hover_ ? RGB(255, 130, 0) : RGB(128, 128, 128);
    GdiBrush edgeBrush(CreateSolidBrush(edge));
    GdiBrush face(CreateSolidBrush(RGB(40, 40, 40)));
    FillRect(dc, &client, face.get());
    FrameRect(dc, &client, edgeBrush.get());

    const int arrowWidth = 10;
    RECT swatch{client.left + 3, client.top + 3, client.right - 3 - arrowWidth, client.bottom - 3};
    GdiBrush colour(CreateSolidBrush(color_));
    if (swatch.right > swatch.left) FillRect(dc, &swatch, colour.get());

    const int cx = client.right - 3 - arrowWidth / 2, cy = (client.top + client.bottom) / 2;
    const POINT arrow[3] = {{cx - 3, cy - 1}, {cx + 3, cy - 1}, {cx, cy + 2}};
    GdiBrush arrowBrush(CreateSolidBrush(RGB(220, 220, 220)));
    SelectGuard selectBrush(dc, arrowBrush.get());
    SelectGuard selectPen(dc, GetStockObject(NULL_PEN));
    Polygon(dc, arrow, 3);
}

}  // namespace kv::ui
