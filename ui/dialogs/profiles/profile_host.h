// What the profile manager needs from the main window: the keyboard's active
// profile, the working set's reload and Restore, the Apply state, the profile
// button and the application's registry values.
#pragma once

#include <filesystem>

#include "app/settings/profile_values.h"
#include "ui/dialogs/dialog_host.h"

namespace kv::ui {

class ProfileHost : public DialogHost {
  public:
    // The keyboard's active profile 0..2, or -1 when there is none (no keyboard).
    virtual int ActiveProfile() = 0;
    // Makes profile 0..2 the keyboard's active one; true when the keyboard took it.
    virtual bool SetActiveProfile(int profile) = 0;
    // Rebuilds the working set from the keyboard (through the working profile file).
    virtual void ReloadWorkingConfiguration(bool keepPending) = 0;
    // Loads a profile file into the keyboard exactly as Restore does: the
    // file is validated (with Restore's messages), becomes the working set and
    // the working profile file, and its three key maps and macro area are
    // written. True when the keyboard holds it.
    virtual bool LoadProfileIntoKeyboard(const std::filesystem::path& file) = 0;
    // Changes waiting for the main window's Apply.
    virtual bool PendingChanges() const = 0;
    // The main window's Apply (control 1006); true when nothing is pending afterwards.
    virtual bool ApplyPendingChanges() = 0;
    // Caption and tooltip of the main window's profile button.
    virtual void RebuildProfileMenu() = 0;
    // The application's registry values ("PROFILES" holds the list's paths).
    virtual const app::ProfileValues& ApplicationValues() const = 0;
};

}  // namespace kv::ui
