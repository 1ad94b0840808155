// What the command buttons and menus do.
#include "ui/main/main_commands.h"

#include "app/settings/language_texts.h"
#include "app/startup/handles.h"
#include "config_json/json_backup.h"
#include "model/keys/text_format.h"
#include "ui/kit/file_dialog.h"
#include "ui/kit/message_map.h"
#include "ui/kit/nested_loops.h"
#include "ui/kit/web_address.h"
#include "ui/main/main_window_ids.h"

namespace kv::ui {

namespace {

// The backup/restore menu's items and their texts; items without a row keep
// the text they were given.
struct MenuText {
    UINT command;
    const wchar_t* key;
};
constexpr MenuText kBackupMenuTexts[] = {
    {ID_RESTORE, L"MENU_1"},
    {ID_BACKUP, L"MENU_2"},
    {ID_EXPORT_JSON, L"MENU_EXPORT_JSON"},
    {ID_IMPORT_JSON, L"MENU_IMPORT_JSON"},
    {ID_FIRMWARE_UPDATE, L"MENU_UPDATE"},
};

FileDialogSpec ProfileFileSpec(bool save) {
    return {L"(*.kvp)|*.kvp|(*.*)|*.*||", L"kvp", L"*.kvp", L"", save};
}

FileDialogSpec JsonFileSpec(bool save) {
    return {L"(*.json)|*.json|(*.*)|*.*||", L"json", L"*.json", L"", save};
}

}  // namespace

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
        {ID_EXPORT_JSON, kAnyNotify, &MainCommands::OnExportJson},
        {ID_IMPORT_JSON, kAnyNotify, &MainCommands::OnImportJson},
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
// Exactly a click on G9: the assignment dialog in macro-only mode.
void MainCommands::OnMacro(WORD) {
    SendMessageW(context_.hwnd, WM_COMMAND, MAKEWPARAM(IDC_G9, BN_CLICKED),
                 reinterpret_cast<LPARAM>(context_.Item(IDC_G9)));
}
void MainCommands::OnFirmwareUpdate(WORD) { context_.window.OpenFirmwareUpdate(); }

// The maker's own address, whatever the skin's "Link" says.
void MainCommands::OnMakerLink(WORD) { OpenWebAddress(kMakerAddress); }

// The skin's "Facebook_Link" or "Twitter_Link", when it is a web address.
void MainCommands::OnWebLink(WORD id, WORD) {
    OpenWebAddress(OpenableLinkAddress(id == IDC_FACEBOOK ? links_.facebook : links_.twitter));
}

void MainCommands::OnHelp(WORD) { context_.window.OpenHelp(); }

void MainCommands::OnMinimize(WORD) { PostMessageW(context_.hwnd, WM_SYSCOMMAND, SC_MINIMIZE, 0); }

void MainCommands::OnClose(WORD) { context_.window.ExitProgram(ExitReason::kUser); }

// The backup/restore menu (menu 144) at the cursor; the chosen item comes back as its command.
void MainCommands::OnMenu(WORD) {
    app::UniqueMenu menu(LoadMenuW(context_.app.instance, MAKEINTRESOURCEW(IDR_BACKUP_MENU)));
    HMENU popup = menu ? GetSubMenu(menu.Get(), 0) : nullptr;
    if (!popup) return;
    for (const MenuText& item : kBackupMenuTexts) {
        const std::wstring text = context_.Text(item.key);
        ModifyMenuW(popup, item.command, MF_BYCOMMAND | MF_STRING, item.command, text.c_str());
    }
    POINT cursor{};
    GetCursorPos(&cursor);
    NestedPopupMenu(popup, TPM_LEFTALIGN | TPM_LEFTBUTTON, cursor.x, cursor.y, context_.hwnd);
}

void MainCommands::OnRestore(WORD) {
    model::ConfigSync* sync = context_.sync;
    if (!sync) return;
    const std::optional<std::wstring> path =
        ChooseFile(context_.hwnd, FileDialogKind::kOpen, ProfileFileSpec(false));
    if (path) sync->RestoreFromFile(std::filesystem::path(*path));
}

void MainCommands::OnBackup(WORD) {
    model::ConfigSync* sync = context_.sync;
    if (!sync) return;
    const std::optional<std::wstring> path =
        ChooseFile(context_.hwnd, FileDialogKind::kSave, ProfileFileSpec(true));
    if (path) sync->BackupToFile(std::filesystem::path(*path));
}

// Backup's working set with the keyboard's lighting, in the readable form; a
// file that cannot be written keeps its old contents and says so as Backup does.
void MainCommands::OnExportJson(WORD) {
    model::ConfigSync* sync = context_.sync;
    if (!sync || !context_.lighting || !messages_ || !lighting_view_ || !context_.app.device.Started())
        return;
    const std::optional<std::wstring> path =
        ChooseFile(context_.hwnd, FileDialogKind::kSave, JsonFileSpec(true));
    if (!path) return;
    const config_json::JsonExportContext export_context{context_.app.sets, *context_.lighting,
                                                        context_.app.device.Commands(), *lighting_view_};
    if (config_json::ExportConfigurationAsJson(export_context, std::filesystem::path(*path))) return;
    const std::u16string failed = model::FormatWithString(
        context_.texts.Text(u"TEXT", u"MAIN_PROMPT_BACKUP_FAILED"), std::filesystem::path(*path).u16string());
    messages_->ShowMessage(failed, model::MessageKind::kNotice);
}

// Restore's steps for a JSON file, then the lighting it carries.
void MainCommands::OnImportJson(WORD) {
    model::ConfigSync* sync = context_.sync;
    if (!sync || !context_.lighting || !messages_ || !lighting_view_) return;
    const std::optional<std::wstring> path =
        ChooseFile(context_.hwnd, FileDialogKind::kOpen, JsonFileSpec(false));
    if (!path) return;
    config_json::RestoreFromJson({*sync, *context_.lighting, *messages_, *lighting_view_, context_.texts},
                                 std::filesystem::path(*path));
}

}  // namespace kv::ui
