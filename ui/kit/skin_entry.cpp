#include "ui/kit/skin_entry.h"

#include <windows.h>

#include <cwchar>

namespace kv::ui {

SkinRect ReadSkinRect(const std::wstring& skinFile, const std::wstring& section, const std::wstring& key) {
    wchar_t text[260] = {};
    GetPrivateProfileStringW(section.c_str(), key.c_str(), L"1,1,1,1,x", text, 260, skinFile.c_str());
    SkinRect rect;
    int x, y, w, h;
    // An entry with fewer than four numbers reads as the default.
    if (swscanf(text, L"%d,%d,%d,%d", &x, &y, &w, &h) == 4) rect = SkinRect{x, y, w, h};
    return rect;
}

std::wstring ReadSkinText(const std::wstring& skinFile, const std::wstring& section, const std::wstring& key) {
    wchar_t text[2048] = {};
    GetPrivateProfileStringW(section.c_str(), key.c_str(), L"", text, 2048, skinFile.c_str());
    return text;
}

}  // namespace kv::ui
