#include "ui/main/main_canvases.h"

namespace kv::ui {

namespace {

// Two families of buttons share the four state images; both get canvases of their own.
constexpr const wchar_t* kImages[MainCanvases::kCount] = {
    L"Skins\\main_normal.jpg",  L"Skins\\main_over.jpg",    L"Skins\\main_down.jpg",
    L"Skins\\main_disable.jpg", L"Skins\\main_normal.jpg",  L"Skins\\main_over.jpg",
    L"Skins\\main_down.jpg",    L"Skins\\main_disable.jpg", L"Skins\\Arrow.jpg",
    L"Skins\\main_color0.jpg",  L"Skins\\main_color1.jpg",
};

}  // namespace

bool MainCanvases::Build(HDC dialogDc, const std::wstring& moduleFolder) {
    bool all = true;
    for (int id = 0; id < kCount; ++id)
        all =
            BuildStateCanvas(canvases_[static_cast<size_t>(id)], moduleFolder + kImages[id], dialogDc) && all;
    return all;
}

}  // namespace kv::ui
