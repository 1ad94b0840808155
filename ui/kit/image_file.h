// Reading and writing image files through GDI+ (JPEG, PNG, BMP, GIF).
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "ui/kit/gdi.h"

namespace kv::ui {

// Starts GDI+ for the process on first use; it stays up until the process ends.
bool EnsureGdiplus();

struct DecodedImage {
    GdiBitmap bitmap;  // device-independent section, 32 bits per pixel
    int width = 0;
    int height = 0;
};

// Pixels as 0xAARRGGBB, row after row, no padding.
struct PixelImage {
    std::vector<uint32_t> pixels;
    int width = 0;
    int height = 0;
};

// Nothing when the file is missing or cannot be decoded.
std::optional<DecodedImage> LoadImageFile(const std::wstring& path);
std::optional<PixelImage> LoadImagePixels(const std::wstring& path);

enum class ImageFormat { Png, Jpeg, Bmp };

// Writes the bitmap (not selected into any DC) to a file in the given format.
bool SaveImageFile(HBITMAP bitmap, const std::wstring& path, ImageFormat format);
bool SaveImageFile(const PixelImage& image, const std::wstring& path, ImageFormat format);

}  // namespace kv::ui
