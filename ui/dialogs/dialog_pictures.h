// A sub-dialog's pictures: the background and shape its skin file names and
// the pictures its button faces are made from. They are read once (the main
// window reads them at start-up with its own images), so that opening the
// dialog reads no file and a missing one never ends the program mid-session.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "ui/kit/base_dialog.h"
#include "ui/kit/image_file.h"
#include "ui/kit/state_canvas.h"

namespace kv::ui {

class DialogPictures {
  public:
    // The face pictures, relative to the program's folder (L"Skins\\Profile_normal.jpg").
    explicit DialogPictures(std::initializer_list<const wchar_t*> faces) : files_(faces) {}

    // Reads the skin's two images and every face picture; false (and nothing
    // kept) when one cannot be read. Nothing is read again once loaded.
    bool Load(const std::wstring& moduleFolder, const std::wstring& skinFile, const std::wstring& skinFolder);
    bool Loaded() const { return skin_.has_value(); }
    // Only while Loaded().
    const SkinImages& Skin() const { return *skin_; }

    // Draws the canvases from the face pictures (by their place in the list)
    // for the dialog's size, those not drawn yet; false when not loaded.
    bool BuildCanvases(HWND dialog, std::initializer_list<std::pair<StateCanvas*, size_t>> canvases) const;

  private:
    std::vector<const wchar_t*> files_;
    std::optional<SkinImages> skin_;
    std::vector<DecodedImage> faces_;
};

}  // namespace kv::ui
