// Colours of the report list: per-cell colours, and the palette that lets a
// list on a dark skin draw its rows, selection and header without the
// system's window colours.
#include <algorithm>
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
    tickImages_ = nullptr;  // drawn anew in the new colours
    ApplyExtendedStyle(0);

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
            return CDRF_NOTIFYITEMDRAW | (palette_ && gridLines_ ? CDRF_NOTIFYPOSTPAINT : 0);
        case CDDS_POSTPAINT:
            if (palette_ && gridLines_) DrawGridLines(draw->nmcd.hdc);
            return CDRF_DODEFAULT;
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

// A line under every row (continuing below the last one) and right of every column.
void CReportCtrl::DrawGridLines(HDC dc) {
    RECT client;
    GetClientRect(hwnd_, &client);
    GdiBrush line(CreateSolidBrush(palette_->gridLine));
    HWND header = reinterpret_cast<HWND>(SendMessageW(hwnd_, LVM_GETHEADER, 0, 0));
    RECT headerRect{0, 0, 0, 0};
    if (header && IsWindowVisible(header)) {
        GetWindowRect(header, &headerRect);
        MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&headerRect), 2);
    }
    const int top = std::max<int>(client.top, headerRect.bottom);

    const int columns = ColumnCount();
    for (int column = 0; header && column < columns; ++column) {
        RECT item{};
        SendMessageW(header, HDM_GETITEMRECT, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item));
        const RECT divider{headerRect.left + item.right - 1, top, headerRect.left + item.right,
                           client.bottom};
        FillRect(dc, &divider, line.get());
    }
    RECT first{};
    first.left = LVIR_BOUNDS;
    const int topRow = static_cast<int>(SendMessageW(hwnd_, LVM_GETTOPINDEX, 0, 0));
    if (RowCount() == 0 ||
        !SendMessageW(hwnd_, LVM_GETITEMRECT, static_cast<WPARAM>(topRow), reinterpret_cast<LPARAM>(&first)))
        return;
    const int height = first.bottom - first.top;
    for (int y = first.bottom - 1; height > 0 && y < client.bottom; y += height) {
        const RECT row{client.left, y, client.right, y + 1};
        FillRect(dc, &row, line.get());
    }
}

// Tick boxes in the palette's colours, in place of the system's white ones.
void CReportCtrl::InstallTickImages() {
    HIMAGELIST current = reinterpret_cast<HIMAGELIST>(SendMessageW(hwnd_, LVM_GETIMAGELIST, LVSIL_STATE, 0));
    if (tickImages_ && current == tickImages_) return;
    int width = 16, height = 16;
    if (current) ImageList_GetIconSize(current, &width, &height);

    constexpr COLORREF kClear = RGB(255, 0, 255);
    WindowDc screen(hwnd_);
    MemoryDc dc(screen.get());
    GdiBitmap strip(CreateCompatibleBitmap(screen.get(), width * 2, height));
    {
        SelectGuard select(dc.get(), strip.get());
        GdiBrush clear(CreateSolidBrush(kClear));
        const RECT all{0, 0, width * 2, height};
        FillRect(dc.get(), &all, clear.get());
        const int size = std::min(width, height) - 4;
        for (int image = 0; image < 2; ++image) {
            const int x = image * width + (width - size) / 2, y = (height - size) / 2;
            GdiBrush edge(CreateSolidBrush(palette_->tickEdge));
            GdiBrush inside(CreateSolidBrush(image == 0 ? palette_->tickBox : palette_->tickFill));
            const RECT box{x, y, x + size, y + size};
            FillRect(dc.get(), &box, edge.get());
            const RECT fill{x + 1, y + 1, x + size - 1, y + size - 1};
            FillRect(dc.get(), &fill, inside.get());
            if (image == 1) {
                GdiPen pen(CreatePen(PS_SOLID, 2, palette_->tickMark));
                SelectGuard selectPen(dc.get(), pen.get());
                const POINT mark[] = {{x + size / 5, y + size / 2},
                                      {x + size * 2 / 5, y + size * 3 / 4},
                                      {x + size * 4 / 5, y + size / 4}};
                Polyline(dc.get(), mark, 3);
            }
        }
    }
    HIMAGELIST images = ImageList_Create(width, height, ILC_COLOR32 | ILC_MASK, 2, 0);
    if (!images) return;
    ImageList_AddMasked(images, strip.get(), kClear);
    HIMAGELIST old = reinterpret_cast<HIMAGELIST>(
        SendMessageW(hwnd_, LVM_SETIMAGELIST, LVSIL_STATE, reinterpret_cast<LPARAM>(images)));
    if (old && old != images) ImageList_Destroy(old);
    tickImages_ = images;
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
