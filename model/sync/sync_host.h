// What configuration sync needs from the main window, behind one portable
// interface. The Win32 main window implements it; tests use a fake with its
// own "user-interface thread".
//
// Threads: the read-back runs call RunOnUiThread, CloseSubDialogs,
// HideMainWindow, InitDone, SetTrayIcon, PostOpen and the auto-open flag from
// their own thread and never hold WorkingConfigLock while doing so. The busy indicator calls BusyBegin and
// BusyEnd from its own thread. Everything else is called on the user-interface thread.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string_view>

#include "model/keys/g_keys.h"
#include "model/message_sink.h"

namespace kv::model {

// Message-box flags and answers used here.
constexpr uint32_t kMessageYesNoDefaultNo = 0x104;  // Yes and No, No preselected
constexpr int kAnswerYes = 6;

// Tray icons that show whether a keyboard is attached.
constexpr int kTrayIconNoKeyboard = 128;
constexpr int kTrayIconKeyboard = 141;

class SyncHost : public MessageSink {
  public:
    // Runs work on the user-interface thread and returns once it has run (the
    // synchronous 'TR' with 'PROF'). When the window is gone the work may be
    // dropped; the caller copes with that.
    virtual void RunOnUiThread(const std::function<void()>& work) = 0;
    // While the user-interface thread waits for sync threads to end (shutdown),
    // this is called every few milliseconds on it: handle work that those
    // threads have sent (RunOnUiThread, window changes) so that they can finish.
    virtual void ServiceUiWhileWaiting() = 0;

    // The keyboard has gone: close every open sub-dialog ('GS'), then hide.
    virtual void CloseSubDialogs() = 0;
    virtual void HideMainWindow() = 0;
    // The main window has handled its initialisation message.
    virtual bool InitDone() const = 0;
    // Mode 0 with an icon id shows that icon as the presence icon.
    virtual void SetTrayIcon(int mode, int icon_id) = 0;
    // Posts 'SP' with 'OPEN', which shows the main window.
    virtual void PostOpen() = 0;
    virtual bool AutoOpenSuppressed() const = 0;
    virtual void SetAutoOpenSuppressed(bool suppressed) = 0;

    // A message box with buttons and a default button; returns the answer
    // (kAnswerYes for Yes). MessageSink::ShowMessage shows one with OK only.
    virtual int AskMessage(std::u16string_view text, uint32_t flags) = 0;

    // Key and G buttons from the working set's active profile; the caller
    // holds WorkingConfigLock.
    virtual void RefreshKeyButtons() = 0;
    // Selects profile button 0..2 and makes it the profile the window shows.
    virtual void SetCurrentProfile(int profile) = 0;
    // The lighting panel from the lighting model; with_key_view also the
    // per-key light view (the keyboard lists the per-key mode).
    virtual void RefreshLightingPanel(bool with_key_view) = 0;
    // The G-key layer the window shows and edits.
    virtual GLayer CurrentLayer() const = 0;

    // Busy indicator (picture and animation timer), from the indicator's thread.
    virtual void BusyBegin() = 0;
    virtual void BusyEnd() = 0;

    // The state behind the Apply button.
    virtual bool PendingChanges() const = 0;
    virtual void SetPendingChanges(bool pending) = 0;

    // The per-user folder that holds the working profile file.
    virtual std::filesystem::path UserFolder() const = 0;
};

}  // namespace kv::model
