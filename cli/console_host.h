// The sync engine's host for a console program: there is no window, work for
// the "user-interface thread" runs at once on the calling thread, messages
// are kept for the caller to print, and the working profile file lives in a
// private folder that goes away with the host.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "model/lighting/panel_switch.h"
#include "model/sync/sync_host.h"

namespace kv::cli {

class ConsoleHost final : public model::UiThread,
                          public model::WindowPresence,
                          public model::Prompts,
                          public model::KeyButtonsView,
                          public model::LightingView,
                          public model::BusyView,
                          public model::PendingChanges,
                          public model::UserFolder {
  public:
    ConsoleHost();
    ~ConsoleHost() override;  // removes the private folder
    ConsoleHost(const ConsoleHost&) = delete;
    ConsoleHost& operator=(const ConsoleHost&) = delete;

    // Every role played by this one object.
    model::SyncHost Roles() {
        return model::SyncHost{*this, *this, *this, *this, *this, *this, *this, *this};
    }

    // Messages the engine showed, oldest first; taking them empties the list.
    std::vector<std::u16string> TakeMessages();

    // UiThread
    void RunOnUiThread(const std::function<void()>& work) override { work(); }
    void ServiceUiWhileWaiting() override {}
    // WindowPresence: no window to show; it never opens by itself.
    void CloseSubDialogs() override {}
    void HideMainWindow() override {}
    bool InitDone() const override { return true; }
    void ShowKeyboardPresence(bool) override {}
    void PostOpen() override {}
    bool AutoOpenSuppressed() const override { return true; }
    void SetAutoOpenSuppressed(bool) override {}
    // Prompts: nothing here asks; a question is answered No.
    void ShowMessage(std::u16string_view text, model::MessageKind kind) override;
    bool Confirm(std::u16string_view question) override;
    // KeyButtonsView, LightingView, BusyView: nothing to show (and with the
    // panel switch off, Default never restores the panel's lighting).
    void RefreshKeyButtons() override {}
    void SetCurrentProfile(int) override {}
    model::GLayer CurrentLayer() const override { return model::GLayer::kA; }
    void RefreshLightingPanel(bool) override {}
    void RestoreLightingPanelDefaults() override {}
    void BusyBegin() override {}
    void BusyEnd() override {}
    // PendingChanges
    bool Pending() const override { return pending_; }
    void SetPending(bool pending) override { pending_ = pending; }
    // UserFolder
    std::filesystem::path Path() const override { return folder_; }

  private:
    std::filesystem::path folder_;
    std::vector<std::u16string> messages_;
    bool pending_ = false;
};

// The lighting panel switch of a console program: off, and never stored.
class ConsolePanelSwitch final : public model::PanelSwitchStore {
  public:
    bool ReadPanelSwitch() override { return false; }
    void WritePanelSwitch(bool) override {}
};

}  // namespace kv::cli
