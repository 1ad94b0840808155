// The lighting panel of the main window: lamp switch, mode list, brightness
// and speed sliders, direction pictures, the per-key tools, the report-rate
// buttons and the colour controls that no mode shows; the per-key light marks
// on the keyboard picture; and timer 1051, the deferred lighting read-back.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "model/lighting/light_modes.h"
#include "model/sync/sync_host.h"
#include "ui/kit/bitmap_slider.h"
#include "ui/kit/color_static.h"
#include "ui/kit/png_button.h"
#include "ui/kit/skin_color_btn.h"
#include "ui/kit/skin_combo.h"
#include "ui/main/keyboard_map.h"
#include "ui/main/lighting_rules.h"
#include "ui/main/main_context.h"
#include "ui/main/panel_bitmaps.h"

namespace kv::ui {

class LightingPanel : public model::LightingView {
  public:
    static constexpr int kReportRateCount = 4;

    // The key marks are drawn on the keyboard map's buttons.
    LightingPanel(MainContext& context, KeyboardMap& keyboard) : context_(context), keyboard_(keyboard) {}

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
    void RestoreLightingPanelDefaults() override;

    // A key, D or Fn button clicked while the panel is switched on (the
    // keyboard map routes them here).
    void LightingKeyClick(int control_id);
    // The lamp switch as a click on the lamp sets it; another profile button switches it off.
    void SetLampSwitch(bool on);

  private:
    // Handlers.
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
    LRESULT OnDrawItem(WPARAM id, LPARAM item);
    void OnLightingTimer();
    // A key or Fn button while the panel is on: marks or unmarks its key.
    void OnLightingKeyClick(int id);

    // Switching the panel; only the settings file changes, not the keyboard.
    void LightingPanelOn();
    void LightingPanelOff();

    // The mode the selector shows (its id in the mode table), or the record's
    // mode when nothing is selected.
    int SelectedMode() const;
    int Selection(int id) const;
    void FillModeList();
    void ShowReportRate(int index);
    void ShowSliders(int brightness, int speed);
    void ShowDirection(int mode, uint8_t byte4);
    void PlaceDirection(int mode);
    void ShowTool(int tool);
    void ShowGroups(const PanelGroups& groups);
    // Switched off: only the lamp, its label and the report-rate group show.
    void ShowSwitchedOff();
    void ShowHiddenValues();
    void Show(int id, const wchar_t* picture) const;
    void Write(uint8_t offset, uint8_t value);

    // Marks on the keyboard picture: every key, G and Fn button framed green
    // when marked(matrix index), black otherwise; or no frames at all.
    void ShowKeyMap();
    void FrameAllKeys(const std::function<bool(int matrix_index)>& marked);
    void ClearKeyFrames();

    model::LightingModel* Model() const { return context_.lighting; }

    MainContext& context_;
    KeyboardMap& keyboard_;
    PanelBitmaps bitmaps_;
    model::LightModeTable modes_;
    CSkinCombo mode_list_;
    CSkinCombo user_maps_;
    CBitmapSlider brightness_;
    CBitmapSlider speed_;
    std::array<CPngButton, kReportRateCount> rates_;
    std::vector<std::unique_ptr<ColorStatic>> labels_;
    std::vector<std::pair<int, std::unique_ptr<CSkinColorBtn>>> colours_;  // by control id
};

}  // namespace kv::ui
