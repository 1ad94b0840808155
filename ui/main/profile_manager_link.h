// What the main window's profile switch asks of the profile manager
// (CKelvarin_DlgProfile has both); plugged in with
// KeyboardMap::SetProfileManagerLink once the manager is wired to the window,
// until then no manager is open.
#pragma once

namespace kv::ui {

class ProfileManagerLink {
  public:
    virtual ~ProfileManagerLink() = default;
    // Open, with changes to its list that are not applied yet.
    virtual bool HasUnappliedChanges() const = 0;
    // The switch is done: while open, tick the row of this profile (0..2)
    // and clear the changed flag.
    virtual void ActiveProfileSwitched(int profile) = 0;
};

}  // namespace kv::ui
