// The firmware update dialog (template 149, "Skins\UpdateDlg.ini"): choose an
// update program, back up the working set, and start the update, which
// switches the keyboard into update mode and runs that program.
#pragma once

#include <windows.h>

#include <array>
#include <filesystem>
#include <string>

#include "app/startup/paths.h"
#include "ui/dialogs/dialog_pictures.h"
#include "ui/dialogs/skinned_sub_dialog.h"
#include "ui/dialogs/update/update_host.h"
#include "ui/kit/color_static.h"
#include "ui/kit/png_button.h"
#include "ui/kit/state_canvas.h"

namespace kv::ui {

// Open returns IDOK once the update program was started, IDCANCEL otherwise.
class CKelvarin_DlgUpdate : public SkinnedSubDialog {
  public:
    // The host and the paths outlive the dialog, which the main window keeps for the whole run.
    CKelvarin_DlgUpdate(UpdateHost& host, const app::AppPaths& paths);

    // Reads the skin's images and the button pictures unless they are read
    // already; false when one is missing. The first opening reads them otherwise.
    bool LoadPictures();

    // The chosen update program; it outlives the dialog until Cancel or a
    // start attempt clears it.
    const std::wstring& UpdateProgramPath() const { return programPath_; }

  protected:
    bool Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    bool PrepareControls() override;
    void OnOk() override {}  // Enter starts nothing

  private:
    void ShowProgramPath();
    int Message(const std::wstring& text, UINT flags);

    void OnOpen(WORD);
    void OnBackup(WORD);
    void OnCancelUpdate(WORD);
    // update_dlg_start.cpp
    void OnStart(WORD);
    // Saves the working set as "Before update ....kvp" in the per-user folder;
    // the file's path, or empty when it could not be written.
    std::filesystem::path SaveAutomaticBackup();

    UpdateHost& host_;
    std::wstring moduleFolder_;
    std::wstring packageFolder_;
    std::wstring programPath_;
    enum Button { kOpen, kBackup, kStart, kCancel, kButtonCount };
    std::array<CPngButton, kButtonCount> buttons_;
    ColorStatic pathLabel_;
    DialogPictures pictures_;
    StateCanvas normal_, over_;  // made the first time the dialog opens, then kept
};

}  // namespace kv::ui
