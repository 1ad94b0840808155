// Starting a firmware update: check the program, back the configuration up,
// switch the keyboard into update mode, run the program.
#include <windows.h>

#include <shellapi.h>

#include <mutex>

#include "profiles/profile_writer.h"
#include "profiles/working_profile.h"
#include "ui/dialogs/update/update_dlg.h"
#include "ui/dialogs/update/update_file.h"

namespace kv::ui {

namespace {

// The shell's "open" of the program, without the shell's own error boxes:
// the dialog says itself what went wrong. Above 32 means started.
INT_PTR StartProgram(HWND owner, const std::wstring& program) {
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_FLAG_NO_UI;
    info.hwnd = owner;
    info.lpVerb = L"open";
    info.lpFile = program.c_str();
    info.nShow = SW_SHOW;
    ShellExecuteExW(&info);
    return reinterpret_cast<INT_PTR>(info.hInstApp);
}

}  // namespace

void CKelvarin_DlgUpdate::OnStart(WORD) {
    // Nothing reaches the keyboard unless there is a program to take over from it.
    if (!IsRunnableUpdateFile(programPath_)) {
        Message(TextOr(host_.LanguageText(L"TEXT", L"UPDATE_CHOOSE_FILE"), L"请选择正确的更新文件! "), MB_OK);
        return;
    }
    const std::filesystem::path backup = SaveAutomaticBackup();
    if (backup.empty()) {
        const int answer =
            Message(host_.LanguageText(L"TEXT", L"UPDATE_AUTO_BACKUP_FAILED"), MB_YESNO | MB_DEFBUTTON2);
        if (!IsOpen() || answer != IDYES) return;
    }
    if (host_.EnterUpdateMode() != 1) {
        Message(TextOr(host_.LanguageText(L"TEXT", L"UPDATE_NO_BOOT_MODE"), L"无法进入Boot模式! "), MB_OK);
        return;
    }
    host_.UpdateModeEntered(backup);

    const std::wstring program = programPath_;
    programPath_.clear();
    ShowProgramPath();
    if (StartProgram(hwnd_, program) > 32) {
        Finish(IDOK);
        return;
    }
    Message(TextOr(host_.LanguageText(L"TEXT", L"UPDATE_CANNOT_RUN"), L"无法执行更新文件! "), MB_OK);
}

std::filesystem::path CKelvarin_DlgUpdate::SaveAutomaticBackup() {
    const std::filesystem::path folder = host_.UserFolder();
    if (folder.empty() || !profiles::EnsureFolder(folder)) return {};
    SYSTEMTIME now{};
    GetLocalTime(&now);
    const std::filesystem::path file = folder / AutoBackupName(now);
    model::ConfigSets& sets = host_.WorkingSets();
    std::lock_guard lock(sets.WorkingConfigLock());
    return profiles::SaveWorkingConfiguration(file, sets, false) ? file : std::filesystem::path();
}

}  // namespace kv::ui
