// The profile manager and the update dialog in this process, with a stand-in
// main window: the in-process simulated keyboard behind the real device link,
// configuration sets and sync; the staged skins and language files; a scratch
// registry key and a scratch per-user folder.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "app/settings/language.h"
#include "app/settings/language_texts.h"
#include "app/settings/profile_values.h"
#include "app/startup/paths.h"
#include "device/commands.h"
#include "device/notify.h"
#include "device/transact.h"
#include "model/config_sets.h"
#include "model/lighting/lighting_model.h"
#include "model/sync/config_sync.h"
#include "sim/sim_service.h"
#include "tests/win/settings/scratch.h"
#include "ui/dialogs/profiles/profile_host.h"
#include "ui/dialogs/update/update_host.h"
#include "ui/kit/file_dialog.h"

namespace kv::ui::test {

using namespace std::chrono_literals;

using app::testing::ScratchFolder;
using app::testing::ScratchRegistryKey;

class PanelSwitchStub final : public model::PanelSwitchStore {
  public:
    bool ReadPanelSwitch() override { return false; }
    void WritePanelSwitch(bool) override {}
};

struct BoxShown {
    std::wstring text;
    UINT flags;
};

struct FileAsked {
    FileDialogKind kind;
    FileDialogSpec spec;
};

// The main window's roles as the sync sees them; messages are recorded and
// questions answered Yes.
class SyncRoles final : public model::UiThread,
                        public model::WindowPresence,
                        public model::Prompts,
                        public model::KeyButtonsView,
                        public model::LightingView,
                        public model::BusyView,
                        public model::PendingChanges,
                        public model::UserFolder {
  public:
    explicit SyncRoles(std::filesystem::path folder) : folder_(std::move(folder)) {}
    model::SyncHost Host() { return {*this, *this, *this, *this, *this, *this, *this, *this}; }

    std::atomic<bool> pending{false};
    std::vector<std::u16string> messages;

    void RunOnUiThread(const std::function<void()>& work) override { work(); }
    void ServiceUiWhileWaiting() override {}
    void CloseSubDialogs() override {}
    void HideMainWindow() override {}
    bool InitDone() const override { return true; }
    void ShowKeyboardPresence(bool) override {}
    void PostOpen() override {}
    bool AutoOpenSuppressed() const override { return true; }
    void SetAutoOpenSuppressed(bool) override {}
    void ShowMessage(std::u16string_view text, model::MessageKind) override { messages.emplace_back(text); }
    bool Confirm(std::u16string_view question) override {
        messages.emplace_back(question);
        return true;
    }
    void RefreshKeyButtons() override {}
    void SetCurrentProfile(int) override {}
    model::GLayer CurrentLayer() const override { return model::GLayer::kA; }
    void RefreshLightingPanel(bool) override {}
    void RestoreLightingPanelDefaults() override {}
    void BusyBegin() override {}
    void BusyEnd() override {}
    bool Pending() const override { return pending; }
    void SetPending(bool on) override { pending = on; }
    std::filesystem::path Path() const override { return folder_; }

  private:
    std::filesystem::path folder_;
};

class DialogRig : public ProfileHost, public UpdateHost, public device::NotificationSink {
  public:
    // `languageFolder`: where the language files are (empty: beside this program).
    explicit DialogRig(app::LanguageId language = app::kLanguageEnglish, std::wstring languageFolder = {});
    ~DialogRig() override;

    // The keyboard's configuration read into the working set and the working profile file.
    void ReadKeyboard();
    // The keyboard's active profile byte, set without any traffic.
    void SetKeyboardActiveProfile(uint8_t profile);
    // Requests that reached the keyboard (command codes), since the last ClearTraffic.
    std::vector<uint8_t> CommandsSent() const;
    void ClearTraffic() { sim.ClearTraffic(); }
    // Host calls, in order ("reload", "set-active 2", "apply", "menu", ...).
    std::vector<std::string> Calls() const;
    bool Called(const std::string& call) const;
    void ClearCalls();
    std::optional<std::wstring> RegistryValue(const wchar_t* name) const;

    // Every box the dialogs show is recorded and answered by `answer` (OK by default).
    std::vector<BoxShown> boxes;
    std::function<int(const std::wstring& text, UINT flags)> answer;
    // Every file dialog is recorded and answered by `choose` (cancelled by default).
    std::vector<FileAsked> fileDialogs;
    std::function<std::optional<std::wstring>(FileDialogKind)> choose;
    // ProfileHost, UpdateHost
    std::wstring LanguageText(const wchar_t* section, const wchar_t* key) const override;
    std::filesystem::path UserFolder() const override { return userFolder; }
    void OpenHelp() override { Log("help"); }
    int ActiveProfile() override { return commands.GetActiveProfile(); }
    bool SetActiveProfile(int profile) override;
    void ReloadWorkingConfiguration(bool keepPending) override;
    bool LoadProfileIntoKeyboard(const std::filesystem::path& file) override;
    bool PendingChanges() const override { return roles.pending; }
    bool ApplyPendingChanges() override;
    void RebuildProfileMenu() override { Log("menu"); }
    const app::ProfileValues& ApplicationValues() const override { return values; }
    model::ConfigSets& WorkingSets() override { return sets; }
    int EnterUpdateMode() override;
    void UpdateModeEntered(const std::filesystem::path& backup) override;

    // NotificationSink: counts the keyboard reports; nothing is read back here.
    void StartReadBack(int count) override { lastCount = count; }
    void LayerChanged(int) override {}
    void LightingChanged() override {}
    void KeyboardBusy(bool) override {}

    ScratchFolder folder;
    std::filesystem::path Scratch() const { return folder.path(); }
    std::filesystem::path userFolder;
    std::filesystem::path packageFolder;
    app::AppPaths paths;
    ScratchRegistryKey languageKey;
    ScratchRegistryKey appKey;
    app::LanguageSettings languageSettings;
    app::LanguageTexts texts;
    app::ProfileValues values;

    SyncRoles roles;
    sim::SimHidService sim;
    device::DeviceLink link;
    device::Commands commands;
    model::ConfigSets sets;
    PanelSwitchStub panel;
    model::LightingModel lighting;
    model::ConfigSync sync;
    device::Notifier notifier;

    std::atomic<int> lastCount{-1};
    std::filesystem::path updateBackup;
    bool updateModeNoted = false;

  private:
    void Log(std::string call);
    mutable std::mutex callsMutex_;
    std::vector<std::string> calls_;
};

// Runs `body` inside the dialog's modal loop once the dialog is up, then
// closes it when the body left it open. Returns what Open returned.
template <class Dialog>
INT_PTR RunOpen(Dialog& dialog, const std::function<void(HWND)>& body);

// Controls, as the user reaches them.
void Click(HWND dialog, int id);  // the control must be visible and enabled
bool Enabled(HWND dialog, int id);
std::wstring ControlText(HWND dialog, int id);

// The report list's rows (three columns) and ticks, read with list-view messages.
std::vector<std::array<std::wstring, 3>> ListRows(HWND list);
std::vector<int> TickedRows(HWND list);
std::vector<std::wstring> ListHeaders(HWND list);
void ClickTick(HWND list, int row);
void ClickRow(HWND list, int row);

// Polls until `ready` holds or the deadline passes.
bool WaitFor(const std::function<bool()>& ready, std::chrono::milliseconds deadline = 10s);

// The module folder of this program (the stage: skins and language files).
std::wstring StageFolder();

// ---- template ----

namespace detail {
// Runs `run` from the loop that is running once `ready` holds (or after a few seconds).
void StartBody(std::function<bool()> ready, std::function<void()> run);
void StopBody();
}  // namespace detail

template <class Dialog>
INT_PTR RunOpen(Dialog& dialog, const std::function<void(HWND)>& body) {
    detail::StartBody([&dialog] { return dialog.IsOpen() && IsWindowVisible(dialog.hwnd()); },
                      [&dialog, &body] {
                          if (!dialog.IsOpen()) return;
                          body(dialog.hwnd());
                          if (dialog.IsOpen()) dialog.CloseIfOpen();
                      });
    const INT_PTR result = dialog.Open(nullptr);
    detail::StopBody();
    return result;
}

}  // namespace kv::ui::test
