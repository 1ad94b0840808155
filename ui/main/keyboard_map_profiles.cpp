// The profile buttons: choosing the profile the window shows, which also
// makes it the keyboard's active profile.
#include "ui/main/keyboard_map.h"
#include "ui/main/lighting_panel.h"
#include "ui/main/main_window_ids.h"

namespace kv::ui {

void KeyboardMap::ShowProfile(int profile) {
    current_profile_ = profile;
    model::LightingModel* lighting = context_.lighting;
    if (!lighting) return;
    lighting->SetCurrentProfile(profile);
    lighting->ReadLighting();
    if (peers_.lighting) peers_.lighting->RefreshLightingPanel(lighting->HasPerKeyMode());
}

void KeyboardMap::SelectProfile(int profile) {
    model::ConfigSync* sync = context_.sync;
    if (profile < 0 || profile >= kProfileCount || !sync || !context_.lighting) return;
    const int before = current_profile_;
    ShowProfile(profile);
    const bool lamp_was_on = context_.lighting->PanelOn();
    if (peers_.lighting) peers_.lighting->SetLampSwitch(false);
    if (ActiveProfile() == profile) return;
    if (!sync->SwitchActiveProfile(profile, *this)) {
        // The keyboard kept its profile: so does the window.
        ShowProfile(before);
        if (lamp_was_on && peers_.lighting) peers_.lighting->SetLampSwitch(true);
        CheckProfileButton(before);
        return;
    }
    CheckProfileButton(profile);
    for (CPngButton& key : keys_) InvalidateRect(key.hwnd(), nullptr, FALSE);
}

bool KeyboardMap::EditingDialogOpen() const {
    const SubDialog* composite = peers_.dialogs ? peers_.dialogs->composite : nullptr;
    return composite && composite->IsOpen();
}

bool KeyboardMap::ManagerHasChanges() const { return manager_ && manager_->HasUnappliedChanges(); }

void KeyboardMap::ManagerShowsActive(int profile) {
    if (manager_) manager_->ActiveProfileSwitched(profile);
}

// The window's own Apply command; it has finished when the send returns.
void KeyboardMap::Apply() {
    SendMessageW(context_.hwnd, WM_COMMAND, MAKEWPARAM(IDC_APPLY, BN_CLICKED),
                 reinterpret_cast<LPARAM>(context_.Item(IDC_APPLY)));
}

}  // namespace kv::ui
