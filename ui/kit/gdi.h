// Owning wrappers for GDI handles: one object, one handle, released once.
#pragma once

#include <windows.h>

#include <utility>

namespace kv::ui {

// Owns any handle released with DeleteObject (bitmaps, fonts, pens, brushes, regions).
template <class H>
class GdiObject {
  public:
    GdiObject() = default;
    explicit GdiObject(H handle) : handle_(handle) {}
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    GdiObject(GdiObject&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    GdiObject& operator=(GdiObject&& other) noexcept {
        if (this != &other) Reset(std::exchange(other.handle_, nullptr));
        return *this;
    }
    ~GdiObject() { Reset(); }

    H get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    void Reset(H handle = nullptr) {
        if (handle_) DeleteObject(handle_);
        handle_ = handle;
    }
    // Hands the handle over, e.g. to SetWindowRgn, which takes ownership.
    H Release() { return std::exchange(handle_, nullptr); }

  private:
    H handle_ = nullptr;
};

using GdiBitmap = GdiObject<HBITMAP>;
using GdiFont = GdiObject<HFONT>;
using GdiPen = GdiObject<HPEN>;
using GdiBrush = GdiObject<HBRUSH>;
using GdiRegion = GdiObject<HRGN>;

// A memory DC, deleted when it goes out of scope.
class MemoryDc {
  public:
    explicit MemoryDc(HDC compatibleWith) : dc_(CreateCompatibleDC(compatibleWith)) {}
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;
    ~MemoryDc() {
        if (dc_) DeleteDC(dc_);
    }
    HDC get() const { return dc_; }

  private:
    HDC dc_;
};

// Selects an object into a DC for the lifetime of the guard.
class SelectGuard {
  public:
    SelectGuard(HDC dc, HGDIOBJ object) : dc_(dc), old_(object ? SelectObject(dc, object) : nullptr) {}
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;
    ~SelectGuard() {
        if (old_) SelectObject(dc_, old_);
    }

  private:
    HDC dc_;
    HGDIOBJ old_;
};

// GetDC / ReleaseDC pair.
class WindowDc {
  public:
    explicit WindowDc(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    ~WindowDc() {
        if (dc_) ReleaseDC(hwnd_, dc_);
    }
    HDC get() const { return dc_; }

  private:
    HWND hwnd_;
    HDC dc_;
};

}  // namespace kv::ui
