#include "model/sync/config_sync.h"

#include <array>

#include "model/keys/key_names.h"
#include "profiles/working_profile.h"

namespace kv::model {

ConfigSync::ConfigSync(const SyncContext& context, SyncOptions options)
    : commands_(context.commands),
      sets_(context.sets),
      lighting_(context.lighting),
      host_(context.host),
      texts_(context.texts),
      options_(std::move(options)),
      busy_(context.host.busy, options_.busy_hide_delay) {}

ConfigSync::~ConfigSync() { Shutdown(); }

void ConfigSync::BeginShutdown() {
    runs_.RequestStop();
    commands_.Link().EndOtherThreadsTransactions();
}

void ConfigSync::Shutdown() {
    BeginShutdown();
    const auto serve = [this] { host_.ui.ServiceUiWhileWaiting(); };
    runs_.Stop(serve);
    busy_.Stop(serve);
}

bool ConfigSync::WaitReadBackIdle(std::chrono::milliseconds timeout) { return runs_.WaitIdle(timeout); }

bool ConfigSync::WaitBusyIdle(std::chrono::milliseconds timeout) { return busy_.WaitIdle(timeout); }

std::u16string ConfigSync::Text(std::u16string_view key) const { return texts_.Text(kTextSection, key); }

std::filesystem::path ConfigSync::WorkingProfileFile() const {
    return profiles::WorkingProfilePath(host_.folder.Path());
}

void ConfigSync::StartReadBack(int count) {
    runs_.Start([this, count] { ReadBackRun(count); });
}

void ConfigSync::ReadBackAgain() {
    runs_.Start([this] {
        if (state_.LastDeviceCount() != 0) ReadKeyboardBack();
    });
}

void ConfigSync::ReadKeyboardBack() {
    std::array<uint8_t, device::kDefaultMatrixSize> matrix{};
    const bool matrix_read = commands_.ReadDefaultMatrix(matrix) == device::kOk;
    if (matrix_read) {
        state_.SetDefaultMatrix(matrix);
    } else {
        // Shown by the window's own thread; skipped once the window is closing.
        host_.ui.RunOnUiThread([this] {
            if (!runs_.Stopping())
                host_.prompts.ShowMessage(Text(u"MAIN_DEFAULT_MATRIX_PROMPT"), MessageKind::kNotice);
        });
    }
    std::array<uint8_t, device::kSettingsBlockSize> settings{};
    if (commands_.ReadSettingsBlock(settings) == device::kOk) {
        state_.SetMacroCapacityUnits(settings[device::kSettingsMacroCapacity]);
    }
    if (runs_.Stopping()) return;
    state_.SetReadBackLoaded(false);
    host_.ui.RunOnUiThread([this, matrix_read] {
        const bool loaded = ReloadFromKeyboard();
        state_.SetReadBackLoaded(matrix_read && loaded);
    });
}

bool ConfigSync::RefuseWriteWithoutKeyboardCopy() {
    if (state_.WorkingSetFromKeyboard()) return false;
    if (host_.prompts.Confirm(Text(u"KEYBOARD_NOT_READ_PROMPT"))) ReadBackAgain();
    return true;
}

void ConfigSync::ReadBackRun(int count) {
    const int last = state_.LastDeviceCount();
    if (count == last) return;

    if (count != 0) {
        ReadKeyboardBack();
        if (runs_.Stopping()) return;
    } else if (last != 0) {
        commands_.ResetActiveProfileCache();
        host_.window.CloseSubDialogs();
        host_.window.HideMainWindow();
    }

    // Past this point a run only shows the window; not while it is closing.
    while (!runs_.Stopping() && !host_.window.InitDone()) {
        runs_.SleepFor(options_.init_poll);
    }
    if (runs_.Stopping()) return;
    host_.window.ShowKeyboardPresence(count != 0);
    state_.SetLastDeviceCount(count);
    if (!host_.window.AutoOpenSuppressed()) {
        if (count != 0) host_.window.PostOpen();
        host_.window.SetAutoOpenSuppressed(true);
    }
}

}  // namespace kv::model
