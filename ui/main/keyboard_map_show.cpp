// How the keyboard picture shows the working set: each button's checked face
// and tooltip from its assignment in the keyboard's active profile, the G
// buttons in the current layer, the layer itself and the profile's name.
#include <mutex>

#include "app/settings/language_texts.h"
#include "model/assign/assignment_store.h"
#include "model/assign/describe_assignment.h"
#include "profiles/working_profile.h"
#include "ui/main/keyboard_map.h"
#include "ui/main/main_style.h"
#include "ui/main/main_window_ids.h"

namespace kv::ui {

namespace {

using C = MainCanvases;

constexpr int kLayerCaptionPoints = 7;
// A small tag in the top right corner, clear of the cap's own "G1" legend.
constexpr UINT kLayerCaptionFormat = DT_RIGHT | DT_TOP | DT_SINGLELINE;
constexpr StateColors kLayerCaptionColors{RGB(0x9a, 0xa1, 0xab), RGB(255, 255, 255), RGB(0xff, 0xb3, 0x5c),
                                          RGB(0x5a, 0x5f, 0x66), RGB(0xff, 0xb3, 0x5c)};
// G1..G5 carry the layer's names; G6..G9 none.
constexpr int kNamedGKeys = 5;

void Show(CPngButton& button, const model::AssignmentDescription& description) {
    button.SetChecked(description.checked, true);
    button.SetTooltip(app::ToWide(description.tooltip));
}

}  // namespace

int KeyboardMap::ActiveProfile() const {
    app::DeviceHost& device = context_.app.device;
    if (!device.Started()) return -1;
    const int active = device.Commands().GetActiveProfile();
    return active >= 0 && active < kProfileCount ? active : -1;
}

model::KeyAssignment KeyboardMap::WorkingEntry(int active, int key_index) const {
    const model::ConfigSet& working = context_.app.sets.Working();
    if (active < 0 || !working.block) return {};  // nothing to show
    return model::ReadAssignment(*working.block, active, key_index);
}

void KeyboardMap::RefreshKeyButtons() {
    const int active = ActiveProfile();
    const model::MacroList& macros = context_.app.sets.Working().macros;
    const auto keys = model::KeyButtons();
    for (size_t i = 0; i < keys.size(); ++i) {
        const model::KeyAssignment entry = WorkingEntry(active, model::KeyIndexOf(keys[i].code));
        Show(keys_[i], model::DescribeAssignment(entry, model::AssignmentButton::Key(keys[i].code), macros,
                                                 context_.texts));
    }
    ShowGButtons(active, CurrentLayer());
    ApplyFlipState();
    RebuildProfileMenu(false);
}

void KeyboardMap::ShowGButtons(int active, model::GLayer layer) {
    const model::MacroList& macros = context_.app.sets.Working().macros;
    for (int n = 1; n <= model::kGKeyCount; ++n) {
        const model::KeyAssignment entry = WorkingEntry(active, model::GButtonKeyIndex(n, layer));
        Show(g_[static_cast<size_t>(n - 1)],
             model::DescribeAssignment(entry, model::AssignmentButton::G(n), macros, context_.texts));
    }
}

void KeyboardMap::OnLayerChanged() {
    const model::GLayer layer = CurrentLayer();
    ShowGButtons(ActiveProfile(), layer);
    ShowLayer(layer);
}

void KeyboardMap::StyleLayerCaptions() {
    for (CPngButton& g : g_) {
        g.SetTextMargins(0, -4, 2, 0);
        g.SetTextStyle(true, kLayerCaptionPoints, kCaptionFont, kLayerCaptionColors, kLayerCaptionFormat);
    }
}

void KeyboardMap::ShowLayer(model::GLayer layer) {
    const wchar_t letter = layer == model::GLayer::kB ? L'B' : L'A';
    for (int n = 1; n <= model::kGKeyCount; ++n) {
        const wchar_t name[] = {letter, static_cast<wchar_t>(L'0' + n), L'\0'};
        SetWindowTextW(g_[static_cast<size_t>(n - 1)].hwnd(), n <= kNamedGKeys ? name : L"");
    }
    // The indicator is disabled, so its disabled face is the one that shows: lit for layer B.
    CPngButton& ab = locks_[3];
    const MainCanvases& c = context_.canvases;
    const bool b = layer == model::GLayer::kB;
    ab.SetStateCanvases(c.Faces(C::N, C::N, C::N, b ? C::O : C::N, C::O), false);
    ab.SetChecked(b, true);
}

void KeyboardMap::SetCurrentProfile(int profile) {
    if (profile < 0 || profile >= kProfileCount) return;  // no active profile: nothing changes
    current_profile_ = profile;
    CheckProfileButton(profile);
}

void KeyboardMap::CheckProfileButton(int profile) {
    for (int i = 0; i < kProfileCount; ++i) profiles_[static_cast<size_t>(i)].SetChecked(i == profile, true);
}

// The menu this is named after is never shown; only the button shows its result.
void KeyboardMap::RebuildProfileMenu(bool) {
    CPngButton* button = peers_.profile_button;
    if (!button || !button->hwnd()) return;
    const std::wstring caption =
        ActiveProfile() >= 0
            ? profiles::WorkingProfilePath(context_.app.user_settings.Path()).stem().wstring()
            : context_.Text(L"DEFAULT_PROFILE_NAME");
    SetWindowTextW(button->hwnd(), caption.c_str());
    button->SetTooltip(context_.Text(L"PROFILE_TIP") + caption);
}

}  // namespace kv::ui
