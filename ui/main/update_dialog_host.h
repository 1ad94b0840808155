// The main window as the firmware update dialog sees it: the working set to
// back up and the switch into update mode. When the keyboard comes back after
// an update, the window says where the automatic backup is and that Restore
// brings it back.
#pragma once

#include <windows.h>

#include <filesystem>
#include <mutex>

#include "model/sync/sync_host.h"
#include "ui/dialogs/update/update_host.h"
#include "ui/main/main_dialog_host.h"

namespace kv::ui {

class UpdateDialogHost final : public MainDialogHost<UpdateHost> {
  public:
    UpdateDialogHost(MainContext& context, model::Prompts& prompts)
        : MainDialogHost(context), prompts_(prompts) {}

    bool Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // UpdateHost
    model::ConfigSets& WorkingSets() override { return context_.app.sets; }
    int EnterUpdateMode() override;
    void UpdateModeEntered(const std::filesystem::path& backup) override;

    // A read-back run has found the keyboard (its thread). The first time
    // after an update, the notice is posted to the window's thread.
    void KeyboardAttached();

  private:
    LRESULT OnKeyboardBack(WPARAM, LPARAM);

    model::Prompts& prompts_;
    std::mutex mutex_;
    bool awaiting_return_ = false;
    std::filesystem::path backup_;  // saved just before the update; empty when that failed
};

}  // namespace kv::ui
