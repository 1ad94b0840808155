#include "ui/main/panel_bitmaps.h"

#include <vector>

namespace kv::ui {

namespace {

std::vector<std::wstring> PanelFiles() {
    std::vector<std::wstring> files = {
        L"dengup.bmp", L"dengdown.bmp",   L"leftup.bmp",  L"leftdown.bmp",  L"rightup.bmp", L"rightdown.bmp",
        L"upup.bmp",   L"updown.bmp",     L"downup.bmp",  L"downdown.bmp",  L"kuosan.bmp",  L"kuosandown.bmp",
        L"julong.bmp", L"julongdown.bmp", L"user1up.bmp", L"user1down.bmp", L"user2up.bmp", L"user2down.bmp",
        L"sjsup.bmp",  L"sjsdown.bmp",    L"hong.bmp",    L"hongok.bmp",    L"huang.bmp",   L"huangok.bmp",
        L"lv.bmp",     L"lvok.bmp",       L"lan.bmp",     L"lanok.bmp",
    };
    for (int n = 0; n <= 25; ++n) files.push_back(std::to_wstring(n) + L".bmp");
    for (int n = 1; n <= 10; ++n) files.push_back(L"jdt" + std::to_wstring(n) + L".bmp");
    return files;
}

}  // namespace

void PanelBitmaps::Load(const std::wstring& skinFolder) {
    bitmaps_.clear();
    for (const std::wstring& name : PanelFiles()) {
        auto bitmap = static_cast<HBITMAP>(
            LoadImageW(nullptr, (skinFolder + name).c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
        bitmaps_.emplace(name, GdiBitmap(bitmap));
    }
}

HBITMAP PanelBitmaps::Get(const std::wstring& name) const {
    const auto it = bitmaps_.find(name);
    return it == bitmaps_.end() ? nullptr : it->second.get();
}

void PanelBitmaps::Show(HWND picture, const std::wstring& name) const {
    SendMessageW(picture, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(Get(name)));
}

}  // namespace kv::ui
