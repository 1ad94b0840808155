#include "ui/kit/skin_entry.h"

#include <windows.h>

#include <climits>
#include <cstdint>

#include "ui/kit/ini_file.h"

namespace kv::ui {
namespace {

bool IsBlank(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\n' || c == L'\r' || c == L'\v' || c == L'\f';
}

bool ReadInt(std::wstring_view text, std::size_t& i, int& out) {
    while (i < text.size() && IsBlank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) negative = text[i++] == L'-';
    const std::size_t first_digit = i;
    std::int64_t value = 0;
    while (i < text.size() && text[i] >= L'0' && text[i] <= L'9') {
        value = value * 10 + (text[i] - L'0');
        if (value > std::int64_t{INT_MAX} + 1) value = std::int64_t{INT_MAX} + 1;
        ++i;
    }
    if (i == first_digit) return false;
    if (negative) value = -value;
    out = static_cast<int>(value < INT_MIN ? INT_MIN : value > INT_MAX ? INT_MAX : value);
    return true;
}

}  // namespace

std::optional<SkinRect> ParseSkinEntry(std::wstring_view text) {
    int values[4] = {};
    std::size_t i = 0;
    for (int n = 0; n < 4; ++n) {
        if (n > 0) {
            if (i >= text.size() || text[i] != L',') return std::nullopt;
            ++i;
        }
        if (!ReadInt(text, i, values[n])) return std::nullopt;
    }
    return SkinRect{values[0], values[1], values[2], values[3]};
}

SkinEntry ReadSkinEntry(const std::wstring& skin_file, const wchar_t* section, const wchar_t* key) {
    if (!section || !key) return {};
    wchar_t buffer[260] = {};
    GetPrivateProfileStringW(section, key, kDefaultSkinEntry, buffer, static_cast<DWORD>(std::size(buffer)),
                             skin_file.c_str());
    const std::wstring_view text(buffer);
    if (text == kDefaultSkinEntry) return {};
    // A short entry would otherwise leave sizes undefined; it reads as left out.
    if (auto rect = ParseSkinEntry(text)) return {*rect, false};
    return {};
}

SkinRect ReadSkinRect(const std::wstring& skinFile, const std::wstring& section, const std::wstring& key) {
    return ReadSkinEntry(skinFile, section.c_str(), key.c_str()).rect;
}

std::wstring ReadSkinText(const std::wstring& skinFile, const std::wstring& section,
                          const std::wstring& key) {
    CIniFile ini;
    if (!ini.SetFile(skinFile)) return {};
    return ini.GetString(section.c_str(), key.c_str()).value_or(std::wstring());
}

}  // namespace kv::ui
