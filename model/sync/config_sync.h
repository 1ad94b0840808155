// Keeping the program's copy of the configuration in step with the keyboard:
// read-back whenever the keyboard count changes, Apply, Default and Restore.
//
// Locks: WorkingConfigLock is always taken before AppliedConfigLock, and no
// thread other than the user-interface thread holds WorkingConfigLock while
// it calls into the host.
//
// Wiring: the notification sink's StartReadBack and start-up (with the
// keyboard count) call StartReadBack; the window's 'TR' / 'PROF' handler runs
// the work RunOnUiThread hands it; Apply (1006), Default (1138) and Restore
// (32776) call ApplyChanges, RestoreDefaults and RestoreFromFile. At exit,
// stop the notifications first, then call Shutdown before the working set is
// released.
#pragma once

#include <chrono>
#include <filesystem>
#include <memory>
#include <span>
#include <string_view>

#include "device/commands.h"
#include "model/config_sets.h"
#include "model/lighting/lighting_model.h"
#include "model/sync/busy_indicator.h"
#include "model/sync/ordered_runs.h"
#include "model/sync/profile_switch.h"
#include "model/sync/sync_host.h"
#include "model/sync/sync_state.h"
#include "model/text_source.h"
#include "profiles/atomic_file.h"

namespace kv::model {

struct SyncContext {
    device::Commands& commands;
    ConfigSets& sets;
    LightingModel& lighting;
    SyncHost host;
    const TextSource& texts;
};

struct SyncOptions {
    std::chrono::milliseconds init_poll{50};         // read-back waiting for InitDone
    std::chrono::milliseconds busy_hide_delay{100};  // indicator stays this long after Apply
    profiles::WriteHook file_hook;                   // sees every profile file write (tests)
};

class ConfigSync {
  public:
    // The context's objects and the host must outlive this object.
    explicit ConfigSync(const SyncContext& context, SyncOptions options = {});
    // Shutdown().
    ~ConfigSync();
    ConfigSync(const ConfigSync&) = delete;
    ConfigSync& operator=(const ConfigSync&) = delete;

    SyncState& State() { return state_; }
    const SyncState& State() const { return state_; }

    // Any thread: runs ReadBackRun(count) on a new thread, after the runs
    // started before it. Ignored once shutting down.
    void StartReadBack(int count);
    // One read-back run on the calling thread (not the user-interface thread).
    void ReadBackRun(int count);
    // Tests: waits until the read-back runs started so far have ended.
    bool WaitReadBackIdle(std::chrono::milliseconds timeout);

    // User-interface thread from here on.

    // The 'TR' / 'PROF' reload: working set, profile buttons, lighting. True
    // when the working set was loaded from the keyboard.
    bool ReloadFromKeyboard();
    // Rebuilds the working set from the keyboard through the working profile
    // file, or installs the default set when the keyboard cannot be read.
    // True when the keyboard's configuration was loaded.
    bool ReloadWorkingConfiguration(bool keep_pending);
    // 1 success, 0 failure.
    int ReadKeyboardToFile(const std::filesystem::path& path);
    // Copies the working set to the applied set and writes it: the macro area
    // and the key map of the active profile, or of profiles 0..2. 1 or 0.
    int PushToKeyboard(bool all_profiles);
    // The Apply button.
    void ApplyChanges();
    // The Default button.
    void RestoreDefaults();
    // Restore from a profile file the user chose. False when the file is not
    // a valid profile file (the user is told) or the keyboard write failed
    // (pending changes are then set, so Apply can try again).
    bool RestoreFromFile(const std::filesystem::path& path);
    // Backup: saves the working set to the file the user chose, atomically.
    // False when it could not be written (the user is told; an existing file
    // stays as it was).
    bool BackupToFile(const std::filesystem::path& path);
    // The same from a profile file's bytes that passed the header checks
    // (other sources of backups, such as JSON, come this way).
    bool RestoreFromImage(std::span<const uint8_t> file);

    // Apply and Default write the key maps and the macro area only while the
    // working set is the keyboard's own (SyncState). Otherwise they ask
    // whether to read the keyboard again and write nothing: true then.
    bool RefuseWriteWithoutKeyboardCopy();
    // Reads the keyboard back once more on a read-back thread, as an
    // attachment does (nothing without a keyboard); the reload reaches this
    // thread through the host as usual.
    void ReadBackAgain();
    // The main window's profile buttons: makes the profile (0..2; anything
    // else is taken as 0) the keyboard's active one, after dealing with
    // unapplied changes. False, with the keyboard's active profile unchanged,
    // when the switch is refused or fails.
    bool SwitchActiveProfile(int profile, ProfileSwitchHost& windows);

    // The program is ending (user-interface thread): read-back runs stop at
    // their next step and no longer reach the working set or the window, and
    // their keyboard exchanges end at once instead of waiting for replies;
    // this thread's own exchanges go on. Later read-backs are ignored.
    void BeginShutdown();
    // BeginShutdown, then ends the busy-indicator threads and joins every
    // thread; called on the user-interface thread, which keeps serving the
    // host meanwhile.
    void Shutdown();
    // Tests: waits until the busy indicator has been hidden after each Apply.
    bool WaitBusyIdle(std::chrono::milliseconds timeout);

  private:
    std::u16string Text(std::u16string_view key) const;
    std::filesystem::path WorkingProfileFile() const;
    // The matrix, the settings block and (on the user-interface thread) the reload.
    void ReadKeyboardBack();
    // "No" to the switch's question: the working set as the working profile file has it.
    void DiscardPendingChanges();

    device::Commands& commands_;
    ConfigSets& sets_;
    LightingModel& lighting_;
    SyncHost host_;
    const TextSource& texts_;
    SyncOptions options_;
    SyncState state_;
    BusyIndicator busy_;
    bool switch_question_open_ = false;
    OrderedRuns runs_;  // last: its threads use everything above
};

}  // namespace kv::model
