// A borderless dialog shaped and painted by two skin images named in the
// "SCREEN" section of its skin file: "Main" (background) and "Mask" (shape:
// every pixel that is not pure white belongs to the window).
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "ui/kit/gdi.h"
#include "ui/kit/image_file.h"
#include "ui/kit/window.h"

namespace kv::ui {

// The two images a skin file names, read once so that a dialog can open
// without touching a file.
struct SkinImages {
    DecodedImage background;
    PixelImage mask;
};

// Reads "Main" and "Mask" of the skin file's "SCREEN" section from the
// folder; nothing when either cannot be read.
std::optional<SkinImages> LoadSkinImages(const std::wstring& skinFile, const std::wstring& skinFolder);

class CBaseDialog : public Dialog {
  public:
    // skinFile: the dialog's skin INI; skinFolder: where its images are (ends with a separator).
    CBaseDialog(DialogTemplate dialogTemplate, HWND parent, std::wstring skinFile, std::wstring skinFolder);

    INT_PTR DoModal() { return Dialog::DoModal(parent_); }
    HWND Create() { return Dialog::Create(parent_); }

    const std::wstring& SkinFile() const { return skinFile_; }
    const std::wstring& SkinFolder() const { return skinFolder_; }
    bool ApplyingSkin() const { return applyingSkin_; }
    HBITMAP Background() const;

    // Images read in advance (not owned; they outlive every opening): the
    // initialisation then reads no file. Null goes back to reading them.
    void UsePreloadedSkin(const SkinImages* images) { preloaded_ = images; }

    // What happens when a skin image is missing: by default the process ends
    // at once with exit code 0. Tests replace it; when the replacement
    // returns, the dialog closes itself instead.
    using FatalExit = std::function<void()>;
    static void SetFatalExit(FatalExit exit);
    static void EndProcessSilently();

  protected:
    bool Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    // Shape and background; derived dialogs call this first in their own OnInitDialog.
    BOOL OnInitDialog() override;
    void OnOk() override;
    void OnCancel() override;

  private:
    bool ApplySkin();
    void ReleaseImages();
    LRESULT OnPaint(WPARAM, LPARAM);
    LRESULT OnPrintClient(WPARAM, LPARAM);
    LRESULT OnEraseBackground(WPARAM, LPARAM);
    LRESULT OnNcPaint(WPARAM, LPARAM);
    LRESULT OnLeftButtonDown(WPARAM, LPARAM);
    void PaintBackground(HDC dc);

    HWND parent_;
    std::wstring skinFile_;
    std::wstring skinFolder_;
    GdiBitmap background_;
    SIZE backgroundSize_{0, 0};
    GdiRegion mask_;  // kept until the window takes it
    const SkinImages* preloaded_ = nullptr;
    bool applyingSkin_ = false;
};

}  // namespace kv::ui
