// What the keyboard picture's buttons do: key, G, Fn, flip and profile
// clicks, and the buttons as the per-key light maps address them.
#include "ui/main/keyboard_map.h"

#include "model/lighting/user_key_map.h"
#include "ui/kit/message_map.h"
#include "ui/main/composite_link.h"
#include "ui/main/lighting_panel.h"
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

bool KeyboardMap::LightingSwitchOn() const {
    const model::LightingModel* lighting = context_.lighting;
    return lighting && lighting->PanelOn() && peers_.lighting;
}

// While the lighting panel is on a key button edits the per-key light map;
// otherwise it opens the assignment dialog (nothing for the D buttons).
void KeyboardMap::OnKeyClicked(WORD id, WORD) {
    if (LightingSwitchOn())
        peers_.lighting->LightingKeyClick(id);
    else if (peers_.composite)
        peers_.composite->SelectKey(id);
}

// G buttons always open the assignment dialog, also while the panel is on.
void KeyboardMap::OnGClicked(WORD id, WORD) {
    if (peers_.composite) peers_.composite->SelectKey(id);
}

// Fn has no assignment: it only edits the per-key light map.
void KeyboardMap::OnFnClicked(WORD) {
    if (LightingSwitchOn()) peers_.lighting->LightingKeyClick(IDC_FN);
}

void KeyboardMap::OnFlipClicked(WORD) { ToggleFlip(); }

void KeyboardMap::OnProfileClicked(WORD id, WORD) { SelectProfile(id - IDC_PROFILE1); }

model::GLayer KeyboardMap::CurrentLayer() const {
    app::DeviceHost& device = context_.app.device;
    return device.Started() && device.Notifier().Layer() == 1 ? model::GLayer::kB : model::GLayer::kA;
}

}  // namespace kv::ui
