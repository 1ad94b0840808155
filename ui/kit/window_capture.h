// Renders a window and its visible children into pixels, without the screen:
// each window paints itself through WM_PRINTCLIENT, bottom child first.
// Outside the window's region the pixels keep the fill colour.
#pragma once

#include <windows.h>

#include "ui/kit/image_file.h"

namespace kv::ui {

PixelImage CaptureWindow(HWND window, COLORREF fill = RGB(255, 0, 255));

}  // namespace kv::ui
