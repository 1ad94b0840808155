// Rebuilding the working set from the keyboard.
#include "model/assign/assignment_store.h"
#include "model/sync/config_sync.h"
#include "model/sync/keyboard_reader.h"
#include "profiles/profile_reader.h"
#include "profiles/working_profile.h"

namespace kv::model {

bool ConfigSync::ReloadFromKeyboard() {
    if (runs_.Stopping()) return false;
    const bool loaded = ReloadWorkingConfiguration(false);
    const int active = commands_.GetActiveProfile();
    if (active >= 0 && active < kOnBoardProfiles) {
        lighting_.SetCurrentProfile(active);
        host_.keys.SetCurrentProfile(active);
    }
    lighting_.ReadLighting();
    host_.lighting.RefreshLightingPanel(lighting_.HasPerKeyMode());
    return loaded;
}

int ConfigSync::ReadKeyboardToFile(const std::filesystem::path& path) {
    return model::ReadKeyboardToFile(commands_, state_.DefaultMatrix(), path, options_.file_hook);
}

bool ConfigSync::ReloadWorkingConfiguration(bool keep_pending) {
    profiles::EnsureFolder(host_.folder.Path());
    const std::filesystem::path file = WorkingProfileFile();
    bool from_keyboard = commands_.GetActiveProfile() >= 0 && ReadKeyboardToFile(file) == 1;
    {
        std::lock_guard lock(sets_.WorkingConfigLock());
        // A load replaces the set only when it succeeds.
        if (from_keyboard) {
            from_keyboard =
                profiles::LoadProfileFile(file, sets_.Working()) == profiles::ProfileStatus::kValid;
        }
        if (!from_keyboard) {
            // Short of memory even for this, the old set is the better one to keep.
            if (AssignmentBlockPtr block = NewAssignmentBlock()) {
                sets_.ReleaseWorking();
                sets_.Working().block = std::move(block);
            }
        }
        state_.SetWorkingSetFromKeyboard(from_keyboard);
        host_.keys.RefreshKeyButtons();
    }
    if (!keep_pending) host_.pending.SetPending(false);
    return from_keyboard;
}

}  // namespace kv::model
