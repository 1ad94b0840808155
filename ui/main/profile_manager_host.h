// The main window as the profile manager sees it: the keyboard's active
// profile, the working set's reload and Restore through the configuration
// sync, the Apply state and command, the profile button and the registry.
#pragma once

#include <filesystem>

#include "model/sync/sync_host.h"
#include "ui/dialogs/profiles/profile_host.h"
#include "ui/main/keyboard_map.h"
#include "ui/main/main_dialog_host.h"

namespace kv::ui {

class ProfileManagerHost final : public MainDialogHost<ProfileHost> {
  public:
    ProfileManagerHost(MainContext& context, KeyboardMap& keyboard, const model::PendingChanges& pending)
        : MainDialogHost(context), keyboard_(keyboard), pending_(pending) {}

    int ActiveProfile() override;
    bool SetActiveProfile(int profile) override;
    // Without keeping pending changes it is the whole reload of an attachment:
    // the window's profile buttons and lighting follow the keyboard too.
    void ReloadWorkingConfiguration(bool keepPending) override;
    bool LoadProfileIntoKeyboard(const std::filesystem::path& file) override;
    bool PendingChanges() const override { return pending_.Pending(); }
    bool ApplyPendingChanges() override;
    void RebuildProfileMenu() override { keyboard_.RebuildProfileMenu(false); }
    const app::ProfileValues& ApplicationValues() const override { return context_.app.profile_values; }

  private:
    KeyboardMap& keyboard_;
    const model::PendingChanges& pending_;
};

}  // namespace kv::ui
