// The main window's side of the key assignment dialog: the dialog itself,
// owned for the whole run, and what it needs from the window (the working
// set, the active profile and layer, the key buttons, Apply, help).
#pragma once

#include <windows.h>

#include "ui/dialogs/composite/composite_dialog.h"
#include "ui/dialogs/composite/composite_host.h"
#include "ui/main/main_context.h"

namespace kv::ui {

class KeyboardMap;
class MainCommands;

class CompositeLink : private CompositeHost {
  public:
    CompositeLink(MainContext& context, KeyboardMap& keyboard, MainCommands& commands);

    Kelvarin_DlgComposite& Dialog() { return dialog_; }

    // Start-up, after the window's own images: false when a picture is missing.
    bool LoadPictures() { return dialog_.LoadPictures(); }
    // A key or G button's click (1143 also for the macro button).
    void SelectKey(int controlId) { dialog_.SelectKey(controlId); }
    // kMsgLiveKeyHooks.
    bool Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // 'PA' on to the open dialog.
    void ForwardLanguage(WPARAM code, LPARAM index);

  private:
    // CompositeHost
    HWND OwnerWindow() const override { return context_.hwnd; }
    model::ConfigSets& Sets() override { return context_.app.sets; }
    int ActiveProfile() const override;
    model::GLayer CurrentLayer() const override;
    const model::TextSource& Texts() const override { return context_.texts; }
    const app::ProfileValues& ProfileValues() const override { return context_.app.profile_values; }
    void ShowButtonHover(int controlId, bool on) override;
    RECT ButtonScreenRect(int controlId) const override;
    void RefreshAssignmentButtons() override;
    void SetPendingChanges() override;
    void OpenHelp() override { context_.window.OpenHelp(); }

    MainContext& context_;
    KeyboardMap& keyboard_;
    MainCommands& commands_;
    Kelvarin_DlgComposite dialog_;
};

}  // namespace kv::ui
