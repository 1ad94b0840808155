#include "ui/kit/color_static.h"

#include "ui/kit/message_map.h"

namespace kv::ui {

bool ColorStatic::Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    static constexpr MessageRoute<ColorStatic> kMessages[] = {
        {WM_PAINT, &ColorStatic::OnPaint},
        {WM_PRINTCLIENT, &ColorStatic::OnPrintClient},
        {WM_ERASEBKGND, &ColorStatic::OnEraseBackground},
        {WM_SETTEXT, &ColorStatic::OnSetText},
    };
    static constexpr MessageMap<ColorStatic> kMap{kMessages};
    return kMap.Route(*this, message, wParam, lParam, result);
}

void ColorStatic::SetTextColor(COLORREF color) {
    color_ = color;
    RedrawWithBackground();
}

void ColorStatic::SetTextSize(int pixels) {
    LOGFONTW base{};
    HFONT current = reinterpret_cast<HFONT>(SendMessageW(hwnd_, WM_GETFONT, 0, 0));
    GetObjectW(current ? current : GetStockObject(DEFAULT_GUI_FONT), sizeof(base), &base);
    base.lfHeight = -pixels;
    base.lfWidth = 0;
    font_.Reset(CreateFontIndirectW(&base));
    RedrawWithBackground();
}

// Nothing erases a transparent label: the dialog repaints what lies beneath it first.
void ColorStatic::RedrawWithBackground() {
    if (!hwnd_) return;
    RECT rect;
    GetWindowRect(hwnd_, &rect);
    HWND parent = GetParent(hwnd_);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    InvalidateRect(parent, &rect, TRUE);
    InvalidateRect(hwnd_, nullptr, FALSE);
}

LRESULT ColorStatic::OnSetText(WPARAM wParam, LPARAM lParam) {
    const LRESULT result = CallDefault(WM_SETTEXT, wParam, lParam);
    RedrawWithBackground();
    return result;
}

LRESULT ColorStatic::OnPaint(WPARAM, LPARAM) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd_, &paint);
    Paint(dc);
    EndPaint(hwnd_, &paint);
    return 0;
}

LRESULT ColorStatic::OnPrintClient(WPARAM wParam, LPARAM) {
    Paint(reinterpret_cast<HDC>(wParam));
    return 0;
}

void ColorStatic::Paint(HDC dc) {
    RECT client;
    GetClientRect(hwnd_, &client);
    const std::wstring text = Text();
    const LONG_PTR style = GetWindowLongPtrW(hwnd_, GWL_STYLE);
    UINT format = DT_WORDBREAK | DT_NOPREFIX;
    if ((style & SS_TYPEMASK) == SS_CENTER) format |= DT_CENTER;
    if ((style & SS_TYPEMASK) == SS_RIGHT) format |= DT_RIGHT;
    if (style & SS_CENTERIMAGE) format = (format & ~DT_WORDBREAK) | DT_VCENTER | DT_SINGLELINE;
    if ((style & SS_ELLIPSISMASK) == SS_PATHELLIPSIS) format |= DT_PATH_ELLIPSIS;
    if ((style & SS_ELLIPSISMASK) == SS_ENDELLIPSIS) format |= DT_END_ELLIPSIS;

    HFONT font = font_ ? font_.get() : reinterpret_cast<HFONT>(SendMessageW(hwnd_, WM_GETFONT, 0, 0));
    SelectGuard select(dc, font);
    SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, color_);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &client, format);
}

}  // namespace kv::ui
