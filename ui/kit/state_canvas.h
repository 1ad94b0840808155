// A whole dialog as it looks in one button state, drawn once from a skin
// image; buttons cut their faces out of it.
#pragma once

#include <windows.h>

#include <string>

#include "ui/kit/gdi.h"
#include "ui/kit/image_file.h"

namespace kv::ui {

class StateCanvas {
  public:
    HBITMAP bitmap() const { return bitmap_.get(); }
    SIZE size() const { return size_; }
    bool empty() const { return !bitmap_; }

  private:
    friend bool BuildStateCanvas(StateCanvas&, const DecodedImage*, HDC);
    GdiBitmap bitmap_;
    SIZE size_{0, 0};
};

// Fills the canvas: the dialog's client size plus 100 pixels each way, the
// image drawn at (0, 0) in its natural size. The canvas is made (black) even
// when the image cannot be read; the answer says whether it could.
bool BuildStateCanvas(StateCanvas& canvas, const std::wstring& imagePath, HDC dialogDc);
// The same from an image read earlier (null: the canvas stays black and the answer is false).
bool BuildStateCanvas(StateCanvas& canvas, const DecodedImage* image, HDC dialogDc);

// Copies w x h pixels of the canvas from (x, y) to (0, 0) of the target.
void DrawFromCanvas(const StateCanvas& canvas, HDC target, int x, int y, int w, int h);

}  // namespace kv::ui
