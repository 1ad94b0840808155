// The key assignment dialog's pictures: its background and shape, and the
// pictures its state canvases are made from. They are read once, at start-up
// with the main window's own images, so that opening the dialog never reads a
// file; the canvases are made from them at the first opening and kept.
#pragma once

#include <windows.h>

#include <array>
#include <optional>
#include <string>

#include "ui/dialogs/composite/composite_rules.h"
#include "ui/kit/base_dialog.h"
#include "ui/kit/image_file.h"
#include "ui/kit/png_button.h"
#include "ui/kit/state_canvas.h"

namespace kv::ui {

// The distinct canvas pictures, in the order of kCompositePictureFiles.
enum class CompositePicture {
    kKeyNormal,
    kKeyOver,
    kKeyDown,
    kMacroNormal,
    kMacroOver,
    kMacroDown,
    kMacroDisabled,
    kMacro2Normal,
    kMacro2Over,
    kMacro2Down,
    kMacro2Disabled,
    kMediaNormal,
    kMediaOver,
    kMediaDown,
    kFunctionNormal,
    kFunctionOver,
    kFunctionDown,
    kCount
};
inline constexpr size_t kCompositePictureCount = static_cast<size_t>(CompositePicture::kCount);
// Relative to the program's folder.
extern const std::array<const wchar_t*, kCompositePictureCount> kCompositePictureFiles;

class CompositePictures {
  public:
    // Reads every picture; false (and nothing kept) when one cannot be read.
    bool Load(const std::wstring& moduleFolder, const std::wstring& skinFile, const std::wstring& skinFolder);
    bool Loaded() const { return skin_.has_value(); }
    const SkinImages& Skin() const { return *skin_; }
    const DecodedImage& Picture(CompositePicture picture) const {
        return pictures_[static_cast<size_t>(picture)];
    }

  private:
    std::optional<SkinImages> skin_;
    std::array<DecodedImage, kCompositePictureCount> pictures_;
};

// The canvases, made once for the dialog's window size.
class CompositeCanvases {
  public:
    bool Built() const { return built_; }
    void Build(const CompositePictures& pictures, HDC dialogDc);

    // Normal, over, down, disabled, checked.
    StateCanvases KeySet() const;     // tabs, OK, Cancel, Apply, chrome
    StateCanvases MacroSet() const;   // the macro page's buttons
    StateCanvases Macro2Set() const;  // what macro-only mode disables
    // The page picture under the page's controls: the same face in every state.
    StateCanvases PageSet(composite::Page page) const;

  private:
    const StateCanvas* At(CompositePicture picture) const { return &canvases_[static_cast<size_t>(picture)]; }
    std::array<StateCanvas, kCompositePictureCount> canvases_;
    bool built_ = false;
};

}  // namespace kv::ui
