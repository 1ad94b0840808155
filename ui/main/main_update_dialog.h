// The firmware update dialog (CKelvarin_DlgUpdate) as the main window owns it
// for the whole run: opened by command 32780 (the backup/restore menu's last
// item), its pictures read at start-up, and the notice after an update.
#pragma once

#include "ui/dialogs/update/update_dlg.h"
#include "ui/main/update_dialog_host.h"

namespace kv::ui {

class MainUpdateDialog {
  public:
    MainUpdateDialog(MainContext& context, model::Prompts& prompts)
        : context_(context), host_(context, prompts), dialog_(host_, context.app.paths) {}

    bool Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
        return host_.Route(message, wParam, lParam, result);
    }

    bool LoadPictures() { return dialog_.LoadPictures(); }
    // Modal; a second request while it is open changes nothing.
    void Open() { dialog_.Open(context_.hwnd); }
    SubDialog& Dialog() { return dialog_; }
    // From read-back threads: the keyboard has been found.
    void KeyboardAttached() { host_.KeyboardAttached(); }

  private:
    MainContext& context_;
    UpdateDialogHost host_;
    CKelvarin_DlgUpdate dialog_;
};

}  // namespace kv::ui
