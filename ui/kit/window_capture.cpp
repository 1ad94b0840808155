#include "ui/kit/window_capture.h"

#include "ui/kit/gdi.h"

namespace kv::ui {

namespace {

// Paints the window's client area into dc at (0, 0), then its visible children
// bottom first. Each child paints into a surface of its own at (0, 0), which
// starts as what lies beneath it: controls clip themselves assuming their DC
// origin is their own corner.
void PrintInto(HWND window, HDC dc) {
    SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
    for (HWND child = GetWindow(GetWindow(window, GW_CHILD), GW_HWNDLAST); child;
         child = GetWindow(child, GW_HWNDPREV)) {
        if (!(GetWindowLongPtrW(child, GWL_STYLE) & WS_VISIBLE)) continue;  // the root itself may be hidden
        RECT client;
        GetClientRect(child, &client);
        POINT corner{0, 0};
        MapWindowPoints(child, window, &corner, 1);
        if (client.right <= 0 || client.bottom <= 0) continue;

        MemoryDc surface(dc);
        GdiBitmap bitmap(CreateCompatibleBitmap(dc, client.right, client.bottom));
        if (!surface.get() || !bitmap) continue;
        SelectGuard select(surface.get(), bitmap.get());
        BitBlt(surface.get(), 0, 0, client.right, client.bottom, dc, corner.x, corner.y, SRCCOPY);
        PrintInto(child, surface.get());
        BitBlt(dc, corner.x, corner.y, client.right, client.bottom, surface.get(), 0, 0, SRCCOPY);
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
        PrintInto(window, dc.get());

        // Outside the window's shape the fill colour stays.
        GdiRegion shape(CreateRectRgn(0, 0, 0, 0));
        if (GetWindowRgn(window, shape.get()) != ERROR) {
            GdiRegion outside(CreateRectRgnIndirect(&client));
            CombineRgn(outside.get(), outside.get(), shape.get(), RGN_DIFF);
            FillRgn(dc.get(), outside.get(), brush.get());
        }
        GdiFlush();
    }
    const auto* source = static_cast<const uint32_t*>(bits);
    image.pixels.assign(source,
                        source + static_cast<size_t>(image.width) * static_cast<size_t>(image.height));
    for (auto& pixel : image.pixels) pixel |= 0xFF000000;  // GDI leaves alpha at 0
    return image;
}

}  // namespace kv::ui
