// The main window's close routine, shared by every way of ending the program.
#include <mutex>

#include "ui/main/main_window.h"

namespace kv::ui {

bool CKelvarinDlg::ShutdownMain() {
    // Read-back runs and busy indicators end first; this thread serves what
    // they still send it meanwhile.
    if (sync_) sync_->Shutdown();
    CloseAboutBox();
    single_instance_mutex_.Reset();
    key_event_slots_.clear();
    tray_.Remove();
    tray_icon_.SetShown(0);
    SetModified(false);

    {
        std::lock_guard lock(sets_.WorkingConfigLock());
        ReleaseWorkingSet();
    }
    {
        std::lock_guard lock(sets_.AppliedConfigLock());
        ReleaseAppliedSet();
    }
    return true;
}

}  // namespace kv::ui
