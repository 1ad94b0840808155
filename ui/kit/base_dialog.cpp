#include "ui/kit/base_dialog.h"

#include "ui/kit/image_file.h"
#include "ui/kit/mask_region.h"
#include "ui/kit/message_map.h"
#include "ui/kit/skin_entry.h"

namespace kv::ui {

namespace {

CBaseDialog::FatalExit& ExitHook() {
    static CBaseDialog::FatalExit hook;
    return hook;
}

}  // namespace

std::optional<SkinImages> LoadSkinImages(const std::wstring& skinFile, const std::wstring& skinFolder) {
    const std::wstring mainImage = ReadSkinText(skinFile, L"SCREEN", L"Main");
    const std::wstring maskImage = ReadSkinText(skinFile, L"SCREEN", L"Mask");
    if (mainImage.empty() || maskImage.empty()) return std::nullopt;
    auto background = LoadImageFile(skinFolder + mainImage);
    auto mask = LoadImagePixels(skinFolder + maskImage);
    if (!background || !mask) return std::nullopt;
    return SkinImages{std::move(*background), std::move(*mask)};
}

CBaseDialog::CBaseDialog(DialogTemplate dialogTemplate, HWND parent, std::wstring skinFile,
                         std::wstring skinFolder)
    : Dialog(dialogTemplate),
      parent_(parent),
      skinFile_(std::move(skinFile)),
      skinFolder_(std::move(skinFolder)) {}

void CBaseDialog::SetFatalExit(FatalExit exit) { ExitHook() = std::move(exit); }

void CBaseDialog::EndProcessSilently() {
    if (ExitHook()) {
        ExitHook()();
        return;
    }
    ExitProcess(0);
}

bool CBaseDialog::Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    static constexpr MessageRoute<CBaseDialog> kMessages[] = {
        {WM_PAINT, &CBaseDialog::OnPaint},
        {WM_PRINTCLIENT, &CBaseDialog::OnPrintClient},
        {WM_ERASEBKGND, &CBaseDialog::OnEraseBackground},
        {WM_NCPAINT, &CBaseDialog::OnNcPaint},
        {WM_LBUTTONDOWN, &CBaseDialog::OnLeftButtonDown},
    };
    static constexpr MessageMap<CBaseDialog> kMap{kMessages};
    return kMap.Route(*this, message, wParam, lParam, result) ||
           Dialog::Route(message, wParam, lParam, result);
}

BOOL CBaseDialog::OnInitDialog() {
    if (!ApplySkin()) {
        EndProcessSilently();
        End(IDABORT);  // only reached when a test took over the exit
        return FALSE;
    }
    return TRUE;
}

bool CBaseDialog::ApplySkin() {
    applyingSkin_ = true;
    std::optional<SkinImages> loaded;
    if (!preloaded_) loaded = LoadSkinImages(skinFile_, skinFolder_);
    const SkinImages* images = preloaded_ ? preloaded_ : loaded ? &*loaded : nullptr;
    if (!images) {
        applyingSkin_ = false;
        return false;
    }
    if (loaded) background_ = std::move(loaded->background.bitmap);
    backgroundSize_ = {images->background.width, images->background.height};

    // The window takes exactly the background's size; its client area is the
    // whole window, as the templates have neither caption nor border.
    SetWindowPos(hwnd_, nullptr, 0, 0, backgroundSize_.cx, backgroundSize_.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    mask_ = RegionFromMask(images->mask);
    if (SetWindowRgn(hwnd_, mask_.get(), TRUE)) mask_.Release();  // the window owns it now
    applyingSkin_ = false;
    return true;
}

HBITMAP CBaseDialog::Background() const {
    return preloaded_ ? preloaded_->background.bitmap.get() : background_.get();
}

void CBaseDialog::ReleaseImages() {
    background_.Reset();
    mask_.Reset();
}

void CBaseDialog::OnOk() {
    ReleaseImages();
    Dialog::OnOk();
}

void CBaseDialog::OnCancel() {
    ReleaseImages();
    Dialog::OnCancel();
}

void CBaseDialog::PaintBackground(HDC dc) {
    HBITMAP background = Background();
    if (!background) return;
    MemoryDc source(dc);
    SelectGuard select(source.get(), background);
    BitBlt(dc, 0, 0, backgroundSize_.cx, backgroundSize_.cy, source.get(), 0, 0, SRCCOPY);
}

LRESULT CBaseDialog::OnPaint(WPARAM, LPARAM) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd_, &paint);
    PaintBackground(dc);
    EndPaint(hwnd_, &paint);
    return 0;
}

LRESULT CBaseDialog::OnPrintClient(WPARAM wParam, LPARAM) {
    PaintBackground(reinterpret_cast<HDC>(wParam));
    return 0;
}

LRESULT CBaseDialog::OnEraseBackground(WPARAM, LPARAM) { return 1; }

LRESULT CBaseDialog::OnNcPaint(WPARAM, LPARAM) { return 0; }

LRESULT CBaseDialog::OnLeftButtonDown(WPARAM, LPARAM lParam) {
    // A press anywhere on the dialog's own surface drags the window.
    ReleaseCapture();
    SendMessageW(hwnd_, WM_NCLBUTTONDOWN, HTCAPTION, lParam);
    return 0;
}

}  // namespace kv::ui
