#include "ui/dialogs/dialog_pictures.h"

#include "ui/kit/gdi.h"

namespace kv::ui {

bool DialogPictures::Load(const std::wstring& moduleFolder, const std::wstring& skinFile,
                          const std::wstring& skinFolder) {
    if (Loaded()) return true;
    std::optional<SkinImages> skin = LoadSkinImages(skinFile, skinFolder);
    if (!skin) return false;
    std::vector<DecodedImage> faces;
    for (const wchar_t* file : files_) {
        std::optional<DecodedImage> face = LoadImageFile(moduleFolder + file);
        if (!face) return false;
        faces.push_back(std::move(*face));
    }
    faces_ = std::move(faces);
    skin_ = std::move(skin);
    return true;
}

bool DialogPictures::BuildCanvases(HWND dialog,
                                   std::initializer_list<std::pair<StateCanvas*, size_t>> canvases) const {
    if (!Loaded()) return false;
    WindowDc dc(dialog);
    bool all = true;
    for (const auto& [canvas, face] : canvases) {
        if (!canvas->empty()) continue;
        all = face < faces_.size() && BuildStateCanvas(*canvas, &faces_[face], dc.get()) && all;
    }
    return all;
}

}  // namespace kv::ui
