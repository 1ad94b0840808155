// Recording macros from the keyboard: the Record button, the record-delays
// option and, while recording, the sink of the keyboard hooks, which turns
// keystrokes into rows of the action list.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "ui/dialogs/composite/action_list.h"
#include "ui/dialogs/composite/composite_context.h"
#include "ui/dialogs/composite/key_events.h"
#include "ui/dialogs/composite/keyboard_hooks.h"
#include "ui/dialogs/composite/macro_page.h"
#include "ui/kit/png_button.h"

namespace kv::ui {

class MacroRecording : public KeyHookSink {
  public:
    MacroRecording(CompositeContext& context, KeyboardHooks& hooks, ActionList& actions, MacroPage& macros)
        : context_(context), hooks_(hooks), actions_(actions), macros_(macros) {}

    void Attach(HWND dialog, const std::wstring& skinFile);
    // Reads the record-delays option, ticks its box and writes it back normalised.
    void LoadOption();
    void ApplyTexts();
    void EnableButton(bool on);

    bool Recording() const { return recorder_.Recording(); }
    // False, with the message shown, when the hooks cannot be installed.
    bool Start();
    void Stop();

    bool OnThreadKey(WPARAM vk, LPARAM flags) override;
    bool OnLowLevelKey(WPARAM message, const KBDLLHOOKSTRUCT& event) override;

    bool Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // After the window is gone.
    void Release();

  private:
    void OnRecord(WORD);
    void OnOption(WORD);
    void Insert(const composite::RecordVerdict& verdict);
    std::wstring OptionName() const;
    void ShowRecording(bool on);

    CompositeContext& context_;
    KeyboardHooks& hooks_;
    ActionList& actions_;
    MacroPage& macros_;
    composite::MacroRecorder recorder_;
    HWND dialog_ = nullptr;
    std::unique_ptr<CPngButton> button_;
    bool record_delays_ = false;
};

}  // namespace kv::ui
