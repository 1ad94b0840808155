#include "app/startup/app.h"

#include <commctrl.h>

#include "app/startup/daemon.h"
#include "app/startup/registry.h"
#include "app/tray/command_line.h"

namespace kv::app {

CKelvarinApp::CKelvarinApp(MainWindowFactory make_main_window)
    : make_main_window_(std::move(make_main_window)) {}

CKelvarinApp::~CKelvarinApp() { sink_.Attach(nullptr); }

int CKelvarinApp::Run(HINSTANCE instance) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    paths_ = BuildAppPaths(CurrentModulePath());
    user_registry_key_ = OpenUserRegistryKey();
    // The application's profile strings go to the registry under the company key.
    app_key_ = RegKey::Create(HKEY_CURRENT_USER, kAppKeyPath);
    profile_values_.emplace(app_key_.get());
    sets_.emplace();

    // A second start or a "/Kill" start hands its request over and ends here.
    const std::vector<std::wstring> args = ProcessArguments();
    const SingleInstance::Decision decision = single_instance_.Settle(args, paths_.module_file_name);
    if (!decision.run) return 0;
    auto_open_suppressed_ = decision.start_hidden;
    StartDaemon(paths_.daemon_path);

    AppServices services{
        instance,         paths_,      user_registry_key_.Get(), *profile_values_,     device_, sink_, *sets_,
        single_instance_, key_events_, user_settings_,           auto_open_suppressed_};
    main_window_ = make_main_window_(services);
    sink_.Attach(&main_window_->Notifications());
    main_window_->RunModal();

    // The library's thread may still report; nothing it reaches may be gone.
    // Nothing the sink calls waits for this thread, so detaching cannot block
    // on a callback that waits for us.
    sink_.Attach(nullptr);
    InvalidateRect(nullptr, nullptr, TRUE);
    // The window joins the sync's threads, which still use the sets.
    main_window_.reset();
    sets_.reset();
    return 0;
}

}  // namespace kv::app
