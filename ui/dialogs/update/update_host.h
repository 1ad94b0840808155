// What the firmware update dialog needs from the main window: the working set
// to back up, the switch into update mode, and a note that the keyboard has
// gone into it (so that its return can say where the backup is).
#pragma once

#include <filesystem>

#include "model/config_sets.h"
#include "ui/dialogs/dialog_host.h"

namespace kv::ui {

class UpdateHost : public DialogHost {
  public:
    // The working set with its WorkingConfigLock; the dialog saves it under the lock.
    virtual model::ConfigSets& WorkingSets() = 0;
    // Sends EnterUpdateMode; the library's result, of which only 1 counts as success.
    virtual int EnterUpdateMode() = 0;
    // The keyboard is in update mode and leaves the bus. `backup` names the
    // file the working set was saved to just before; empty when that failed.
    virtual void UpdateModeEntered(const std::filesystem::path& backup) = 0;
};

}  // namespace kv::ui
