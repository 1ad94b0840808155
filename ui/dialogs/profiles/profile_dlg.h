// The profile manager (template 131, "Skins\Profile.ini"): the keyboard's
// three on-board profiles and any profile files the user adds, one of them
// ticked to become active on Apply.
#pragma once

#include <windows.h>

#include <array>
#include <string>

#include "app/startup/paths.h"
#include "ui/dialogs/dialog_pictures.h"
#include "ui/dialogs/profiles/profile_host.h"
#include "ui/dialogs/profiles/profile_list.h"
#include "ui/dialogs/skinned_sub_dialog.h"
#include "ui/kit/png_button.h"
#include "ui/kit/state_canvas.h"

namespace kv::ui {

// Open returns IDOK after a successful OK, IDCANCEL otherwise.
class CKelvarin_DlgProfile : public SkinnedSubDialog {
  public:
    // The host and the paths outlive the dialog, which the main window keeps for the whole run.
    CKelvarin_DlgProfile(ProfileHost& host, const app::AppPaths& paths);

    // Reads the skin's images and the button pictures unless they are read
    // already; false when one is missing. The first opening reads them otherwise.
    bool LoadPictures();

    // The main window's side of a profile switch: whether the open dialog
    // holds changes not applied yet, and the switch done (tick that profile's
    // row, nothing left to apply).
    bool HasUnappliedChanges() const { return IsOpen() && changed_; }
    void ActiveProfileSwitched(int profile);

  protected:
    bool Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    bool PrepareControls() override;
    void OnClosed() override { changed_ = false; }
    void OnOk() override;

  private:
    void SetChanged(bool changed);
    int Message(const std::wstring& text, UINT flags);

    // Commands (profile_dlg_commands.cpp).
    void OnAdd(WORD);
    void OnLoad(WORD);
    void OnDelete(WORD);
    void OnApplyButton(WORD);
    LRESULT OnListItemChanged(NMHDR* header);
    LRESULT OnHelp(WPARAM, LPARAM);
    // Writes the list to the registry, switches or loads the ticked row's
    // profile, reloads the working set. False, with the dialog left as it
    // was, when the user stopped it or the keyboard refused.
    bool Apply();

    ProfileHost& host_;
    std::wstring moduleFolder_;
    ProfileList list_;
    enum Button { kAdd, kLoad, kDelete, kOk, kCancel, kApply, kButtonCount };
    std::array<CPngButton, kButtonCount> buttons_;
    DialogPictures pictures_;
    StateCanvas normal_, over_, down_;  // made the first time the dialog opens, then kept
    bool filling_ = false;              // the list is being filled: its tick changes are not the user's
    bool changed_ = false;
};

}  // namespace kv::ui
