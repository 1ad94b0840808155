// One skinned window of the gallery: the skin's background and shape, every
// "BUTTONINFO" entry placed as its window would place it, and screenshots.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "tools/gallery/skin_sheets.h"
#include "ui/kit/base_dialog.h"
#include "ui/kit/bitmap_slider.h"
#include "ui/kit/color_static.h"
#include "ui/kit/dialog_template.h"
#include "ui/kit/gdi.h"
#include "ui/kit/png_button.h"
#include "ui/kit/report_ctrl.h"
#include "ui/kit/state_canvas.h"

namespace kv::gallery {

struct GalleryTemplate {
    ui::MemoryDialogTemplate galleryTemplate{WS_POPUP, 100, 100};
};

class GalleryDialog : private GalleryTemplate, public ui::CBaseDialog {
  public:
    GalleryDialog(const SkinSheet& sheet, const std::wstring& moduleFolder);

    // Problems met while dressing the window (missing canvas images and the like).
    const std::vector<std::wstring>& Problems() const { return problems_; }
    bool Shoot(const std::wstring& pngPath) const;
    // One button hovered and one checked.
    void ShowStates();
    // The main window's lighting panel, switched on in mode 1.
    void ShowLightingPanel();

  protected:
    BOOL OnInitDialog() override;

  private:
    std::wstring Text(const std::wstring& section, const std::wstring& key) const;
    HWND NewChild(LPCWSTR className, DWORD style, LPCWSTR text = L"");
    void PlaceEntry(const std::wstring& key);
    ui::ColorStatic& AddLabel(const std::wstring& key, const std::wstring& text, bool visible);
    HBITMAP Picture(const std::wstring& file);
    void BuildLightingPanel();
    void AddProfileList(const std::wstring& key);

    const SkinSheet& sheet_;
    std::wstring moduleFolder_;
    std::vector<ui::StateCanvas> canvases_;
    std::map<std::wstring, std::unique_ptr<ui::CPngButton>> buttons_;
    std::vector<std::unique_ptr<ui::ColorStatic>> labels_;
    std::vector<std::unique_ptr<ui::CBitmapSlider>> sliders_;
    std::unique_ptr<ui::CReportCtrl> list_;
    std::vector<ui::GdiBitmap> pictures_;
    std::vector<HWND> panel_;  // shown only with the lighting panel
    HWND lamp_ = nullptr;
    int nextId_ = 2000;
    std::vector<std::wstring> problems_;
};

}  // namespace kv::gallery
