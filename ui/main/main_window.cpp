#include "ui/main/main_window.h"

#include <mutex>

#include "app/resources/resource.h"
#include "app/tray/instance_messages.h"
#include "ui/kit/message_map.h"
#include "ui/main/init_guard.h"
#include "ui/main/main_window_ids.h"
#include "ui/main/main_window_messages.h"

namespace kv::ui {

CKelvarinDlg::CKelvarinDlg(app::AppServices& app)
    : CBaseDialog(DialogTemplate::FromResource(IDD_KELVARIN_DIALOG), nullptr, app.paths.main_skin_ini,
                  app.paths.main_skin_folder),
      app_(app),
      language_settings_(app.user_registry_key),
      texts_(app.paths.module_folder, language_settings_),
      panel_switch_([&app] { return app.user_settings.IniFile(); }),
      icon_(LoadIconW(app.instance, MAKEINTRESOURCEW(IDR_MAINFRAME))),
      icon_small_(static_cast<HICON>(LoadImageW(app.instance, MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON,
                                                GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                                LR_SHARED))),
      context_{app, texts_, canvases_, app.paths.main_skin_ini, *this},
      keyboard_(context_),
      lighting_(context_, keyboard_),
      commands_(context_),
      tray_(context_, icon_small_),
      busy_(context_, lighting_.Bitmaps()),
      ui_thread_(context_),
      presence_(context_, tray_),
      prompts_(context_),
      device_events_(context_, lighting_, tray_),
      profile_manager_(context_, keyboard_, commands_),
      update_(context_, prompts_),
      dialogs_(app.instance),
      composite_(context_, keyboard_, commands_) {
    keyboard_.Connect({&lighting_, &commands_.ProfileManagerButton(), &dialogs_, &composite_});
    commands_.Connect(prompts_, lighting_);
    dialogs_.composite = &composite_.Dialog();
    context_.wait = &responsive_;
    keyboard_.SetProfileManagerLink(&profile_manager_);
    dialogs_.profile_manager = &profile_manager_.Dialog();
    dialogs_.update = &update_.Dialog();
    presence_.SetAttachListener([this] { update_.KeyboardAttached(); });
}

// The sync joins its threads before the lighting model and the window go.
CKelvarinDlg::~CKelvarinDlg() {
    if (app_.device.Started()) app_.device.Link().SetWaitHook(nullptr);
    context_.sync = nullptr;
    sync_.reset();
    context_.lighting = nullptr;
    lighting_model_.reset();
}

bool CKelvarinDlg::Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (context_.ExchangePumping() && IgnoredWhilePumping(message, wParam, lParam, result)) return true;
    if (message == WM_PAINT && IsIconic(hwnd_)) {
        PaintMinimised();
        result = 0;
        return true;
    }
    if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == IDM_ABOUTBOX) {
        OpenAboutBox();  // the item the system menu got at start-up
        result = 0;
        return true;
    }
    if (message == WM_WINDOWPOSCHANGING && !show_allowed_) {
        // The dialog manager shows a modal dialog once its queue runs empty;
        // this window appears only through ShowMainWindow.
        reinterpret_cast<WINDOWPOS*>(lParam)->flags &= ~SWP_SHOWWINDOW;
    }
    static constexpr MessageRoute<CKelvarinDlg> kMessages[] = {
        {WM_QUERYDRAGICON, &CKelvarinDlg::OnQueryDragIcon},
        {WM_WTSSESSION_CHANGE, &CKelvarinDlg::OnSessionChange},
        {WM_HELP, &CKelvarinDlg::OnHelpRequest},
        {app::kMsgKill, &CKelvarinDlg::OnKillRequest},
        {app::kMsgShow, &CKelvarinDlg::OnShowRequest},
        {app::kMsgInit, &CKelvarinDlg::OnInitMessage},
        {app::kMsgLanguage, &CKelvarinDlg::OnLanguageMessage},
        {app::kMsgLayer, &CKelvarinDlg::OnLayerMessage},
        {app::kMsgGoneSub, &CKelvarinDlg::OnCloseSubDialogs},
        {kMsgFinishExit, &CKelvarinDlg::OnFinishExitMessage},
    };
    static constexpr TimerRoute<CKelvarinDlg> kTimers[] = {
        {kTimerExit, &CKelvarinDlg::OnExitTimer},
    };
    static constexpr MessageMap<CKelvarinDlg> kMap{kMessages, {}, {}, {}, kTimers};
    return ui_thread_.Route(message, wParam, lParam, result) ||
           busy_.Route(message, wParam, lParam, result) || lighting_.Route(message, wParam, lParam, result) ||
           keyboard_.Route(message, wParam, lParam, result) ||
           commands_.Route(message, wParam, lParam, result) || tray_.Route(message, wParam, lParam, result) ||
           composite_.Route(message, wParam, lParam, result) ||
           update_.Route(message, wParam, lParam, result) ||
           kMap.Route(*this, message, wParam, lParam, result) ||
           CBaseDialog::Route(message, wParam, lParam, result);
}

// Commands and system commands that reach the window while an exchange pumps
// (sent from outside: the user's own input is dropped by the wait) are ignored.
bool CKelvarinDlg::IgnoredWhilePumping(UINT message, WPARAM, LPARAM, LRESULT& result) {
    if (message != WM_COMMAND && message != WM_SYSCOMMAND) return false;
    result = 0;
    return true;
}

void CKelvarinDlg::PaintMinimised() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd_, &paint);
    RECT client{};
    GetClientRect(hwnd_, &client);
    const int width = GetSystemMetrics(SM_CXICON);
    const int height = GetSystemMetrics(SM_CYICON);
    DrawIcon(dc, (client.right - width + 1) / 2, (client.bottom - height + 1) / 2, icon_);
    EndPaint(hwnd_, &paint);
}

LRESULT CKelvarinDlg::OnQueryDragIcon(WPARAM, LPARAM) { return reinterpret_cast<LRESULT>(icon_); }

// Locking, unlocking or switching the session changes nothing.
LRESULT CKelvarinDlg::OnSessionChange(WPARAM, LPARAM) { return 0; }

LRESULT CKelvarinDlg::OnHelpRequest(WPARAM, LPARAM) {
    OpenHelp();
    return TRUE;
}

LRESULT CKelvarinDlg::OnKillRequest(WPARAM code, LPARAM) {
    if (code == app::kCodeKill) ExitProgram(ExitReason::kKillRequest);
    return 0;
}

LRESULT CKelvarinDlg::OnShowRequest(WPARAM code, LPARAM) {
    if (code != app::kCodeOpen) return 0;
    if (context_.ExchangePumping()) {
        // Its box would run a loop inside the exchange: shown once the exchange is over.
        PostMessageW(hwnd_, app::kMsgShow, code, 0);
        return 0;
    }
    ShowMainWindow();
    return 0;
}

LRESULT CKelvarinDlg::OnInitMessage(WPARAM code, LPARAM) {
    if (code != app::kCodeInit) return 0;
    RunInitialisation([this] {
        tray_.Create();
        keyboard_.RebuildProfileMenu(true);
        presence_.SetInitDone(true);
        HideMainWindow();
        return true;
    });
    return 0;
}

void CKelvarinDlg::OpenAboutBox() {
    const std::wstring& link = commands_.Links().link;
    dialogs_.About().Open(hwnd_, AboutContent{[this](const wchar_t* key) { return context_.Text(key); }, link,
                                              OpenableLinkAddress(link), [this] { OpenHelp(); }});
}

LRESULT CKelvarinDlg::OnLanguageMessage(WPARAM code, LPARAM index) {
    // The texts always follow the stored language; the index only says that it changed.
    if (code != app::kCodeLang) return 0;
    if (HWND about = dialogs_.About().Window()) SendMessageW(about, app::kMsgLanguage, code, index);
    composite_.ForwardLanguage(code, index);
    SetWindowTextW(hwnd_, context_.Text(L"MAIN_CAPTION").c_str());
    lighting_.ApplyCaptions();
    keyboard_.ApplyProfileCaptions();
    commands_.ApplyTexts();
    return 0;
}

LRESULT CKelvarinDlg::OnLayerMessage(WPARAM code, LPARAM) {
    if (code != app::kCodeLed) return 0;
    std::lock_guard lock(app_.sets.WorkingConfigLock());
    keyboard_.OnLayerChanged();
    return 0;
}

LRESULT CKelvarinDlg::OnCloseSubDialogs(WPARAM, LPARAM) {
    if (context_.ExchangePumping()) return kSendAgainLater;  // the read-back thread sends again
    dialogs_.CloseForKeyboardGone();
    SetFocus(context_.Item(IDC_REPORT1));
    return 0;
}

}  // namespace kv::ui
