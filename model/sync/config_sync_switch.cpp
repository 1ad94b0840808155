// Switching the keyboard's active profile from the main window.
#include <mutex>

#include "model/assign/key_assignment.h"
#include "model/sync/config_sync.h"
#include "profiles/profile_reader.h"

namespace kv::model {

namespace {

// Set while its question is up; a second switch meanwhile is refused.
class QuestionOpen {
  public:
    explicit QuestionOpen(bool& flag) : flag_(flag) { flag_ = true; }
    ~QuestionOpen() { flag_ = false; }
    QuestionOpen(const QuestionOpen&) = delete;
    QuestionOpen& operator=(const QuestionOpen&) = delete;

  private:
    bool& flag_;
};

}  // namespace

bool ConfigSync::SwitchActiveProfile(int profile, ProfileSwitchHost& windows) {
    if (profile < 0 || profile >= kOnBoardProfiles) profile = 0;
    if (windows.EditingDialogOpen()) {
        host_.prompts.ShowMessage(Text(u"PROFILE_SEELCT_PROMPT2"), MessageKind::kNotice);
        return false;
    }
    if (windows.ManagerHasChanges() || host_.pending.Pending()) {
        if (switch_question_open_) return false;
        bool apply = false;
        {
            const QuestionOpen asking(switch_question_open_);
            apply = host_.prompts.Confirm(Text(u"PROFILE_SELECT_PROMPT"));
        }
        if (apply) {
            windows.Apply();
            // The edits did not reach the keyboard: they would be lost with the switch.
            if (host_.pending.Pending()) return false;
        } else {
            DiscardPendingChanges();
        }
        if (commands_.SetActiveProfile(profile) != device::kOk) return false;
    } else {
        if (commands_.SetActiveProfile(profile) != device::kOk) return false;
        windows.ManagerShowsActive(profile);
    }
    {
        std::lock_guard lock(sets_.WorkingConfigLock());
        host_.keys.RefreshKeyButtons();
    }
    windows.RebuildProfileMenu();
    return true;
}

void ConfigSync::DiscardPendingChanges() {
    host_.pending.SetPending(false);
    const int active = commands_.GetActiveProfile();
    if (active < 0 || active >= kOnBoardProfiles) return;
    bool loaded = false;
    {
        std::lock_guard lock(sets_.WorkingConfigLock());
        loaded = profiles::LoadProfileFile(WorkingProfileFile(), sets_.Working()) ==
                 profiles::ProfileStatus::kValid;
    }
    // Without a readable working file the edits would stay in the working set
    // unseen and go out with the next Apply: read the keyboard instead.
    if (!loaded) ReloadWorkingConfiguration(false);
}

}  // namespace kv::model
