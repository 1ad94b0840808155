#include "harness/screenshot.h"

#include <cstdlib>
#include <vector>

#include "harness/program_copy.h"
#include "ui/kit/image_file.h"

namespace kv::e2e {

std::wstring ScreenshotFolder() {
    std::wstring folder;
    if (const wchar_t* chosen = _wgetenv(L"KV_SCREENSHOTS"); chosen && *chosen) folder = chosen;
    if (folder.empty()) folder = StageFolder() + L"screenshots";
    if (folder.back() != L'\\' && folder.back() != L'/') folder += L'\\';
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

bool SaveScreenshot(HWND window, const std::wstring& path) {
    RECT rect{};
    if (!GetWindowRect(window, &rect) || rect.right <= rect.left || rect.bottom <= rect.top) return false;
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    ui::PixelImage image;
    image.width = w;
    image.height = h;
    image.pixels.resize(static_cast<size_t>(w) * static_cast<size_t>(h));
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool copied = false;
    if (bitmap && bits) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        copied = BitBlt(memory, 0, 0, w, h, screen, rect.left, rect.top, SRCCOPY) != FALSE;
        SelectObject(memory, old);
        GdiFlush();
        const auto* source = static_cast<const uint32_t*>(bits);
        for (size_t i = 0; i < image.pixels.size(); ++i) image.pixels[i] = source[i] | 0xFF000000;
    }
    if (bitmap) DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return copied && ui::EnsureGdiplus() && ui::SaveImageFile(image, path, ui::ImageFormat::Png);
}

}  // namespace kv::e2e
