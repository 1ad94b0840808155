// The kit's only doors into the skin files: a control's rectangle and a
// "SCREEN" value. Everything that places controls goes through these.
//
// A rectangle entry is "x,y,w,h" in client pixels; whatever follows the fourth
// number is ignored. A missing entry, and one with fewer than four numbers,
// reads as the default "1,1,1,1,x", which leaves the control 1 x 1 pixel at
// (1, 1); image buttons placed there are disabled.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kv::ui {

inline constexpr wchar_t kDefaultSkinEntry[] = L"1,1,1,1,x";
inline constexpr wchar_t kSkinButtonSection[] = L"BUTTONINFO";

struct SkinRect {
    int x = 1;
    int y = 1;
    int w = 1;
    int h = 1;
    friend bool operator==(const SkinRect&, const SkinRect&) = default;
};

struct SkinEntry {
    SkinRect rect;
    bool from_default = true;  // missing or rejected: the control is left out
};

// Four integers as "%d,%d,%d,%d" reads them (blanks before a number allowed,
// commas exact); nullopt when fewer than four are there. Numbers beyond the
// range of int are clamped.
std::optional<SkinRect> ParseSkinEntry(std::wstring_view text);

// Reads (section, key) of `skin_file`.
SkinEntry ReadSkinEntry(const std::wstring& skin_file, const wchar_t* section, const wchar_t* key);

// A control the skin leaves out sits 1 x 1 at (1, 1) ("1,1,1,1,x").
inline bool IsLeftOut(const SkinRect& rect) { return rect.x == 1 && rect.y == 1; }

SkinRect ReadSkinRect(const std::wstring& skinFile, const std::wstring& section, const std::wstring& key);
// Empty when missing.
std::wstring ReadSkinText(const std::wstring& skinFile, const std::wstring& section, const std::wstring& key);

}  // namespace kv::ui
