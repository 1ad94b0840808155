#include "ui/dialogs/skinned_sub_dialog.h"

#include "ui/kit/nested_loops.h"

namespace kv::ui {

SkinnedSubDialog::SkinnedSubDialog(int templateId, std::wstring skinFile, std::wstring skinFolder)
    : CBaseDialog(DialogTemplate::FromResource(templateId), nullptr, std::move(skinFile),
                  std::move(skinFolder)) {}

INT_PTR SkinnedSubDialog::Open(HWND owner) {
    if (open_) return IDCANCEL;
    INT_PTR result = IDCANCEL;
    {
        NestedLoop loop([this] { CloseIfOpen(); });
        result = Dialog::DoModal(owner);
    }
    open_ = false;
    ending_ = false;
    OnClosed();
    return result;
}

void SkinnedSubDialog::CloseIfOpen() {
    if (!IsOpen()) return;
    ending_ = true;
    End(IDCANCEL);
}

BOOL SkinnedSubDialog::OnInitDialog() {
    CBaseDialog::OnInitDialog();
    if (!Background()) return FALSE;  // a skin image is missing: the dialog is ending
    open_ = true;
    ending_ = false;
    if (!PrepareControls()) {
        EndProcessSilently();
        ending_ = true;
        End(IDABORT);
        return FALSE;
    }
    return TRUE;
}

void SkinnedSubDialog::Finish(INT_PTR result) {
    ending_ = true;
    if (result == IDOK)
        CBaseDialog::OnOk();
    else
        CBaseDialog::OnCancel();
}

}  // namespace kv::ui
