// The per-key light marks on the keyboard picture: a key click while the
// panel is on marks or unmarks the key in the current user map, and the map
// shows as green frames on the key, G and Fn buttons.
#include "model/keys/key_buttons.h"
#include "model/lighting/light_matrix.h"
#include "ui/main/lighting_panel.h"
#include "ui/main/main_window_ids.h"

namespace kv::ui {

namespace {

constexpr COLORREF kMarkedFrame = RGB(0, 255, 0);
constexpr COLORREF kUnmarkedFrame = RGB(0, 0, 0);
constexpr int kFrameWidth = 2;

// Every button that shows a mark: the keys, the G buttons (they show the Esc
// position) and Fn; the flip layout's alternates show none.
template <class Visit>
void ForEachMarkButton(KeyboardMap& keyboard, Visit visit) {
    const auto visit_id = [&](int id) {
        if (CPngButton* button = keyboard.ButtonOf(id)) visit(*button, model::LightMatrixIndexOf(id));
    };
    for (int id : model::GButtonControlIds()) visit_id(id);
    for (const model::KeyButton& key : model::KeyButtons()) visit_id(key.control_id);
    visit_id(IDC_FN);
}

}  // namespace

void LightingPanel::OnLightingKeyClick(int id) {
    model::LightingModel* lighting = Model();
    if (!lighting || !PerKeyModeSelected(Selection(IDC_MODE_LIST), modes_)) return;
    CPngButton* button = keyboard_.ButtonOf(id);
    const int index = model::LightMatrixIndexOf(id);
    const int tool = lighting->State().tool;
    if (tool != 0 && tool != 1) return;
    const bool marked = tool == 0;
    if (button) button->SetFrame(marked ? kMarkedFrame : kUnmarkedFrame, kFrameWidth, true);
    lighting->ToggleKeyLight(index, marked);
}

void LightingPanel::ShowKeyMap() {
    const model::LightingModel* lighting = Model();
    if (!lighting) return;
    FrameAllKeys([lighting](int index) { return lighting->IsKeyMarked(index); });
}

void LightingPanel::FrameAllKeys(const std::function<bool(int matrix_index)>& marked) {
    ForEachMarkButton(keyboard_, [&](CPngButton& button, int index) {
        button.SetFrame(marked(index) ? kMarkedFrame : kUnmarkedFrame, kFrameWidth, true);
    });
}

void LightingPanel::ClearKeyFrames() {
    ForEachMarkButton(keyboard_, [](CPngButton& button, int) {
        button.SetFrame(kUnmarkedFrame, kFrameWidth, false);
        button.SetChecked(false, true);
    });
}

}  // namespace kv::ui
