// Screenshots of the program's windows as they are on the screen, for review.
#pragma once

#include <windows.h>

#include <string>

namespace kv::e2e {

// The folder screenshots go to: %KV_SCREENSHOTS% when set, else "screenshots"
// in the stage folder; created when missing. Ends with a backslash.
std::wstring ScreenshotFolder();
// Saves what the screen shows of the window as a PNG file; false when it could not.
bool SaveScreenshot(HWND window, const std::wstring& path);

}  // namespace kv::e2e
