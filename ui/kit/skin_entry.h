// The kit's only doors into the skin files: a control's rectangle and a
// "SCREEN" value. Everything that places controls goes through these two.
#pragma once

#include <string>

#include "app/settings/skin_entry.h"

namespace kv::ui {

using kv::app::SkinRect;

// A control the skin leaves out sits 1 x 1 at (1, 1) ("1,1,1,1,x").
inline bool IsLeftOut(const SkinRect& rect) { return rect.x == 1 && rect.y == 1; }

SkinRect ReadSkinRect(const std::wstring& skinFile, const std::wstring& section, const std::wstring& key);
// Empty when missing.
std::wstring ReadSkinText(const std::wstring& skinFile, const std::wstring& section, const std::wstring& key);

}  // namespace kv::ui
