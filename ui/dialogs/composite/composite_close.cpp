// Apply, OK, Cancel, the close request and the clean-up after the loop.
#include <mutex>

#include "model/assign/assignment_store.h"
#include "ui/dialogs/composite/composite_dialog.h"

namespace kv::ui {

bool Kelvarin_DlgComposite::Apply() {
    actions_.EndEdit(true);
    if (!IsOpen()) return false;  // closed while the delay limit was shown
    recording_.Stop();
    macros_.WriteBackSelected();

    model::ConfigSets& sets = host_.Sets();
    // The empty list is committed too: deleting the last macro must stick.
    const model::MacroCommitResult commit =
        committer_ ? committer_(sets, macros_.Records()) : model::CommitMacroList(sets, macros_.Records());
    if (!commit.committed) {
        // The key's entry stays as it was: with the old macros it could point at the wrong one.
        Ask(Text(L"TEXT", L"MACRO_ERR_APPLY"), MB_OK | MB_ICONWARNING);
        return false;
    }

    composite::EntryChoice choice;
    choice.kind = kind_;
    choice.key_index = key_index_;
    choice.stored = stored_;
    choice.mouse_choice = key_page_.MouseChoice();
    choice.captured_key = key_page_.CapturedKey();
    choice.mouse_row = key_page_.MouseRow();
    choice.has_macro = macros_.HasMacros();
    choice.macro_id = macros_.Selected() >= 0 ? macros_.SelectedId()
                      : choice.has_macro      ? macros_.Records()[0].id
                                              : 0;
    choice.cycles = macros_.Cycles();
    choice.media_row = media_.Row();
    choice.function_row = function_.Row();
    const composite::BuiltEntry built = composite::BuildEntry(choice);
    {
        std::lock_guard lock(sets.WorkingConfigLock());
        model::ConfigSet& working = sets.Working();
        if (working.block) model::WriteAssignment(*working.block, profile_, key_index_, built.entry);
        if (built.clear_string) working.strings.Clear(EditedEntry());
    }
    stored_ = built.entry;
    host_.RefreshAssignmentButtons();
    changed_ = false;
    chrome_.EnableApply(false);
    host_.SetPendingChanges();
    return true;
}

void Kelvarin_DlgComposite::OnOk() {
    if (!IsOpen() || !Apply()) return;
    CloseWith(IDOK);
}

void Kelvarin_DlgComposite::OnCancel() {
    if (!open_ || closing_) return;
    CloseWith(IDCANCEL);
}

void Kelvarin_DlgComposite::CloseIfOpen() {
    if (!open_ || closing_ || !hwnd_) return;
    CloseWith(IDCANCEL);
}

void Kelvarin_DlgComposite::CloseWith(INT_PTR result) {
    closing_ = true;
    ReleaseHooks();
    if (result == IDOK)
        CBaseDialog::OnOk();
    else
        CBaseDialog::OnCancel();
}

void Kelvarin_DlgComposite::ReleaseHooks() {
    recording_.Stop();
    hooks_.Remove();
}

void Kelvarin_DlgComposite::CleanUp() {
    ReleaseHooks();
    key_filter_.Remove();
    actions_.Release();
    macros_.Release();
    recording_.Release();
    chrome_.Release();
    changed_ = false;
    open_ = false;
    closing_ = false;
    host_.ShowButtonHover(clicked_, false);
}

}  // namespace kv::ui
