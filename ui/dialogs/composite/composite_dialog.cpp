#include "ui/dialogs/composite/composite_dialog.h"

#include <shellapi.h>

#include <algorithm>
#include <mutex>
#include <utility>

#include "model/assign/assignment_store.h"
#include "model/keys/key_buttons.h"
#include "model/keys/key_names.h"
#include "model/keys/media.h"
#include "ui/dialogs/composite/composite_ids.h"
#include "ui/dialogs/composite/wide_text.h"
#include "ui/kit/message_map.h"
#include "ui/kit/nested_loops.h"

namespace kv::ui {

namespace {

using composite::Page;

constexpr int kMacroOnlyButton = 1143;  // the ninth G button, which the macro button also opens
constexpr UINT kMsgHookFailed = WM_APP + 0x31;

}  // namespace

Kelvarin_DlgComposite::Kelvarin_DlgComposite(CompositeHost& host, const std::wstring& moduleFolder)
    : CBaseDialog(DialogTemplate::FromResource(IDD_COMPOSITE), nullptr,
                  moduleFolder + L"Skins\\Composite.ini", moduleFolder + L"Skins\\"),
      host_(host),
      module_folder_(moduleFolder),
      chrome_(*this),
      key_page_(*this),
      actions_(*this),
      macros_(*this, actions_),
      recording_(*this, hooks_, actions_, macros_),
      media_(*this, IDC_COMP_MEDIA_LIST, static_cast<int>(model::kMediaCount), model::kKindMedia,
             [this](int row) {
                 return Wide(
                     model::KeyDisplayName(host_.Texts(), model::MediaList()[static_cast<size_t>(row)].code));
             }),
      function_(*this, IDC_COMP_FUNCTION_LIST, model::kFunctionCount, model::kKindFunction,
                [this](int row) { return Wide(model::FunctionName(host_.Texts(), row)); }) {
    actions_.SetBeforeDelayEdit([this] { recording_.Stop(); });
    macros_.SetSelectionListener([this](bool selected) {
        actions_.EnableButtons(selected);
        recording_.EnableButton(selected);
    });
}

Kelvarin_DlgComposite::~Kelvarin_DlgComposite() { ReleaseHooks(); }

bool Kelvarin_DlgComposite::LoadPictures() {
    if (!pictures_.Load(module_folder_, SkinFile(), SkinFolder())) return false;
    UsePreloadedSkin(&pictures_.Skin());
    return true;
}

bool Kelvarin_DlgComposite::Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    static constexpr MessageRoute<Kelvarin_DlgComposite> kMessages[] = {
        {kCompositeLanguageMessage, &Kelvarin_DlgComposite::OnLanguage},
        {kCompositeIgnoredMessage, &Kelvarin_DlgComposite::OnIgnored},
        {WM_HELP, &Kelvarin_DlgComposite::OnHelp},
        {WM_CTLCOLORSTATIC, &Kelvarin_DlgComposite::OnColor},
        {WM_CTLCOLOREDIT, &Kelvarin_DlgComposite::OnColor},
        {kMsgHookFailed, &Kelvarin_DlgComposite::OnHookFailed},
        {WM_DESTROY, &Kelvarin_DlgComposite::OnDestroy},
    };
    static constexpr CommandRoute<Kelvarin_DlgComposite> kCommands[] = {
        {IDC_COMP_APPLY, BN_CLICKED, &Kelvarin_DlgComposite::OnApplyButton},
        {IDC_COMP_TAB_KEY, BN_CLICKED, &Kelvarin_DlgComposite::OnTabKey},
        {IDC_COMP_TAB_MACRO, BN_CLICKED, &Kelvarin_DlgComposite::OnTabMacro},
        {IDC_COMP_TAB_MEDIA, BN_CLICKED, &Kelvarin_DlgComposite::OnTabMedia},
        {IDC_COMP_TAB_FUNCTION, BN_CLICKED, &Kelvarin_DlgComposite::OnTabFunction},
        {IDC_COMP_CLEAR, BN_CLICKED, &Kelvarin_DlgComposite::OnClear},
        {IDC_COMP_OSK, BN_CLICKED, &Kelvarin_DlgComposite::OnOnScreenKeyboard},
        {IDC_COMP_MEDIA_LIST, CBN_SELCHANGE, &Kelvarin_DlgComposite::OnMediaChosen},
        {IDC_COMP_FUNCTION_LIST, CBN_SELCHANGE, &Kelvarin_DlgComposite::OnFunctionChosen},
    };
    static constexpr MessageMap<Kelvarin_DlgComposite> kMap{kMessages, kCommands};
    return combos_.Route(message, wParam, lParam, result) ||
           kMap.Route(*this, message, wParam, lParam, result) ||
           key_page_.Route(message, wParam, lParam, result) ||
           macros_.Route(message, wParam, lParam, result) ||
           actions_.Route(message, wParam, lParam, result) ||
           recording_.Route(message, wParam, lParam, result) ||
           CBaseDialog::Route(message, wParam, lParam, result);
}

// ---- opening ----

INT_PTR Kelvarin_DlgComposite::SelectKey(int controlId) {
    if (open_ || !pictures_.Loaded()) return 0;
    const auto g_buttons = model::GButtonControlIds();
    const auto g = std::find(g_buttons.begin(), g_buttons.end(), controlId);
    if (g != g_buttons.end()) {
        key_index_ =
            model::GButtonKeyIndex(static_cast<int>(g - g_buttons.begin()) + 1, host_.CurrentLayer());
    } else {
        const auto keys = model::KeyButtons();
        const auto key = std::find_if(keys.begin(), keys.end(), [controlId](const model::KeyButton& b) {
            return b.control_id == controlId;
        });
        if (key == keys.end()) return 0;
        key_index_ = model::KeyIndexOf(key->code);
    }
    clicked_ = controlId;
    macro_only_ = controlId == kMacroOnlyButton;
    profile_ = host_.ActiveProfile();

    host_.ShowButtonHover(clicked_, true);
    open_ = true;
    closing_ = false;
    INT_PTR result = 0;
    {
        // A close request from outside (the keyboard went, the program ends)
        // ends this loop; the clean-up below waits until it has returned.
        NestedLoop loop([this] { CloseIfOpen(); });
        result = Dialog::DoModal(host_.OwnerWindow());
    }
    CleanUp();
    return result;
}

BOOL Kelvarin_DlgComposite::OnInitDialog() {
    if (!CBaseDialog::OnInitDialog()) return FALSE;
    {
        WindowDc dc(hwnd_);
        if (!canvases_.Built()) canvases_.Build(pictures_, dc.get());
        if (!gdi_.Created()) gdi_.Create(dc.get(), pictures_.Skin().background);
    }
    chrome_.Attach(hwnd_, SkinFile());
    key_page_.Attach(hwnd_, SkinFile());
    actions_.Attach(hwnd_, SkinFile());
    macros_.Attach(hwnd_, SkinFile());
    recording_.Attach(hwnd_, SkinFile());
    media_.Attach(hwnd_, SkinFile(), L"MEDIA_SETTING_TISHI", L"FUNC_MEDIA_SELECT", IDC_COMP_MEDIA_LABEL);
    function_.Attach(hwnd_, SkinFile(), L"FUNCTION_KEY_SETTING_TISHI", L"FUNC_FUNCTION_SELECT",
                     IDC_COMP_FUNCTION_LABEL);
    gdi_.ApplyFonts(hwnd_);
    combos_.Attach(hwnd_);
    key_page_.CentreKeyBox();
    recording_.LoadOption();
    ApplyTexts();  // fills the lists
    media_.Select(0);
    function_.Select(0);
    macros_.LoadWorkingMacros();

    ReadStoredEntry();
    if (macro_only_) kind_ = model::kKindMacro;
    chrome_.SetMacroOnly(macro_only_);
    key_page_.Reset(stored_);
    hook_failure_posted_ = false;
    SetUpPage(true);
    changed_ = false;
    chrome_.EnableApply(false);
    Position();
    key_filter_.Install(hwnd_, [this](const MSG& message) {
        if (message.message == WM_KEYDOWN) actions_.PreviewKey(message);
    });
    SendMessageW(hwnd_, kCompositeLanguageMessage, kCompositeLanguageCode, 0);
    return FALSE;  // the page chose the focus
}

void Kelvarin_DlgComposite::ReadStoredEntry() {
    model::ConfigSets& sets = host_.Sets();
    std::lock_guard lock(sets.WorkingConfigLock());
    const model::AssignmentBlock* block = sets.Working().block.get();
    stored_ = block ? model::ReadAssignment(*block, profile_, key_index_) : model::KeyAssignment{};
    kind_ = stored_.kind;
}

void Kelvarin_DlgComposite::Position() {
    const RECT button = host_.ButtonScreenRect(clicked_);
    RECT window{};
    GetWindowRect(hwnd_, &window);
    const composite::ScreenPoint at =
        composite::PlaceDialog(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                               {button.left, button.top, button.right, button.bottom},
                               window.right - window.left, window.bottom - window.top, macro_only_);
    SetWindowPos(hwnd_, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// ---- pages ----

void Kelvarin_DlgComposite::SetUpPage(bool initial) {
    page_ = composite::PageOfKind(kind_);
    if (page_ != Page::kMacro) recording_.Stop();
    HWND focus = nullptr;
    switch (page_) {
        case Page::kMacro:
            macros_.Enter(initial, stored_);
            break;
        case Page::kMedia:
            if (initial)
                media_.Select(stored_.value < model::kMediaCount ? static_cast<int>(stored_.value) : 0);
            focus = GetDlgItem(hwnd_, IDC_COMP_MEDIA_LIST);
            break;
        case Page::kFunction:
            if (initial)
                function_.Select(stored_.value < static_cast<uint32_t>(model::kFunctionCount)
                                     ? static_cast<int>(stored_.value)
                                     : 0);
            focus = GetDlgItem(hwnd_, IDC_COMP_FUNCTION_LIST);
            break;
        case Page::kKey:
            key_page_.Enter(kind_);
            focus = GetDlgItem(hwnd_, IDC_COMP_KEY_BOX);
            break;
    }
    // Installed once for the page; a later call only points them at the page again.
    if (page_ == Page::kKey) {
        if (!hooks_.Install(key_page_) && !hook_failure_posted_) {
            hook_failure_posted_ = true;
            PostMessageW(hwnd_, kMsgHookFailed, 0, 0);
        }
    } else if (!recording_.Recording()) {
        hooks_.Remove();
    }
    chrome_.ShowPage(page_);
    if (focus) SetFocus(focus);
}

void Kelvarin_DlgComposite::ChangeKind(uint16_t kind) {
    if (kind_ == kind) return;
    kind_ = kind;
    SetUpPage(false);
    MarkChanged();
}

void Kelvarin_DlgComposite::OnTabKey(WORD) {
    if (kind_ == model::kKindDefault || kind_ == model::kKindKey) return;
    ChangeKind(model::kKindKey);
}

void Kelvarin_DlgComposite::OnClear(WORD) {
    OnTabKey(0);
    if (kind_ != model::kKindKey) return;
    key_page_.Clear();
    kind_ = model::kKindDefault;
    MarkChanged();
}

void Kelvarin_DlgComposite::OnOnScreenKeyboard(WORD) {
    ShellExecuteW(nullptr, L"open", L"osk.exe", L"", L"", SW_SHOW);
}

LRESULT Kelvarin_DlgComposite::OnHookFailed(WPARAM, LPARAM) {
    if (IsOpen()) Ask(Text(L"TEXT", L"MACRO_ERR_RECORD"), MB_OK | MB_ICONWARNING);
    return 0;
}

// ---- messages ----

LRESULT Kelvarin_DlgComposite::OnLanguage(WPARAM wParam, LPARAM) {
    // The texts follow the host's current language; the index only says it changed.
    if (wParam == kCompositeLanguageCode) ApplyTexts();
    return 0;
}

void Kelvarin_DlgComposite::ApplyTexts() {
    chrome_.ApplyTexts(macro_only_);
    key_page_.ApplyTexts();
    macros_.ApplyTexts();
    actions_.ApplyTexts();
    recording_.ApplyTexts();
    media_.ApplyTexts(Text(L"TEXT", L"MEDIA_EDIT_TISHI"));
    function_.ApplyTexts(Text(L"TEXT", L"FUNCTION_TISHI"));
}

LRESULT Kelvarin_DlgComposite::OnHelp(WPARAM, LPARAM) {
    if (!Recording()) host_.OpenHelp();
    return TRUE;
}

LRESULT Kelvarin_DlgComposite::OnColor(WPARAM wParam, LPARAM lParam) {
    return reinterpret_cast<LRESULT>(
        gdi_.Colors(hwnd_, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)));
}

// However the window goes, no hook stays behind it.
LRESULT Kelvarin_DlgComposite::OnDestroy(WPARAM, LPARAM) {
    ReleaseHooks();
    key_filter_.Remove();
    return 0;
}

// ---- context ----

int Kelvarin_DlgComposite::EditedEntry() const { return model::EntryNumber(profile_, key_index_); }

void Kelvarin_DlgComposite::MarkChanged() {
    changed_ = true;
    chrome_.EnableApply(true);
}

std::wstring Kelvarin_DlgComposite::Text(const wchar_t* section, const wchar_t* key) const {
    return Wide(host_.Texts().Text(Utf16(section), Utf16(key)));
}

int Kelvarin_DlgComposite::Ask(const std::wstring& text, UINT flags) {
    const bool outer = std::exchange(asking_, true);
    const int answer = NestedMessageBox(hwnd_, text, Text(L"TEXT", L"MAIN_CAPTION"), flags);
    asking_ = outer;
    return answer;
}

uint32_t Kelvarin_DlgComposite::Now() const { return clock_ ? clock_() : GetTickCount(); }

}  // namespace kv::ui
