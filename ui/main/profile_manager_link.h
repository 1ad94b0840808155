// What the main window's profile switch asks of the profile manager. The
// manager plugs itself in with KeyboardMap::SetProfileManagerLink once it is
// wired to the window; until then no manager is open.
#pragma once

namespace kv::ui {

class ProfileManagerLink {
  public:
    virtual ~ProfileManagerLink() = default;
    // Open, with changes to its list that are not applied yet.
    virtual bool HasUnappliedChanges() const = 0;
    // While open: tick the row of this profile (0..2) and clear the changed flag.
    virtual void ShowActiveProfile(int profile) = 0;
};

}  // namespace kv::ui
