#include "app/startup/app.h"

#include <commctrl.h>

#include "app/startup/paths.h"
#include "app/startup/process_state.h"
#include "app/startup/registry.h"
#include "app/tray/command_line.h"
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

    working_config_lock_.emplace();
    applied_config_lock_.emplace();
    process.working_config_lock = &*working_config_lock_;
    process.applied_config_lock = &*applied_config_lock_;

    const std::vector<std::wstring> args = ProcessArguments();
    main_window_ = std::make_unique<ui::CKelvarinDlg>(instance, device_, sink_, args);
    sink_.Attach(main_window_.get());
    main_window_->RunModal();

    // The library's thread may still report; nothing it reaches may be gone.
    sink_.Attach(nullptr);
    process.main_window_handle = nullptr;
    process.main_dialog = nullptr;
    process.applied_config_lock = nullptr;
    process.working_config_lock = nullptr;
    applied_config_lock_.reset();
    working_config_lock_.reset();
    InvalidateRect(nullptr, nullptr, TRUE);
    main_window_.reset();
    return 0;
}

}  // namespace kv::app
