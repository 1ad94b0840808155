// What the key assignment dialog needs from the window that owns it (the main
// window in the program, a fake in the tests). Everything is called on the
// user-interface thread.
#pragma once

#include <windows.h>

#include "app/settings/profile_values.h"
#include "model/config_sets.h"
#include "model/keys/g_keys.h"
#include "model/text_source.h"

namespace kv::ui {

class CompositeHost {
  public:
    virtual ~CompositeHost() = default;

    // The owner of the dialog and of its message boxes.
    virtual HWND OwnerWindow() const = 0;

    // The working set the dialog edits, with WorkingConfigLock.
    virtual model::ConfigSets& Sets() = 0;
    // The profile whose entries the dialog reads and writes (0..2): the
    // keyboard's active profile.
    virtual int ActiveProfile() const = 0;
    // The G-key layer the G buttons stand for now.
    virtual model::GLayer CurrentLayer() const = 0;

    // Language texts of the current language; "#Error" for a missing key.
    virtual const model::TextSource& Texts() const = 0;
    // The application's "PROFILES" values (the record-delays option).
    virtual const app::ProfileValues& ProfileValues() const = 0;

    // The clicked main-window button shows its hover faces while the dialog
    // is open (on), and its own faces again afterwards (off).
    virtual void ShowButtonHover(int controlId, bool on) = 0;
    // Screen rectangle of a main-window button; the dialog opens beside it.
    virtual RECT ButtonScreenRect(int controlId) const = 0;

    // The dialog changed the working set: the key and G buttons show the new
    // assignments (the host takes WorkingConfigLock itself) ...
    virtual void RefreshAssignmentButtons() = 0;
    // ... and the main window's Apply becomes available.
    virtual void SetPendingChanges() = 0;

    // The help page, as the main window's help button opens it.
    virtual void OpenHelp() = 0;
};

}  // namespace kv::ui
