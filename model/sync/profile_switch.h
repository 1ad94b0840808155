// What switching the keyboard's active profile asks of the windows around
// the sync: the dialogs that edit the working set, the main window's Apply
// and its profile button.
#pragma once

namespace kv::model {

class ProfileSwitchHost {
  public:
    virtual ~ProfileSwitchHost() = default;
    // The key assignment dialog is open: no switch while it edits.
    virtual bool EditingDialogOpen() const = 0;
    // The profile manager is open with changes it has not applied.
    virtual bool ManagerHasChanges() const = 0;
    // The profile manager, while open, ticks the row of this profile and
    // forgets its own changes.
    virtual void ManagerShowsActive(int profile) = 0;
    // The main window's Apply command, run to its end.
    virtual void Apply() = 0;
    // The profile button's caption and tooltip, from the active profile.
    virtual void RebuildProfileMenu() = 0;
};

}  // namespace kv::model
