// The keyboard picture of the main window: 104 key buttons, the nine G
// buttons, Fn, the six alternates of the flip layout, the flip toggles with
// their arrows, the lock indicators and the three profile buttons.
#pragma once

#include <windows.h>

#include <array>
#include <set>

#include "model/assign/key_assignment.h"
#include "model/keys/g_keys.h"
#include "model/keys/key_buttons.h"
#include "model/sync/profile_switch.h"
#include "model/sync/sync_host.h"
#include "ui/kit/png_button.h"
#include "ui/main/main_context.h"
#include "ui/main/profile_manager_link.h"
#include "ui/main/sub_dialogs.h"

namespace kv::ui {

class CompositeLink;
class LightingPanel;

class KeyboardMap : public model::KeyButtonsView, private model::ProfileSwitchHost {
  public:
    static constexpr int kDButtonCount = 6;
    static constexpr int kProfileCount = 3;

    // What the keyboard picture reaches in the window's other parts.
    struct Peers {
        LightingPanel* lighting = nullptr;     // key clicks while its switch is on
        CPngButton* profile_button = nullptr;  // 1005: the active profile's name
        SubDialogs* dialogs = nullptr;         // no profile switch while the assignment dialog is open
        CompositeLink* composite = nullptr;    // the assignment dialog key and G clicks open
    };

    explicit KeyboardMap(MainContext& context) : context_(context) {}

    bool Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // Set once by the window, before its initialisation.
    void Connect(const Peers& peers) { peers_ = peers; }
    // Set by the profile manager when it is wired to the window; null for none.
    void SetProfileManagerLink(ProfileManagerLink* link) { manager_ = link; }

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
    // The keyboard's active profile, or -1 when it names none of 0..2.
    int ActiveProfile() const;
    // The button of a key, G or Fn control id (D buttons included); null for other ids.
    CPngButton* ButtonOf(int id);

    // SelectProfile: the handler of profile button n (0..2).
    void SelectProfile(int profile);
    // 'PE' with 'LED', under WorkingConfigLock: the G buttons, their captions
    // and the A/B indicator follow the keyboard's layer.
    void OnLayerChanged();
    // The profile button's caption (the active profile's name) and tooltip;
    // create only for the first call, at start-up.
    void RebuildProfileMenu(bool create);

    // model::KeyButtonsView
    void RefreshKeyButtons() override;
    // SetProfileButtons: profile n (0..2) checked and shown; other values change nothing.
    void SetCurrentProfile(int profile) override;
    model::GLayer CurrentLayer() const override;

  private:
    // model::ProfileSwitchHost
    bool EditingDialogOpen() const override;
    bool ManagerHasChanges() const override;
    void ManagerShowsActive(int profile) override;
    void Apply() override;
    void RebuildProfileMenu() override { RebuildProfileMenu(false); }

    void OnKeyClicked(WORD id, WORD code);
    void OnGClicked(WORD id, WORD code);
    void OnFnClicked(WORD code);
    void OnFlipClicked(WORD code);
    void OnProfileClicked(WORD id, WORD code);
    bool LightingSwitchOn() const;

    // The entry of a key index in the working set's active profile; the
    // default for no active profile. The caller holds WorkingConfigLock.
    model::KeyAssignment WorkingEntry(int active, int key_index) const;
    void ShowGButtons(int active, model::GLayer layer);
    // Captions "A1".."A5" or "B1".."B5" and the A/B indicator.
    void ShowLayer(model::GLayer layer);
    void StyleLayerCaptions();
    void CheckProfileButton(int profile);
    // The profile the window shows, with its lighting read back.
    void ShowProfile(int profile);

    void PlaceArrow(int side);
    // The arrow beside a flip toggle shows only while the toggle shows its normal face.
    void ShowArrow(int side, bool shown);
    void SetRepaintCallbacks();

    MainContext& context_;
    Peers peers_;
    ProfileManagerLink* manager_ = nullptr;
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
    bool d_placed_ = false;   // the skin has a place for every D button
    std::set<int> left_out_;  // key buttons without a skin entry
};

}  // namespace kv::ui
