// Shared helpers of the toolkit tests: a temp folder with generated images
// and skin files, a plain host dialog, message pumping and pixel reads.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ui/kit/dialog_template.h"
#include "ui/kit/image_file.h"
#include "ui/kit/window.h"

namespace kv::ui::test {

// A temp folder removed with its files at the end of the test.
class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    const std::wstring& path() const { return path_; }  // ends with a backslash
    std::wstring File(const std::wstring& name) const { return path_ + name; }

  private:
    std::wstring path_;
};

// An image of one colour, or with `paint` run over its pixels.
PixelImage SolidImage(int width, int height, uint32_t argb);
void SaveOrFail(const PixelImage& image, const std::wstring& path, ImageFormat format);
// Writes `text` as UTF-16LE with a byte-order mark, as the skin and language files are.
void WriteUtf16File(const std::wstring& path, const std::wstring& text);
void WriteIni(const std::wstring& path, const std::wstring& section,
              std::initializer_list<std::pair<const wchar_t*, const wchar_t*>> entries);

// Handles posted messages until the queue is empty.
void Pump();

struct HostTemplate {
    MemoryDialogTemplate hostTemplate{WS_POPUP | WS_CLIPSIBLINGS, 300, 200};
};

// A modeless empty dialog to host controls; records WM_COMMAND and posted slider messages.
class HostDialog : private HostTemplate, public Dialog {
  public:
    HostDialog();
    ~HostDialog() override;
    HWND CreateChild(LPCWSTR className, int id, DWORD style, const RECT& rect, LPCWSTR text = L"");

    struct Received {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    std::vector<Received> received;
    int Count(UINT message, WPARAM wParam) const;

  protected:
    bool Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};

// The colour (0xRRGGBB) at (x, y) of an image.
uint32_t RgbAt(const PixelImage& image, int x, int y);

}  // namespace kv::ui::test
