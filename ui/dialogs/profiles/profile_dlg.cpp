// The profile manager's life: opening, skin and controls, closing, and the
// main window's side of a profile switch.
#include "ui/dialogs/profiles/profile_dlg.h"

#include "profiles/working_profile.h"
#include "ui/dialogs/dialog_buttons.h"
#include "ui/dialogs/profiles/profile_dlg_ids.h"
#include "ui/kit/message_map.h"
#include "ui/kit/skin_placement.h"

namespace kv::ui {

namespace {

constexpr int kIconWidth = 22;  // the icon at the left of the Add, Load and Delete faces
enum Face : size_t { kNormalFace, kOverFace, kDownFace };

}  // namespace

CKelvarin_DlgProfile::CKelvarin_DlgProfile(ProfileHost& host, const app::AppPaths& paths)
    : SkinnedSubDialog(IDD_PROFILE_DIALOG, paths.profile_skin_ini, paths.profile_skin_folder),
      host_(host),
      moduleFolder_(paths.module_folder),
      pictures_({L"Skins\\Profile_normal.jpg", L"Skins\\Profile_over.jpg", L"Skins\\Profile_down.jpg"}) {}

bool CKelvarin_DlgProfile::LoadPictures() {
    if (!pictures_.Load(moduleFolder_, SkinFile(), SkinFolder())) return false;
    UsePreloadedSkin(&pictures_.Skin());
    return true;
}

bool CKelvarin_DlgProfile::Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    static constexpr MessageRoute<CKelvarin_DlgProfile> kMessages[] = {
        {WM_HELP, &CKelvarin_DlgProfile::OnHelp},
    };
    static constexpr CommandRoute<CKelvarin_DlgProfile> kCommands[] = {
        {IDC_PROFILE_ADD, BN_CLICKED, &CKelvarin_DlgProfile::OnAdd},
        {IDC_PROFILE_LOAD, BN_CLICKED, &CKelvarin_DlgProfile::OnLoad},
        {IDC_PROFILE_DELETE, BN_CLICKED, &CKelvarin_DlgProfile::OnDelete},
        {IDC_PROFILE_APPLY, BN_CLICKED, &CKelvarin_DlgProfile::OnApplyButton},
    };
    static constexpr NotifyRoute<CKelvarin_DlgProfile> kNotifies[] = {
        {IDC_PROFILE_LIST, LVN_ITEMCHANGED, &CKelvarin_DlgProfile::OnListItemChanged},
    };
    static constexpr MessageMap<CKelvarin_DlgProfile> kMap{kMessages, kCommands, kNotifies};
    return kMap.Route(*this, message, wParam, lParam, result) ||
           SkinnedSubDialog::Route(message, wParam, lParam, result);
}

bool CKelvarin_DlgProfile::PrepareControls() {
    // Read now when the main window has not read them at start-up.
    if (!LoadPictures() ||
        !pictures_.BuildCanvases(hwnd_, {{&normal_, kNormalFace}, {&over_, kOverFace}, {&down_, kDownFace}}))
        return false;
    static constexpr ButtonPlace kPlaces[kButtonCount] = {
        {IDC_PROFILE_ADD, L"FUNC_ADD", CaptionFace::kPlain, kIconWidth},
        {IDC_PROFILE_LOAD, L"FUNC_LOAD", CaptionFace::kPlain, kIconWidth},
        {IDC_PROFILE_DELETE, L"FUNC_DELETE", CaptionFace::kPlain, kIconWidth},
        {IDOK, L"CONTROL_OK", CaptionFace::kAccent, 0},
        {IDCANCEL, L"CONTROL_CANCEL", CaptionFace::kPlain, 0},
        {IDC_PROFILE_APPLY, L"CONTROL2_APPLY", CaptionFace::kPlain, 0},
    };
    const std::wstring captions[kButtonCount] = {
        host_.LanguageText(L"TEXT", L"PROFILE_NEW"),    host_.LanguageText(L"TEXT", L"PROFILE_LOAD"),
        host_.LanguageText(L"TEXT", L"PROFILE_DELETE"), host_.LanguageText(L"TEXT", L"PROFILE_OK"),
        host_.LanguageText(L"TEXT", L"PROFILE_CANCLE"), host_.LanguageText(L"TEXT", L"PROFILE_APPLY"),
    };
    // Pressed and disabled share the down picture; checked shows the normal one.
    const StateCanvases faces{&normal_, &over_, &down_, &down_, &normal_};
    if (!PlaceButtons(hwnd_, SkinFile(), buttons_, kPlaces, captions, faces)) return false;
    if (!list_.Attach(hwnd_, IDC_PROFILE_LIST, SkinFile(), host_)) return false;

    filling_ = true;
    list_.Fill(profiles::WorkingProfilePath(host_.UserFolder()), host_.ActiveProfile());
    filling_ = false;
    SetChanged(false);
    return true;
}

void CKelvarin_DlgProfile::OnOk() {
    if (IsOpen() && Apply() && IsOpen()) Finish(IDOK);
}

void CKelvarin_DlgProfile::SetChanged(bool changed) {
    changed_ = changed;
    if (HWND apply = buttons_[kApply].hwnd()) EnableWindow(apply, changed ? TRUE : FALSE);
}

void CKelvarin_DlgProfile::ActiveProfileSwitched(int profile) {
    if (!IsOpen()) return;
    filling_ = true;
    list_.TickProfile(profile);
    filling_ = false;
    SetChanged(false);
}

int CKelvarin_DlgProfile::Message(const std::wstring& text, UINT flags) {
    return ShowDialogMessage(hwnd_, host_, text, flags);
}

LRESULT CKelvarin_DlgProfile::OnHelp(WPARAM, LPARAM) {
    host_.OpenHelp();
    return TRUE;
}

LRESULT CKelvarin_DlgProfile::OnListItemChanged(NMHDR* header) {
    const auto* change = reinterpret_cast<const NMLISTVIEW*>(header);
    if (filling_ || !(change->uChanged & LVIF_STATE)) return 0;
    // A tick moves between the two tick images; a new row only gets its first one.
    const UINT before = change->uOldState & LVIS_STATEIMAGEMASK;
    const UINT after = change->uNewState & LVIS_STATEIMAGEMASK;
    if (before && after && before != after) SetChanged(true);
    return 0;
}

}  // namespace kv::ui
