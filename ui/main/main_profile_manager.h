// The profile manager (CKelvarin_DlgProfile) as the main window owns it for
// the whole run: opened by the profile button 1005, its pictures read at
// start-up, and its side of the window's profile switch.
#pragma once

#include "ui/dialogs/profiles/profile_dlg.h"
#include "ui/main/profile_manager_host.h"
#include "ui/main/profile_manager_link.h"

namespace kv::ui {

class MainProfileManager final : public ProfileManagerLink {
  public:
    MainProfileManager(MainContext& context, KeyboardMap& keyboard, const model::PendingChanges& pending)
        : context_(context), host_(context, keyboard, pending), dialog_(host_, context.app.paths) {}

    bool LoadPictures() { return dialog_.LoadPictures(); }
    // Modal; a second request while it is open changes nothing.
    void Open() { dialog_.Open(context_.hwnd); }
    SubDialog& Dialog() { return dialog_; }

    // ProfileManagerLink
    bool HasUnappliedChanges() const override { return dialog_.HasUnappliedChanges(); }
    void ActiveProfileSwitched(int profile) override { dialog_.ActiveProfileSwitched(profile); }

  private:
    MainContext& context_;
    ProfileManagerHost host_;
    CKelvarin_DlgProfile dialog_;
};

}  // namespace kv::ui
