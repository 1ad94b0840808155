// The lighting panel's pictures: bitmap files of the skin folder, loaded once
// and kept for the window's lifetime (lamp, directions, tools, toggles, colour
// choices, slider faces and the busy animation's frames).
#pragma once

#include <windows.h>

#include <map>
#include <string>

#include "ui/kit/gdi.h"

namespace kv::ui {

class PanelBitmaps {
  public:
    // Loads every picture the panel shows; a missing file leaves its picture empty.
    void Load(const std::wstring& skinFolder);
    // Null when the file could not be read.
    HBITMAP Get(const std::wstring& name) const;
    // Shows the picture on a static control (SS_BITMAP).
    void Show(HWND picture, const std::wstring& name) const;

  private:
    std::map<std::wstring, GdiBitmap> bitmaps_;
};

}  // namespace kv::ui
