// A skinned dialog that the main window owns for the whole run and opens
// modally on demand. It can be ended from outside while one of its handlers
// still waits in a message box or file dialog: from then on IsOpen() is
// false, and handlers check it after every such wait before they go on.
#pragma once

#include <windows.h>

#include <string>

#include "ui/dialogs/sub_dialog.h"
#include "ui/kit/base_dialog.h"

namespace kv::ui {

class SkinnedSubDialog : public CBaseDialog, public SubDialog {
  public:
    SkinnedSubDialog(int templateId, std::wstring skinFile, std::wstring skinFolder);

    // Modal; refused (IDCANCEL) while the dialog is open already.
    INT_PTR Open(HWND owner);
    bool IsOpen() const override { return open_ && !ending_; }
    void CloseIfOpen() override;

  protected:
    // The dialog's own controls, after the skin is on; false when a picture
    // is missing, which ends the process like a missing skin image.
    virtual bool PrepareControls() = 0;
    // Once Open has returned.
    virtual void OnClosed() {}

    BOOL OnInitDialog() final;
    void OnCancel() override { Finish(IDCANCEL); }
    // Ends the dialog with the result; its images go with it.
    void Finish(INT_PTR result);

  private:
    bool open_ = false;
    bool ending_ = false;  // its loop was asked to end
};

}  // namespace kv::ui
