// Writing the working set to the keyboard: Apply, Default and Restore; and to a file: Backup.
#include <mutex>
#include <vector>

#include "model/assign/profile_reset.h"
#include "model/assign/write_configuration.h"
#include "model/keys/text_format.h"
#include "model/sync/config_sync.h"
#include "profiles/profile_reader.h"
#include "profiles/profile_writer.h"
#include "profiles/working_profile.h"

namespace kv::model {

int ConfigSync::PushToKeyboard(bool all_profiles) {
    std::lock_guard working(sets_.WorkingConfigLock());
    std::lock_guard applied(sets_.AppliedConfigLock());
    if (!sets_.SnapshotWorkingToApplied()) return 0;
    const KeyMapImage matrix = state_.DefaultMatrix();
    const ConfigurationTarget target{commands_, matrix, state_.MacroCapacity(), texts_, host_.prompts};
    return WriteConfiguration(sets_, all_profiles, target);
}

void ConfigSync::ApplyChanges() {
    if (host_.pending.Pending() && RefuseWriteWithoutKeyboardCopy()) return;
    const auto busy = busy_.Begin();
    if (host_.pending.Pending()) {
        const std::filesystem::path folder = host_.folder.Path();
        profiles::EnsureFolder(folder);
        bool saved = false;
        bool pushed = false;
        {
            std::lock_guard lock(sets_.WorkingConfigLock());
            saved = profiles::SaveToWorkingProfile(folder, sets_, false, options_.file_hook);
            pushed = PushToKeyboard(false) == 1;
        }
        if (saved && pushed) host_.pending.SetPending(false);
    }
    busy_.End(busy);
}

void ConfigSync::RestoreDefaults() {
    if (RefuseWriteWithoutKeyboardCopy()) return;
    if (!host_.prompts.Confirm(Text(u"MAIN_PROMPT_DEFAULT"))) return;
    const int active = commands_.GetActiveProfile();
    if (active >= 0 && active < kOnBoardProfiles) {
        std::lock_guard lock(sets_.WorkingConfigLock());
        if (sets_.Working().block) {
            ResetKeyButtonAssignments(*sets_.Working().block, active, host_.keys.CurrentLayer());
            host_.keys.RefreshKeyButtons();
            host_.pending.SetPending(true);
        }
    }
    if (lighting_.PanelOn()) host_.lighting.RestoreLightingPanelDefaults();
    ApplyChanges();
}

bool ConfigSync::RestoreFromFile(const std::filesystem::path& path) {
    std::vector<uint8_t> file;
    profiles::ProfileStatus status = profiles::ReadProfileBytes(path, file);
    if (status == profiles::ProfileStatus::kValid) status = profiles::CheckProfileHeader(file);
    if (status == profiles::ProfileStatus::kValid) return RestoreFromImage(file);
    if (profiles::IsFormatError(status)) {
        host_.prompts.ShowMessage(FormatWithString(Text(u"PROFILE_FORMAT_ERROR"), path.u16string()),
                                  MessageKind::kNotice);
    }
    host_.prompts.ShowMessage(Text(u"MAIN_PROMPT_INPORT"), MessageKind::kNotice);
    return false;
}

bool ConfigSync::BackupToFile(const std::filesystem::path& path) {
    if (profiles::SaveWorkingConfiguration(path, sets_, true, options_.file_hook)) return true;
    host_.prompts.ShowMessage(FormatWithString(Text(u"MAIN_PROMPT_BACKUP_FAILED"), path.u16string()),
                              MessageKind::kNotice);
    return false;
}

bool ConfigSync::RestoreFromImage(std::span<const uint8_t> file) {
    const std::filesystem::path folder = host_.folder.Path();
    profiles::EnsureFolder(folder);
    std::unique_lock lock(sets_.WorkingConfigLock());
    // Parsing replaces the working set only when the whole file could be read.
    if (profiles::ParseProfile(file, sets_.Working()) == profiles::ProfileStatus::kValid) {
        profiles::SaveToWorkingProfile(folder, sets_, false, options_.file_hook);
        const bool pushed = PushToKeyboard(true) == 1;
        // Every key map and the macro area now hold the working set.
        if (pushed) state_.SetWorkingSetFromKeyboard(true);
        host_.keys.RefreshKeyButtons();
        lock.unlock();
        // The working set now holds the file; unless the keyboard does too,
        // Apply stays available to try again.
        host_.pending.SetPending(!pushed);
        return pushed;
    }
    lock.unlock();
    host_.prompts.ShowMessage(Text(u"MAIN_PROMPT_INPORT"), MessageKind::kNotice);
    return false;
}

}  // namespace kv::model
