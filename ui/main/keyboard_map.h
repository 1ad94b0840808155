// The keyboard picture of the main window: 104 key buttons, the nine G
// buttons, Fn, the six alternates of the flip layout, the flip toggles with
// their arrows, the lock indicators and the three profile buttons.
#pragma once

#include <windows.h>

#include <array>
#include <set>

#include "model/keys/g_keys.h"
#include "model/keys/key_buttons.h"
#include "model/sync/sync_host.h"
#include "ui/kit/png_button.h"
#include "ui/main/main_context.h"

namespace kv::ui {

class KeyboardMap : public model::KeyButtonsView {
  public:
    static constexpr int kDButtonCount = 6;
    static constexpr int kProfileCount = 3;

    explicit KeyboardMap(MainContext& context) : context_(context) {}

    bool Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // Binds every button object to its control of the template.
    void Attach();
    // Placement, in the order the window dresses itself.
    void PlaceKeys();
    void PlaceIndicatorsAndFlip();
    void PlaceProfileButtons();
    void PlaceFn();
    // The profile buttons' captions in the current language ('PA').
    void ApplyProfileCaptions();

    // The flip state of the top row, kept in "PROFILES"/"Flip"; ApplyFlipState reads it.
    bool Flipped() const { return flipped_; }
    void ToggleFlip();
    void ApplyFlipState();

    // The profile the window shows (0..2).
    int CurrentProfile() const { return current_profile_; }
    // The button of a key, G or Fn control id (D buttons included); null for other ids.
    CPngButton* ButtonOf(int id);

    // 'PE' with 'LED': the G buttons follow the keyboard's layer.
    void OnLayerChanged();
    // The profile button's caption (the active profile's name) and tooltip;
    // create only for the first call, at start-up.
    void RebuildProfileMenu(bool create);

    // model::KeyButtonsView
    void RefreshKeyButtons() override;
    void SetCurrentProfile(int profile) override;
    model::GLayer CurrentLayer() const override;

  private:
    void OnKeyClicked(WORD id, WORD code);
    void OnGClicked(WORD id, WORD code);
    void OnFnClicked(WORD code);
    void OnFlipClicked(WORD code);
    void OnProfileClicked(WORD id, WORD code);

    void PlaceArrow(int side);
    // The arrow beside a flip toggle shows only while the toggle shows its normal face.
    void ShowArrow(int side, bool shown);
    void SetRepaintCallbacks();

    MainContext& context_;
    std::array<CPngButton, model::kKeyButtonCount> keys_;  // in the order of model::KeyButtons()
    std::array<CPngButton, model::kGKeyCount> g_;
    std::array<CPngButton, kDButtonCount> d_;
    CPngButton fn_;
    std::array<CPngButton, 4> locks_;  // Caps, Num, Scroll, A/B
    CPngButton flip0_;
    std::array<CPngButton, 2> flips_;   // left (1130) and right (1131) toggle
    std::array<CPngButton, 2> arrows_;  // left (1132) and right (1133)
    std::array<int, 2> arrow_frames_{1, 1};
    std::array<CPngButton, kProfileCount> profiles_;
    int current_profile_ = 0;
    bool flipped_ = false;
    std::set<int> left_out_;  // key buttons without a skin entry
};

}  // namespace kv::ui
