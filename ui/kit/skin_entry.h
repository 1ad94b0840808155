// The kit's only doors into the skin files: a control's rectangle and a
// "SCREEN" value. Everything that places controls goes through these two.
#pragma once

#include <string>

namespace kv::ui {

struct SkinRect {
    int x = 1, y = 1, w = 1, h = 1;
    // The entry a skin gives for a control it leaves out ("1,1,1,1,x").
    bool IsDefault() const { return x == 1 && y == 1; }
};

SkinRect ReadSkinRect(const std::wstring& skinFile, const std::wstring& section, const std::wstring& key);
std::wstring ReadSkinText(const std::wstring& skinFile, const std::wstring& section, const std::wstring& key);

}  // namespace kv::ui
