// The profile manager's commands: Add, Load, Delete and Apply.
#include "model/keys/text_format.h"
#include "profiles/profile_writer.h"
#include "profiles/working_profile.h"
#include "ui/dialogs/profiles/profile_dlg.h"
#include "ui/kit/file_dialog.h"

namespace kv::ui {

namespace {

constexpr wchar_t kProfileFilter[] = L"(*.kvp)|*.kvp|(*.*)|*.*||";
constexpr wchar_t kProfileExtension[] = L"kvp";

}  // namespace

void CKelvarin_DlgProfile::OnAdd(WORD) {
    const std::filesystem::path folder = host_.UserFolder();
    profiles::EnsureFolder(folder);
    // Offered inside the per-user folder, named by the language's word for "new".
    const std::wstring name = host_.LanguageText(L"TEXT", L"PROFILE_NEW");
    const FileDialogSpec spec{kProfileFilter, kProfileExtension,
                              folder.empty() ? name : (folder / name).wstring(), L"", true};
    const auto chosen = ChooseFile(hwnd_, FileDialogKind::kSave, spec);
    if (!chosen || !IsOpen()) return;
    // Written through a temporary file; the row only stands for a file that is there.
    if (!profiles::WriteDefaultProfileFile(*chosen, 0)) {
        const std::u16string format = ToU16(host_.LanguageText(L"TEXT", L"PROFILE_ADD_FAILED"));
        Message(ToWide(model::FormatWithString(format, ToU16(*chosen))), MB_OK);
        return;
    }
    list_.AppendFile(*chosen);
    SetChanged(true);
}

void CKelvarin_DlgProfile::OnLoad(WORD) {
    const std::filesystem::path folder = host_.UserFolder();
    profiles::EnsureFolder(folder);
    const FileDialogSpec spec{kProfileFilter, kProfileExtension,
                              folder.empty() ? L"*.kvp" : (folder / L"*.kvp").wstring(), L"", false};
    const auto chosen = ChooseFile(hwnd_, FileDialogKind::kOpen, spec);
    if (!chosen || !IsOpen()) return;
    list_.AppendFile(*chosen);  // read only when its row is applied
    SetChanged(true);
}

void CKelvarin_DlgProfile::OnDelete(WORD) {
    if (list_.RemoveSelected()) SetChanged(true);  // the file stays on disk
}

void CKelvarin_DlgProfile::OnApplyButton(WORD) {
    if (IsOpen()) Apply();
}

bool CKelvarin_DlgProfile::Apply() {
    // A reload from the keyboard would drop edits the main window has not
    // applied yet: ask first, as a profile switch does.
    if (host_.PendingChanges()) {
        const int answer =
            Message(host_.LanguageText(L"TEXT", L"PROFILE_SELECT_PROMPT"), MB_YESNO | MB_DEFBUTTON2);
        if (!IsOpen()) return false;
        if (answer == IDYES) {
            if (!host_.ApplyPendingChanges() || !IsOpen()) return false;
        } else if (answer != IDNO) {
            return false;
        }
    }
    host_.ApplicationValues().WriteProfileList(list_.RegistryPaths());

    if (const ProfileRow* row = list_.Ticked()) {
        if (row->profile >= 0) {
            if (!host_.SetActiveProfile(row->profile)) {
                Message(host_.LanguageText(L"TEXT", L"MAIN_PROMPT_DRIVER_TEXT"), MB_OK | MB_TOPMOST);
                return false;
            }
        } else {
            // A file row: the keyboard takes the whole file, its active profile stays.
            const bool loaded = host_.LoadProfileIntoKeyboard(row->file);
            if (!loaded || !IsOpen()) return false;
        }
    }
    host_.ReloadWorkingConfiguration(false);
    host_.RebuildProfileMenu();
    if (IsOpen()) SetChanged(false);
    return true;
}

}  // namespace kv::ui
