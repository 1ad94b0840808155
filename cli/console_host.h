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

class ConsoleHost final : public model::SyncHost {
  public:
    ConsoleHost();
    ~ConsoleHost() override;  // removes the private folder
    ConsoleHost(const ConsoleHost&) = delete;
    ConsoleHost& operator=(const ConsoleHost&) = delete;

    // Messages the engine showed, oldest first; taking them empties the list.
    std::vector<std::u16string> TakeMessages();

    // model::SyncHost
    void ShowMessage(std::u16string_view text, uint32_t flags) override;
    void RunOnUiThread(const std::function<void()>& work) override { work(); }
    void ServiceUiWhileWaiting() override {}
    void CloseSubDialogs() override {}
    void HideMainWindow() override {}
    bool InitDone() const override { return true; }
    void SetTrayIcon(int, int) override {}
    void PostOpen() override {}
    bool AutoOpenSuppressed() const override { return true; }
    void SetAutoOpenSuppressed(bool) override {}
    // Nothing here asks; a question is answered No.
    int AskMessage(std::u16string_view text, uint32_t flags) override;
    void RefreshKeyButtons() override {}
    void SetCurrentProfile(int) override {}
    void RefreshLightingPanel(bool) override {}
    model::GLayer CurrentLayer() const override { return model::GLayer::kA; }
    void BusyBegin() override {}
    void BusyEnd() override {}
    bool PendingChanges() const override { return pending_; }
    void SetPendingChanges(bool pending) override { pending_ = pending; }
    std::filesystem::path UserFolder() const override { return folder_; }

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
