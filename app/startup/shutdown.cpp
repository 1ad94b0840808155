// The main window's close routine, shared by every way of ending the program.
#include <mutex>

#include "app/startup/process_state.h"
#include "ui/main/main_window.h"

namespace kv::ui {

bool CKelvarinDlg::ShutdownMain() {
    CloseAboutBox();
    single_instance_mutex_.Reset();
    key_event_slots_.clear();
    tray_.Remove();
    tray_icon_.SetShown(0);
    SetModified(false);

    app::ProcessState& process = app::Process();
    if (process.working_config_lock) {
        std::lock_guard lock(*process.working_config_lock);
        ReleaseWorkingSet();
    }
    if (process.applied_config_lock) {
        std::lock_guard lock(*process.applied_config_lock);
        ReleaseAppliedSet();
    }
    return true;
}

}  // namespace kv::ui
