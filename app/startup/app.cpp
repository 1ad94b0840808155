#include "app/startup/app.h"

#include <commctrl.h>

#include "app/startup/paths.h"
#include "app/startup/process_state.h"
#include "app/startup/registry.h"
#include "app/tray/command_line.h"
#include "ui/kit/image_file.h"
#include "ui/main/main_window.h"

namespace kv::app {

CKelvarinApp::CKelvarinApp() = default;

CKelvarinApp::~CKelvarinApp() { sink_.Attach(nullptr); }

int CKelvarinApp::Run(HINSTANCE instance) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    ProcessState& process = Process();
    process.paths = BuildAppPaths(CurrentModulePath());
    user_registry_key_ = OpenUserRegistryKey();
    process.user_registry_key = user_registry_key_.Get();

    sets_.emplace();
    process.working_config_lock = &sets_->WorkingConfigLock();
    process.applied_config_lock = &sets_->AppliedConfigLock();
    ui::EnsureGdiplus();

    const std::vector<std::wstring> args = ProcessArguments();
    main_window_ = std::make_unique<ui::CKelvarinDlg>(instance, device_, sink_, *sets_, args);
    sink_.Attach(main_window_.get());
    main_window_->RunModal();

    // The library's thread may still report; nothing it reaches may be gone.
    // Nothing the sink calls waits for this thread, so detaching cannot block
    // on a callback that waits for us.
    sink_.Attach(nullptr);
    process.main_window_handle = nullptr;
    process.main_dialog = nullptr;
    process.applied_config_lock = nullptr;
    process.working_config_lock = nullptr;
    InvalidateRect(nullptr, nullptr, TRUE);
    // The window joins the sync's threads, which still use the sets.
    main_window_.reset();
    sets_.reset();
    return 0;
}

}  // namespace kv::app
