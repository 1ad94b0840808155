#include "ui/kit/image_file.h"

// GDI+ decodes JPEG where Wine's OLE picture loader does not.
#include <objidl.h>
#include <gdiplus.h>

#include <memory>
#include <mutex>

namespace kv::ui {

namespace {

const wchar_t* MimeType(ImageFormat format) {
    switch (format) {
        case ImageFormat::Png:
            return L"image/png";
        case ImageFormat::Jpeg:
            return L"image/jpeg";
        case ImageFormat::Bmp:
            return L"image/bmp";
    }
    return L"image/png";
}

bool EncoderFor(ImageFormat format, CLSID& clsid) {
    UINT count = 0, bytes = 0;
    if (Gdiplus::GetImageEncodersSize(&count, &bytes) != Gdiplus::Ok || bytes == 0) return false;
    std::vector<BYTE> buffer(bytes);
    auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    if (Gdiplus::GetImageEncoders(count, bytes, codecs) != Gdiplus::Ok) return false;
    for (UINT i = 0; i < count; ++i) {
        if (codecs[i].MimeType && wcscmp(codecs[i].MimeType, MimeType(format)) == 0) {
            clsid = codecs[i].Clsid;
            return true;
        }
    }
    return false;
}

std::unique_ptr<Gdiplus::Bitmap> OpenBitmap(const std::wstring& path) {
    if (!EnsureGdiplus()) return nullptr;
    std::unique_ptr<Gdiplus::Bitmap> image(Gdiplus::Bitmap::FromFile(path.c_str()));
    if (!image || image->GetLastStatus() != Gdiplus::Ok || image->GetWidth() == 0) return nullptr;
    return image;
}

bool Save(Gdiplus::Bitmap& image, const std::wstring& path, ImageFormat format) {
    CLSID clsid;
    if (image.GetLastStatus() != Gdiplus::Ok || !EncoderFor(format, clsid)) return false;
    return image.Save(path.c_str(), &clsid, nullptr) == Gdiplus::Ok;
}

}  // namespace

bool EnsureGdiplus() {
    static std::once_flag once;
    static bool started = false;
    std::call_once(once, [] {
        Gdiplus::GdiplusStartupInput input;
        ULONG_PTR token = 0;
        started = Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok;
    });
    return started;
}

std::optional<DecodedImage> LoadImageFile(const std::wstring& path) {
    auto image = OpenBitmap(path);
    if (!image) return std::nullopt;
    HBITMAP handle = nullptr;
    if (image->GetHBITMAP(Gdiplus::Color(0, 0, 0), &handle) != Gdiplus::Ok || !handle) return std::nullopt;
    DecodedImage decoded;
    decoded.bitmap.Reset(handle);
    decoded.width = static_cast<int>(image->GetWidth());
    decoded.height = static_cast<int>(image->GetHeight());
    return decoded;
}

std::optional<PixelImage> LoadImagePixels(const std::wstring& path) {
    auto image = OpenBitmap(path);
    if (!image) return std::nullopt;
    PixelImage out;
    out.width = static_cast<int>(image->GetWidth());
    out.height = static_cast<int>(image->GetHeight());
    Gdiplus::Rect all(0, 0, out.width, out.height);
    Gdiplus::BitmapData data{};
    if (image->LockBits(&all, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &data) != Gdiplus::Ok)
        return std::nullopt;
    out.pixels.resize(static_cast<size_t>(out.width) * static_cast<size_t>(out.height));
    for (int y = 0; y < out.height; ++y) {
        const auto* row = static_cast<const BYTE*>(data.Scan0) + static_cast<ptrdiff_t>(y) * data.Stride;
        memcpy(&out.pixels[static_cast<size_t>(y) * static_cast<size_t>(out.width)], row,
               static_cast<size_t>(out.width) * 4);
    }
    image->UnlockBits(&data);
    return out;
}

bool SaveImageFile(HBITMAP bitmap, const std::wstring& path, ImageFormat format) {
    if (!bitmap || !EnsureGdiplus()) return false;
    Gdiplus::Bitmap image(bitmap, nullptr);
    return Save(image, path, format);
}

bool SaveImageFile(const PixelImage& source, const std::wstring& path, ImageFormat format) {
    if (!EnsureGdiplus() || source.width <= 0 || source.height <= 0) return false;
    if (source.pixels.size() != static_cast<size_t>(source.width) * static_cast<size_t>(source.height))
        return false;
    Gdiplus::Bitmap image(source.width, source.height, source.width * 4, PixelFormat32bppARGB,
                          reinterpret_cast<BYTE*>(const_cast<uint32_t*>(source.pixels.data())));
    return Save(image, path, format);
}

}  // namespace kv::ui
