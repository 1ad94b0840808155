#include "ui/kit/state_canvas.h"

#include "ui/kit/image_file.h"

namespace kv::ui {

namespace {

constexpr int kMargin = 100;

}  // namespace

bool BuildStateCanvas(StateCanvas& canvas, const std::wstring& imagePath, HDC dialogDc) {
    const auto image = LoadImageFile(imagePath);
    return BuildStateCanvas(canvas, image ? &*image : nullptr, dialogDc);
}

bool BuildStateCanvas(StateCanvas& canvas, const DecodedImage* image, HDC dialogDc) {
    HWND dialog = WindowFromDC(dialogDc);
    RECT client{};
    if (dialog) GetClientRect(dialog, &client);
    const SIZE size{client.right + kMargin, client.bottom + kMargin};

    GdiBitmap bitmap(CreateCompatibleBitmap(dialogDc, size.cx, size.cy));
    if (!bitmap) return false;
    {
        MemoryDc target(dialogDc);
        SelectGuard selectTarget(target.get(), bitmap.get());
        PatBlt(target.get(), 0, 0, size.cx, size.cy, BLACKNESS);
        if (image) {
            MemoryDc source(dialogDc);
            SelectGuard selectSource(source.get(), image->bitmap.get());
            BitBlt(target.get(), 0, 0, image->width, image->height, source.get(), 0, 0, SRCCOPY);
        }
    }
    canvas.bitmap_ = std::move(bitmap);
    canvas.size_ = size;
    return image != nullptr;
}

void DrawFromCanvas(const StateCanvas& canvas, HDC target, int x, int y, int w, int h) {
    if (canvas.empty()) return;
    MemoryDc source(target);
    SelectGuard select(source.get(), canvas.bitmap());
    BitBlt(target, 0, 0, w, h, source.get(), x, y, SRCCOPY);
}

}  // namespace kv::ui
