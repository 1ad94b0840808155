// Colours of the report list: per-cell colours, and the palette that lets a
// list on a dark skin draw its rows, selection and header without the
// system's window colours.
#include <iterator>

#include "ui/kit/gdi.h"
#include "ui/kit/message_map.h"
#include "ui/kit/report_ctrl.h"
#include "ui/kit/report_ctrl_parts.h"

namespace kv::ui {

COLORREF CReportCtrl::DefaultText() const {
    return palette_ ? palette_->text : GetSysColor(COLOR_WINDOWTEXT);
}

COLORREF CReportCtrl::DefaultBack() const { return palette_ ? palette_->back : GetSysColor(COLOR_WINDOW); }

void CReportCtrl::SetPalette(const ReportPalette& palette) {
    palette_ = palette;
    SendMessageW(hwnd_, LVM_SETBKCOLOR, 0, static_cast<LPARAM>(palette.back));
    SendMessageW(hwnd_, LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(palette.back));
    SendMessageW(hwnd_, LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(palette.text));
    SetCellTextColor(kAllCells, kAllCells, kDefaultColor);
    SetCellBackColor(kAllCells, kAllCells, kDefaultColor);

    HWND header = reinterpret_cast<HWND>(SendMessageW(hwnd_, LVM_GETHEADER, 0, 0));
    if (!header_) header_ = std::make_unique<HeaderControl>(palette);
    header_->SetPalette(palette);
    if (header && header_->hwnd() != header) header_->Attach(header);
    if (header) InvalidateRect(header, nullptr, TRUE);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

LRESULT CReportCtrl::CustomDraw(NMLVCUSTOMDRAW* draw) {
    switch (draw->nmcd.dwDrawStage) {
        case CDDS_PREPAINT:
            return CDRF_NOTIFYITEMDRAW;
        case CDDS_ITEMPREPAINT:
        case CDDS_ITEMPREPAINT | CDDS_SUBITEM:
            break;
        default:
            return CDRF_DODEFAULT;
    }
    // The list would paint a selected row in the system's highlight colours
    // (or, unfocused, not at all) over whatever is chosen here; with a palette
    // the selection is drawn in its colours, focused or not.
    const int row = static_cast<int>(draw->nmcd.dwItemSpec);
    const bool selected =
        palette_ &&
        (SendMessageW(hwnd_, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_SELECTED) & LVIS_SELECTED);
    if (palette_) draw->nmcd.uItemState &= ~static_cast<UINT>(CDIS_SELECTED);
    if (draw->nmcd.dwDrawStage == CDDS_ITEMPREPAINT) return CDRF_NOTIFYSUBITEMDRAW;

    const auto* record = reinterpret_cast<const Row*>(draw->nmcd.lItemlParam);
    const auto column = static_cast<size_t>(draw->iSubItem);
    if (selected) {
        draw->clrText = palette_->selectedText;
        draw->clrTextBk = palette_->selectedBack;
    } else if (record && column < record->text.size()) {
        draw->clrText = record->text[column];
        draw->clrTextBk = record->back[column];
    }
    return CDRF_DODEFAULT;
}

// ---- header ----

bool CReportCtrl::HeaderControl::Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    static constexpr MessageRoute<HeaderControl> kMessages[] = {
        {WM_PAINT, &HeaderControl::OnPaint},
        {WM_PRINTCLIENT, &HeaderControl::OnPrintClient},
        {WM_ERASEBKGND, &HeaderControl::OnEraseBackground},
    };
    static constexpr MessageMap<HeaderControl> kMap{kMessages};
    return kMap.Route(*this, message, wParam, lParam, result);
}

LRESULT CReportCtrl::HeaderControl::OnPaint(WPARAM, LPARAM) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd_, &paint);
    Paint(dc);
    EndPaint(hwnd_, &paint);
    return 0;
}

LRESULT CReportCtrl::HeaderControl::OnPrintClient(WPARAM wParam, LPARAM) {
    Paint(reinterpret_cast<HDC>(wParam));
    return 0;
}

void CReportCtrl::HeaderControl::Paint(HDC dc) {
    RECT client;
    GetClientRect(hwnd_, &client);
    GdiBrush back(CreateSolidBrush(palette_.headerBack));
    GdiBrush line(CreateSolidBrush(palette_.headerLine));
    FillRect(dc, &client, back.get());

    HFONT font = reinterpret_cast<HFONT>(SendMessageW(hwnd_, WM_GETFONT, 0, 0));
    SelectGuard selectFont(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, palette_.headerText);
    const int count = static_cast<int>(SendMessageW(hwnd_, HDM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        RECT item{};
        SendMessageW(hwnd_, HDM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        wchar_t text[260] = {};
        HDITEMW info{};
        info.mask = HDI_TEXT | HDI_FORMAT;
        info.pszText = text;
        info.cchTextMax = static_cast<int>(std::size(text));
        SendMessageW(hwnd_, HDM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&info));

        UINT format = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX;
        if ((info.fmt & HDF_JUSTIFYMASK) == HDF_CENTER) format |= DT_CENTER;
        if ((info.fmt & HDF_JUSTIFYMASK) == HDF_RIGHT) format |= DT_RIGHT;
        RECT label{item.left + 6, item.top, item.right - 6, item.bottom - 1};
        DrawTextW(dc, text, -1, &label, format);

        const int inset = (item.bottom - item.top) / 4;
        RECT divider{item.right - 1, item.top + inset, item.right, item.bottom - inset};
        FillRect(dc, &divider, line.get());
    }
    RECT bottom{client.left, client.bottom - 1, client.right, client.bottom};
    FillRect(dc, &bottom, line.get());
}

}  // namespace kv::ui
