// Placing controls where the skin file says. Every entry is "x,y,w,h" in the
// dialog's client pixels; a missing entry reads as "1,1,1,1,x", which leaves
// the control 1 x 1 pixel at (1, 1) and disables an image button.
#pragma once

#include <windows.h>

#include <string>

#include "ui/kit/png_button.h"
#include "ui/kit/skin_entry.h"

namespace kv::ui {

// Moves and sizes the button (no repaint), cuts its faces at (x, y) of the canvases.
void PlaceSkinnedButton(CPngButton& button, const std::wstring& skinFile, const std::wstring& section,
                        const std::wstring& key, const StateCanvases& faces);
void PlaceSkinnedButton(CPngButton& button, const SkinRect& rect, const StateCanvases& faces);

// Moves and sizes any control (no repaint).
void PlaceControl(HWND control, const std::wstring& skinFile, const std::wstring& section,
                  const std::wstring& key);

// Rectangle from the first entry, the face (all five states) from one canvas
// at the second entry's x, y.
void PlaceButtonTwoEntries(CPngButton& button, const std::wstring& skinFile, const std::wstring& placeSection,
                           const std::wstring& placeKey, const std::wstring& faceSection,
                           const std::wstring& faceKey, const StateCanvas& canvas);

// Moves the control to the entry's x, y, keeping its size, and repaints.
void MoveControlTo(HWND control, const std::wstring& skinFile, const std::wstring& section,
                   const std::wstring& key);

}  // namespace kv::ui
