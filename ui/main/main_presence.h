// The main window as the keyboard's coming and going affects it: closing the
// sub-dialogs and hiding when it goes, the tray icon, opening the window at
// the first attachment, and whether the initialisation has completed.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>

#include "model/sync/sync_host.h"
#include "ui/main/main_context.h"
#include "ui/main/main_tray.h"

namespace kv::ui {

class MainPresence : public model::WindowPresence {
  public:
    MainPresence(MainContext& context, MainTray& tray) : context_(context), tray_(tray) {}

    void SetInitDone(bool done) { init_done_ = done; }
    // Called, on the read-back thread, each time a run has found the keyboard;
    // set once, before the first read-back.
    void SetAttachListener(std::function<void()> listener) { on_attached_ = std::move(listener); }

    // model::WindowPresence, from read-back threads.
    void CloseSubDialogs() override;
    void HideMainWindow() override;
    bool InitDone() const override { return init_done_; }
    void ShowKeyboardPresence(bool attached) override;
    void PostOpen() override;
    bool AutoOpenSuppressed() const override { return context_.app.auto_open_suppressed; }
    void SetAutoOpenSuppressed(bool suppressed) override { context_.app.auto_open_suppressed = suppressed; }

  private:
    MainContext& context_;
    MainTray& tray_;
    std::atomic<bool> init_done_{false};
    std::function<void()> on_attached_;
};

}  // namespace kv::ui
