// The single-key page: the box that shows the captured key, the keyboard and
// mouse choices and the mouse list. While the page is shown the keyboard
// hooks hand it every keystroke (KeyHookSink).
#pragma once

#include <windows.h>

#include "model/assign/key_assignment.h"
#include "model/keys/key_code.h"
#include "ui/dialogs/composite/composite_context.h"
#include "ui/dialogs/composite/keyboard_hooks.h"

namespace kv::ui {

class KeyPage : public KeyHookSink {
  public:
    explicit KeyPage(CompositeContext& context) : context_(context) {}

    void Attach(HWND dialog, const std::wstring& skinFile);
    // A box shows one line at its top: this one is made as tall as its text
    // and centred on the field the skin draws.
    void CentreKeyBox();
    // The mouse list's entries and the labels, in the current language.
    void ApplyTexts();

    // Each opening: the stored key (a key entry only) and no mouse choice.
    void Reset(const model::KeyAssignment& stored);
    // The page is shown; `kind` is the dialog's kind.
    void Enter(uint16_t kind);
    // Clear: no key, the keyboard choice.
    void Clear();

    bool MouseChoice() const { return mouse_choice_; }
    model::KeyCode CapturedKey() const { return captured_; }
    int MouseRow() const;

    bool OnThreadKey(WPARAM vk, LPARAM flags) override;
    bool OnLowLevelKey(WPARAM message, const KBDLLHOOKSTRUCT& event) override;

    bool Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

  private:
    void OnKeyboardChoice(WORD);
    void OnMouseChoice(WORD);
    void OnMouseListChanged(WORD);
    void ShowChoice(bool mouse);
    void Take(model::KeyCode code);
    void ShowKey();

    CompositeContext& context_;
    HWND dialog_ = nullptr;
    model::KeyCode captured_ = 0;
    bool mouse_choice_ = false;
};

}  // namespace kv::ui
