// The firmware update dialog's life, the choice of the update program, Backup
// and Cancel.
#include "ui/dialogs/update/update_dlg.h"

#include <mutex>

#include "profiles/profile_writer.h"
#include "ui/dialogs/dialog_buttons.h"
#include "ui/dialogs/update/update_dlg_ids.h"
#include "ui/kit/file_dialog.h"
#include "ui/kit/message_map.h"
#include "ui/kit/skin_placement.h"

namespace kv::ui {

namespace {

constexpr int kIconWidth = 22;  // the icon at the left of the Open and Backup faces
enum Face : size_t { kNormalFace, kOverFace };
constexpr COLORREF kPathColor = RGB(0xE9, 0xEB, 0xEE);
constexpr int kPathTextPixels = 13;

}  // namespace

CKelvarin_DlgUpdate::CKelvarin_DlgUpdate(UpdateHost& host, const app::AppPaths& paths)
    : SkinnedSubDialog(IDD_UPDATE_DIALOG, paths.update_skin_ini, paths.update_skin_folder),
      host_(host),
      moduleFolder_(paths.module_folder),
      packageFolder_(paths.package_folder),
      pictures_({L"Skins\\update_normal.jpg", L"Skins\\update_over.jpg"}) {}

bool CKelvarin_DlgUpdate::LoadPictures() {
    if (!pictures_.Load(moduleFolder_, SkinFile(), SkinFolder())) return false;
    UsePreloadedSkin(&pictures_.Skin());
    return true;
}

bool CKelvarin_DlgUpdate::Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    static constexpr CommandRoute<CKelvarin_DlgUpdate> kCommands[] = {
        {IDC_UPDATE_OPEN, BN_CLICKED, &CKelvarin_DlgUpdate::OnOpen},
        {IDC_UPDATE_BACKUP, BN_CLICKED, &CKelvarin_DlgUpdate::OnBackup},
        {IDC_UPDATE_START, BN_CLICKED, &CKelvarin_DlgUpdate::OnStart},
        {IDC_UPDATE_CANCEL, BN_CLICKED, &CKelvarin_DlgUpdate::OnCancelUpdate},
    };
    static constexpr MessageMap<CKelvarin_DlgUpdate> kMap{{}, kCommands};
    return kMap.Route(*this, message, wParam, lParam, result) ||
           SkinnedSubDialog::Route(message, wParam, lParam, result);
}

bool CKelvarin_DlgUpdate::PrepareControls() {
    // Read now when the main window has not read them at start-up.
    if (!LoadPictures() || !pictures_.BuildCanvases(hwnd_, {{&normal_, kNormalFace}, {&over_, kOverFace}}))
        return false;
    static constexpr ButtonPlace kPlaces[kButtonCount] = {
        {IDC_UPDATE_OPEN, L"CONTROL_OPENButton", CaptionFace::kPlain, kIconWidth},
        {IDC_UPDATE_BACKUP, L"CONTROL_BACKUPButton", CaptionFace::kPlain, kIconWidth},
        {IDC_UPDATE_START, L"CONTROL_UPButton", CaptionFace::kAccent, 0},
        {IDC_UPDATE_CANCEL, L"CONTROL_CUPButton", CaptionFace::kPlain, 0},
    };
    const std::wstring captions[kButtonCount] = {
        host_.LanguageText(L"TEXT", L"UPDATE_OPEN"),
        host_.LanguageText(L"TEXT", L"UPDATE_BACKUP"),
        host_.LanguageText(L"TEXT", L"UPDATE_START"),
        host_.LanguageText(L"TEXT", L"UPDATE_CANCEL"),
    };
    // Both pictures serve every button: normal for every state but hover.
    const StateCanvases faces{&normal_, &over_, &normal_, &normal_, &normal_};
    if (!PlaceButtons(hwnd_, SkinFile(), buttons_, kPlaces, captions, faces)) return false;
    if (!pathLabel_.Attach(hwnd_, IDC_UPDATE_PATH)) return false;
    PlaceControl(pathLabel_.hwnd(), SkinFile(), L"BUTTONINFO", L"CONTROL_UPStatic");
    pathLabel_.SetTextColor(kPathColor);
    pathLabel_.SetTextSize(kPathTextPixels);
    PlaceControl(Item(IDC_UPDATE_PROGRAMS), SkinFile(), L"BUTTONINFO", L"CONTROL_UPCombox");
    ShowProgramPath();
    return true;
}

void CKelvarin_DlgUpdate::ShowProgramPath() { SetWindowTextW(pathLabel_.hwnd(), programPath_.c_str()); }

int CKelvarin_DlgUpdate::Message(const std::wstring& text, UINT flags) {
    return ShowDialogMessage(hwnd_, host_, text, flags);
}

void CKelvarin_DlgUpdate::OnCancelUpdate(WORD) {
    programPath_.clear();
    Finish(IDCANCEL);
}

void CKelvarin_DlgUpdate::OnOpen(WORD) {
    const FileDialogSpec spec{L"MyType Files (*.exe)|*.exe||", L"exe", L"*.exe", packageFolder_, false};
    const auto chosen = ChooseFile(hwnd_, FileDialogKind::kOpen, spec);
    // The update program later starts in the package folder.
    SetCurrentDirectoryW(packageFolder_.c_str());
    if (!chosen || !IsOpen()) return;
    programPath_ = *chosen;
    ShowProgramPath();
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void CKelvarin_DlgUpdate::OnBackup(WORD) {
    const FileDialogSpec spec{L"(*.kvp)|*.kvp|(*.*)|*.*||", L"kvp", L"*.kvp", L"", true};
    const auto chosen = ChooseFile(hwnd_, FileDialogKind::kSave, spec);
    if (!chosen || !IsOpen()) return;
    bool saved = false;
    {
        // Saved through a temporary file; the lock is let go before any box shows.
        model::ConfigSets& sets = host_.WorkingSets();
        std::lock_guard lock(sets.WorkingConfigLock());
        saved = profiles::SaveWorkingConfiguration(*chosen, sets, false);
    }
    if (saved)
        Message(TextOr(host_.LanguageText(L"TEXT", L"UPDATE_BACKUP_OK"), L"备份成功!"), MB_OK);
    else
        Message(TextOr(host_.LanguageText(L"TEXT", L"UPDATE_BACKUP_FAILED"), L"备份失败,请重新备份!"), MB_OK);
}

}  // namespace kv::ui
