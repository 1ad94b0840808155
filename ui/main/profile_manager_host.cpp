#include "ui/main/profile_manager_host.h"

#include "ui/main/main_window_ids.h"

namespace kv::ui {

int ProfileManagerHost::ActiveProfile() {
    return context_.app.device.Started() ? context_.app.device.Commands().GetActiveProfile() : -1;
}

bool ProfileManagerHost::SetActiveProfile(int profile) {
    return context_.app.device.Started() &&
           context_.app.device.Commands().SetActiveProfile(profile) == device::kOk;
}

void ProfileManagerHost::ReloadWorkingConfiguration(bool keepPending) {
    model::ConfigSync* sync = context_.sync;
    if (!sync) return;
    if (keepPending)
        sync->ReloadWorkingConfiguration(true);
    else
        sync->ReloadFromKeyboard();
}

bool ProfileManagerHost::LoadProfileIntoKeyboard(const std::filesystem::path& file) {
    model::ConfigSync* sync = context_.sync;
    return sync && sync->RestoreFromFile(file);
}

// The window's own Apply command (1006), run to its end before the send returns.
bool ProfileManagerHost::ApplyPendingChanges() {
    SendMessageW(context_.hwnd, WM_COMMAND, MAKEWPARAM(IDC_APPLY, BN_CLICKED),
                 reinterpret_cast<LPARAM>(context_.Item(IDC_APPLY)));
    return !pending_.Pending();
}

}  // namespace kv::ui
