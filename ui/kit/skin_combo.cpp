#include "ui/kit/skin_combo.h"

#include <string>

#include "ui/kit/mem_dc.h"
#include "ui/kit/message_map.h"

namespace kv::ui {

namespace {

constexpr int kTextIndent = 8;
constexpr int kChevronBox = 22;  // at the right end of the field

void Fill(HDC dc, const RECT& box, COLORREF colour) {
    GdiBrush brush(CreateSolidBrush(colour));
    FillRect(dc, &box, brush.get());
}

}  // namespace

bool CSkinCombo::Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    static constexpr MessageRoute<CSkinCombo> kMessages[] = {
        {WM_PAINT, &CSkinCombo::OnPaint},
        {WM_PRINTCLIENT, &CSkinCombo::OnPrintClient},
        {WM_ERASEBKGND, &CSkinCombo::OnEraseBackground},
        {WM_CTLCOLORLISTBOX, &CSkinCombo::OnListColours},
        {WM_SETFOCUS, &CSkinCombo::OnSetFocus},
        {WM_KILLFOCUS, &CSkinCombo::OnKillFocus},
        {WM_MOUSEMOVE, &CSkinCombo::OnMouseMove},
        {WM_MOUSELEAVE, &CSkinCombo::OnMouseLeave},
    };
    static constexpr MessageMap<CSkinCombo> kMap{kMessages};
    return kMap.Route(*this, message, wParam, lParam, result);
}

void CSkinCombo::OnAttached() { listBrush_.Reset(CreateSolidBrush(colors_.list)); }

void CSkinCombo::SetColors(const ComboColors& colors) {
    colors_ = colors;
    listBrush_.Reset(CreateSolidBrush(colors_.list));
    if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
}

void CSkinCombo::SetHeights(int field, int entry) {
    SendMessageW(hwnd_, CB_SETITEMHEIGHT, 0, entry);
    // The border the combo adds around its selection field is its own affair:
    // measure it and ask for what leaves the box as high as wanted.
    SendMessageW(hwnd_, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field);
    RECT box{};
    GetWindowRect(hwnd_, &box);
    const int border = (box.bottom - box.top) - field;
    if (border > 0 && field > border)
        SendMessageW(hwnd_, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field - border);
}

LRESULT CSkinCombo::OnPaint(WPARAM, LPARAM) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd_, &paint);
    Paint(dc);
    EndPaint(hwnd_, &paint);
    return 0;
}

LRESULT CSkinCombo::OnPrintClient(WPARAM wParam, LPARAM) {
    Paint(reinterpret_cast<HDC>(wParam));
    return 0;
}

// The open list asks its combo for its colours.
LRESULT CSkinCombo::OnListColours(WPARAM wParam, LPARAM) {
    HDC dc = reinterpret_cast<HDC>(wParam);
    SetTextColor(dc, colors_.text);
    SetBkColor(dc, colors_.list);
    return reinterpret_cast<LRESULT>(listBrush_.get());
}

// The edge shows the focus.
LRESULT CSkinCombo::OnSetFocus(WPARAM wParam, LPARAM lParam) {
    const LRESULT result = CallDefault(WM_SETFOCUS, wParam, lParam);
    InvalidateRect(hwnd_, nullptr, FALSE);
    return result;
}

LRESULT CSkinCombo::OnKillFocus(WPARAM wParam, LPARAM lParam) {
    const LRESULT result = CallDefault(WM_KILLFOCUS, wParam, lParam);
    InvalidateRect(hwnd_, nullptr, FALSE);
    return result;
}

LRESULT CSkinCombo::OnMouseMove(WPARAM wParam, LPARAM lParam) {
    if (!hover_) {
        hover_ = true;
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, hwnd_, 0};
        TrackMouseEvent(&track);
        InvalidateRect(hwnd_, nullptr, FALSE);
    }
    return CallDefault(WM_MOUSEMOVE, wParam, lParam);
}

LRESULT CSkinCombo::OnMouseLeave(WPARAM wParam, LPARAM lParam) {
    hover_ = false;
    InvalidateRect(hwnd_, nullptr, FALSE);
    return CallDefault(WM_MOUSELEAVE, wParam, lParam);
}

void CSkinCombo::Paint(HDC target) const {
    RECT client;
    GetClientRect(hwnd_, &client);
    CMyMemDC dc(target, &client);
    const bool active = hover_ || GetFocus() == hwnd_ || SendMessageW(hwnd_, CB_GETDROPPEDSTATE, 0, 0);
    Fill(dc, client, colors_.field);
    GdiBrush edge(CreateSolidBrush(active ? colors_.activeEdge : colors_.edge));
    FrameRect(dc, &client, edge.get());

    RECT text{client.left + 1, client.top + 1, client.right - kChevronBox, client.bottom - 1};
    DrawEntry(dc, text, static_cast<int>(SendMessageW(hwnd_, CB_GETCURSEL, 0, 0)), colors_.field,
              colors_.text);

    const int cx = client.right - kChevronBox / 2, cy = (client.top + client.bottom) / 2;
    GdiPen pen(CreatePen(PS_SOLID, 2, colors_.chevron));
    SelectGuard selectPen(dc, pen.get());
    const POINT chevron[3] = {{cx - 4, cy - 2}, {cx, cy + 2}, {cx + 4, cy - 2}};
    Polyline(dc, chevron, 3);
}

void CSkinCombo::DrawItem(const DRAWITEMSTRUCT& item) const {
    if (item.CtlType != ODT_COMBOBOX || item.hwndItem != hwnd_) return;
    const int index = static_cast<int>(item.itemID);
    if (item.itemState & ODS_COMBOBOXEDIT) {
        // The field's text, which the combo also draws outside its painting.
        DrawEntry(item.hDC, item.rcItem, index, colors_.field, colors_.text);
        return;
    }
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    DrawEntry(item.hDC, item.rcItem, index, selected ? colors_.selection : colors_.list,
              selected ? colors_.selectionText : colors_.text);
}

void CSkinCombo::DrawEntry(HDC dc, RECT box, int index, COLORREF background, COLORREF text) const {
    Fill(dc, box, background);
    if (index < 0) return;
    const LRESULT length = SendMessageW(hwnd_, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length <= 0) return;
    std::wstring entry(static_cast<size_t>(length) + 1, L'\0');
    entry.resize(static_cast<size_t>(SendMessageW(hwnd_, CB_GETLBTEXT, static_cast<WPARAM>(index),
                                                  reinterpret_cast<LPARAM>(entry.data()))));
    SelectGuard font(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(hwnd_, WM_GETFONT, 0, 0)));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, text);
    box.left += kTextIndent;
    DrawTextW(dc, entry.c_str(), static_cast<int>(entry.size()), &box,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
}

}  // namespace kv::ui
