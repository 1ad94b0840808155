#include "ui/kit/window_capture.h"

#include "ui/kit/gdi.h"

namespace kv::ui {

namespace {

// Paints `window` at (x, y) of the DC, clipped to `clip` (DC coordinates), then its children.
void PrintTree(HWND window, HDC dc, int x, int y, const RECT& clip) {
    RECT client;
    GetClientRect(window, &client);
    RECT area{x, y, x + client.right, y + client.bottom};
    RECT visible;
    if (!IntersectRect(&visible, &area, &clip)) return;

    const int saved = SaveDC(dc);
    GdiRegion region(CreateRectRgnIndirect(&visible));
    SelectClipRgn(dc, region.get());
    SetViewportOrgEx(dc, x, y, nullptr);
    SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
    RestoreDC(dc, saved);

    // GW_HWNDLAST is the bottom of the Z order: paint upwards from there.
    for (HWND child = GetWindow(GetWindow(window, GW_CHILD), GW_HWNDLAST); child;
         child = GetWindow(child, GW_HWNDPREV)) {
        if (!(GetWindowLongPtrW(child, GWL_STYLE) & WS_VISIBLE)) continue;  // the root may be hidden
        RECT rect;
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
        PrintTree(child, dc, x + rect.left, y + rect.top, visible);
    }
}

}  // namespace

PixelImage CaptureWindow(HWND window, COLORREF fill) {
    PixelImage image;
    RECT client;
    if (!GetClientRect(window, &client) || client.right <= 0 || client.bottom <= 0) return image;
    image.width = client.right;
    image.height = client.bottom;

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = image.width;
    info.bmiHeader.biHeight = -image.height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    WindowDc screen(nullptr);
    GdiBitmap bitmap(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits) return PixelImage{};
    {
        MemoryDc dc(screen.get());
        SelectGuard select(dc.get(), bitmap.get());
        GdiBrush brush(CreateSolidBrush(fill));
        FillRect(dc.get(), &client, brush.get());

        RECT clip = client;
        GdiRegion shape(CreateRectRgn(0, 0, 0, 0));
        const bool shaped = GetWindowRgn(window, shape.get()) != ERROR;
        const int saved = SaveDC(dc.get());
        if (shaped) SelectClipRgn(dc.get(), shape.get());
        // Children clip themselves to their rectangles; the shape stays as an
        // outer clip through the meta region.
        if (shaped) SetMetaRgn(dc.get());
        PrintTree(window, dc.get(), 0, 0, clip);
        RestoreDC(dc.get(), saved);
        GdiFlush();
    }
    const auto* source = static_cast<const uint32_t*>(bits);
    image.pixels.assign(source, source + static_cast<size_t>(image.width) * static_cast<size_t>(image.height));
    for (auto& pixel : image.pixels) pixel |= 0xFF000000;  // GDI leaves alpha at 0
    return image;
}

}  // namespace kv::ui
