// A main window stand-in for sync tests: its own "user-interface thread" that
// runs what sync sends it, and a log of every call.
#pragma once

#include <atomic>
#include <condition_variable>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "model/sync/sync_host.h"

namespace kv::model::test {

std::string Narrow(std::u16string_view text);

class FakeHost final : public UiThread,
                       public WindowPresence,
                       public Prompts,
                       public KeyButtonsView,
                       public LightingView,
                       public BusyView,
                       public PendingChanges,
                       public UserFolder {
  public:
    explicit FakeHost(std::filesystem::path user_folder);
    ~FakeHost() override;

    // Every role played by this one object.
    SyncHost Roles() { return SyncHost{*this, *this, *this, *this, *this, *this, *this, *this}; }

    // Runs work on the UI thread and waits for it.
    void Ui(const std::function<void()>& work);
    bool OnUiThread() const { return std::this_thread::get_id() == ui_id_; }

    // Work sent by other threads that the UI thread has not taken up yet.
    size_t QueuedWork();
    std::vector<std::string> Events() const;
    void ClearEvents();
    int Count(const std::string& event) const;

    std::atomic<bool> init_done{true};
    std::atomic<bool> auto_open_suppressed{false};
    std::atomic<bool> pending{false};
    std::atomic<bool> answer_yes{true};
    std::atomic<int> current_profile{-1};
    // Runs on the UI thread while a question is up, before it is answered.
    std::function<void()> while_asking;
    // What the lighting panel does on Default, after logging it.
    std::function<void()> lighting_defaults;

    // The roles.
    void ShowMessage(std::u16string_view text, MessageKind kind) override;
    void RunOnUiThread(const std::function<void()>& work) override;
    // On the UI thread: runs the work other threads have sent meanwhile.
    void ServiceUiWhileWaiting() override;
    void CloseSubDialogs() override { Log("close-dialogs"); }
    void HideMainWindow() override { Log("hide"); }
    bool InitDone() const override { return init_done; }
    void ShowKeyboardPresence(bool attached) override { Log(attached ? "keyboard present" : "no keyboard"); }
    void PostOpen() override { Log("open"); }
    bool AutoOpenSuppressed() const override { return auto_open_suppressed; }
    void SetAutoOpenSuppressed(bool suppressed) override { auto_open_suppressed = suppressed; }
    bool Confirm(std::u16string_view question) override;
    void RefreshKeyButtons() override { Log("refresh-keys"); }
    void SetCurrentProfile(int profile) override;
    void RefreshLightingPanel(bool with_key_view) override;
    void RestoreLightingPanelDefaults() override;
    GLayer CurrentLayer() const override { return GLayer::kA; }
    void BusyBegin() override { Log("busy-begin"); }
    void BusyEnd() override { Log("busy-end"); }
    bool Pending() const override { return pending; }
    void SetPending(bool on) override { pending = on; }
    std::filesystem::path Path() const override { return user_folder_; }

  private:
    struct Task {
        std::function<void()> work;
        bool done = false;
    };
    void Log(std::string event);
    void Loop();
    void RunTask(std::unique_lock<std::mutex>& lock, const std::shared_ptr<Task>& task);

    std::filesystem::path user_folder_;
    mutable std::mutex log_mutex_;
    std::vector<std::string> events_;
    std::mutex queue_mutex_;
    std::condition_variable queue_changed_;
    std::deque<std::shared_ptr<Task>> queue_;
    bool stopping_ = false;
    std::thread::id ui_id_;
    std::thread ui_;
};

}  // namespace kv::model::test
