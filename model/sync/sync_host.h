// What configuration sync needs from the program around it, as small roles
// that say what they mean: the Win32 side decides how each looks (message-box
// flags, tray icon ids, window messages). Tests give one fake for all roles.
//
// Threads: read-back runs call UiThread, WindowPresence and the auto-open flag
// from their own thread and never hold WorkingConfigLock while doing so. The
// busy indicator calls BusyView from its own thread. Everything else is called
// on the user-interface thread.
#pragma once

#include <filesystem>
#include <functional>
#include <string_view>

#include "model/keys/g_keys.h"
#include "model/message_sink.h"

namespace kv::model {

// The user-interface thread as other threads reach it.
class UiThread {
  public:
    virtual ~UiThread() = default;
    // Runs work on the user-interface thread and returns once it has run (the
    // synchronous 'TR' with 'PROF'). When the window is gone the work may be
    // dropped; the caller copes with that.
    virtual void RunOnUiThread(const std::function<void()>& work) = 0;
    // While the user-interface thread waits for sync threads to end (shutdown),
    // this is called every few milliseconds on it: handle work that those
    // threads have sent (RunOnUiThread, window changes) so that they can finish.
    virtual void ServiceUiWhileWaiting() = 0;
};

// The main window as the keyboard's coming and going affects it.
class WindowPresence {
  public:
    virtual ~WindowPresence() = default;
    // The keyboard has gone: close every open sub-dialog ('GS'), then hide.
    virtual void CloseSubDialogs() = 0;
    virtual void HideMainWindow() = 0;
    // The main window has handled its initialisation message.
    virtual bool InitDone() const = 0;
    // Whether a keyboard is attached, for the tray icon.
    virtual void ShowKeyboardPresence(bool attached) = 0;
    // Posts 'SP' with 'OPEN', which shows the main window.
    virtual void PostOpen() = 0;
    virtual bool AutoOpenSuppressed() const = 0;
    virtual void SetAutoOpenSuppressed(bool suppressed) = 0;
};

// Messages and questions for the user.
class Prompts : public MessageSink {
  public:
    // A Yes/No question with No preselected; true for Yes.
    virtual bool Confirm(std::u16string_view question) = 0;
};

// The keyboard picture: key, G and profile buttons.
class KeyButtonsView {
  public:
    virtual ~KeyButtonsView() = default;
    // Key and G buttons from the working set's active profile; the caller
    // holds WorkingConfigLock.
    virtual void RefreshKeyButtons() = 0;
    // Selects profile button 0..2 and makes it the profile the window shows.
    virtual void SetCurrentProfile(int profile) = 0;
    // The G-key layer the window shows and edits.
    virtual GLayer CurrentLayer() const = 0;
};

// The lighting panel.
class LightingView {
  public:
    virtual ~LightingView() = default;
    // The panel from the lighting model; with_key_view also the per-key light
    // view (the keyboard lists the per-key mode).
    virtual void RefreshLightingPanel(bool with_key_view) = 0;
    // Default with the panel switched on: the keyboard's lighting defaults
    // written and shown (mode 1, sliders, report rate, the default key maps).
    virtual void RestoreLightingPanelDefaults() = 0;
};

// The busy indicator (picture and animation), from the indicator's thread.
class BusyView {
  public:
    virtual ~BusyView() = default;
    virtual void BusyBegin() = 0;
    virtual void BusyEnd() = 0;
};

// The state behind the Apply button.
class PendingChanges {
  public:
    virtual ~PendingChanges() = default;
    virtual bool Pending() const = 0;
    virtual void SetPending(bool pending) = 0;
};

// The per-user folder that holds the working profile file.
class UserFolder {
  public:
    virtual ~UserFolder() = default;
    virtual std::filesystem::path Path() const = 0;
};

// The roles sync works with; each object must outlive the sync.
struct SyncHost {
    UiThread& ui;
    WindowPresence& window;
    Prompts& prompts;
    KeyButtonsView& keys;
    LightingView& lighting;
    BusyView& busy;
    PendingChanges& pending;
    const UserFolder& folder;
};

}  // namespace kv::model
