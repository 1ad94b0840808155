// The lighting panel of the main window: lamp switch, mode list, brightness
// and speed sliders, direction pictures, the per-key tools, the report-rate
// buttons and the colour controls that no mode shows; and timer 1051, the
// deferred lighting read-back.
#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <vector>

#include "model/sync/sync_host.h"
#include "ui/kit/bitmap_slider.h"
#include "ui/kit/color_static.h"
#include "ui/kit/png_button.h"
#include "ui/kit/skin_color_btn.h"
#include "ui/main/main_context.h"
#include "ui/main/panel_bitmaps.h"

namespace kv::ui {

class LightingPanel : public model::LightingView {
  public:
    static constexpr int kReportRateCount = 4;

    explicit LightingPanel(MainContext& context) : context_(context) {}

    bool Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    void Attach();
    // The report-rate buttons, in the window's placement order.
    void PlaceReportButtons();
    // Pictures loaded, every control at its skin entry, sliders and colour
    // buttons set up; the panel starts as it shows while switched off.
    void Build();
    // "USER_MODE1" .. "USER_MODE10", as they stand, in the user-map selector.
    void FillUserMapList();
    // The labels' captions in the current language (section "LIGHT").
    void ApplyCaptions();

    const PanelBitmaps& Bitmaps() const { return bitmaps_; }

    // From the device notifier's thread: the keyboard changed its lighting.
    void PostLightingChanged();

    // model::LightingView
    void RefreshLightingPanel(bool with_key_view) override;

    // A key, D or Fn button clicked while the panel is switched on (the
    // keyboard map routes them here).
    void LightingKeyClick(int control_id);
    // The lamp switch as a click on the lamp sets it; another profile button switches it off.
    void SetLampSwitch(bool on);

  private:
    void OnModeChanged(WORD code);
    void OnUserMapChanged(WORD code);
    void OnLampClicked(WORD code);
    void OnDirectionClicked(WORD id, WORD code);
    void OnToolClicked(WORD id, WORD code);
    void OnClearAllClicked(WORD code);
    void OnMarkAllClicked(WORD code);
    void OnReportRateClicked(WORD id, WORD code);
    LRESULT OnSliderPosition(WPARAM id, LPARAM position);
    LRESULT OnStartLightingTimer(WPARAM, LPARAM);
    void OnLightingTimer();

    // Switched off: only the lamp, its label and the report-rate group show.
    void ShowSwitchedOff();

    MainContext& context_;
    PanelBitmaps bitmaps_;
    CBitmapSlider brightness_;
    CBitmapSlider speed_;
    std::array<CPngButton, kReportRateCount> rates_;
    std::vector<std::unique_ptr<ColorStatic>> labels_;
    std::vector<std::unique_ptr<CSkinColorBtn>> colours_;
};

}  // namespace kv::ui
