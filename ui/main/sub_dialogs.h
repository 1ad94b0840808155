// The dialogs the main window owns for the whole run and reopens on demand:
// the about box, the profile manager (template 131), the composite assignment
// dialog (134) and the firmware update dialog (149).
#pragma once

#include <windows.h>

#include "ui/dialogs/about_dlg.h"
#include "ui/dialogs/sub_dialog.h"

namespace kv::ui {

class SubDialogs {
  public:
    explicit SubDialogs(HINSTANCE instance) : about_(instance) {}

    CAboutDlg& About() { return about_; }

    // Set once each dialog exists; the window owns the objects as members
    // and points these at them (dialogs_.composite = &composite_).
    SubDialog* profile_manager = nullptr;
    SubDialog* composite = nullptr;
    SubDialog* update = nullptr;

    // 'GS' (the keyboard has gone): the about box, then the profile manager,
    // the assignment dialog and the firmware update dialog while open.
    void CloseForKeyboardGone();
    // Shutdown: every one that is open (the same list).
    void CloseAll();

  private:
    CAboutDlg about_;
};

}  // namespace kv::ui
