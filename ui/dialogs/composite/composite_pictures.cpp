#include "ui/dialogs/composite/composite_pictures.h"

namespace kv::ui {

using enum CompositePicture;

const std::array<const wchar_t*, kCompositePictureCount> kCompositePictureFiles = {
    L"Skins\\key_normal.jpg",    L"Skins\\key_over.jpg",       L"Skins\\key_down.jpg",
    L"Skins\\macro_normal.jpg",  L"Skins\\macro_over.jpg",     L"Skins\\macro_down.jpg",
    L"Skins\\macro_disable.jpg", L"Skins\\macro2_normal.jpg",  L"Skins\\macro2_over.jpg",
    L"Skins\\macro2_down.jpg",   L"Skins\\macro2_disable.jpg", L"Skins\\media_normal.jpg",
    L"Skins\\media_over.jpg",    L"Skins\\media_down.jpg",     L"Skins\\function_normal.jpg",
    L"Skins\\function_over.jpg", L"Skins\\function_down.jpg",
};

bool CompositePictures::Load(const std::wstring& moduleFolder, const std::wstring& skinFile,
                             const std::wstring& skinFolder) {
    skin_.reset();
    std::optional<SkinImages> skin = LoadSkinImages(skinFile, skinFolder);
    if (!skin) return false;
    std::array<DecodedImage, kCompositePictureCount> pictures;
    for (size_t i = 0; i < kCompositePictureCount; ++i) {
        std::optional<DecodedImage> picture = LoadImageFile(moduleFolder + kCompositePictureFiles[i]);
        if (!picture) return false;
        pictures[i] = std::move(*picture);
    }
    pictures_ = std::move(pictures);
    skin_ = std::move(skin);
    return true;
}

void CompositeCanvases::Build(const CompositePictures& pictures, HDC dialogDc) {
    for (size_t i = 0; i < kCompositePictureCount; ++i)
        BuildStateCanvas(canvases_[i], &pictures.Picture(static_cast<CompositePicture>(i)), dialogDc);
    built_ = true;
}

StateCanvases CompositeCanvases::KeySet() const {
    return {At(kKeyNormal), At(kKeyOver), At(kKeyDown), At(kKeyNormal), At(kKeyDown)};
}

StateCanvases CompositeCanvases::MacroSet() const {
    return {At(kMacroNormal), At(kMacroOver), At(kMacroDown), At(kMacroDisabled), At(kMacroDown)};
}

StateCanvases CompositeCanvases::Macro2Set() const {
    return {At(kMacro2Normal), At(kMacro2Over), At(kMacro2Down), At(kMacro2Disabled), At(kMacro2Down)};
}

StateCanvases CompositeCanvases::PageSet(composite::Page page) const {
    const StateCanvas* face = At(kKeyNormal);
    switch (page) {
        case composite::Page::kMacro:
            face = At(kMacroNormal);
            break;
        case composite::Page::kMedia:
            face = At(kMediaNormal);
            break;
        case composite::Page::kFunction:
            face = At(kFunctionNormal);
            break;
        case composite::Page::kKey:
            break;
    }
    return {face, face, face, face, face};
}

}  // namespace kv::ui
