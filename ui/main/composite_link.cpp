#include "ui/main/composite_link.h"

#include <mutex>

#include "ui/main/keyboard_map.h"
#include "ui/main/main_commands.h"
#include "ui/main/main_window_messages.h"

namespace kv::ui {

CompositeLink::CompositeLink(MainContext& context, KeyboardMap& keyboard, MainCommands& commands)
    : context_(context),
      keyboard_(keyboard),
      commands_(commands),
      dialog_(*this, context.app.paths.module_folder) {}

bool CompositeLink::Route(UINT message, WPARAM, LPARAM, LRESULT& result) {
    if (message != kMsgLiveKeyHooks) return false;
    result = KeyboardHooks::LiveHooks();
    return true;
}

void CompositeLink::ForwardLanguage(WPARAM code, LPARAM index) {
    if (dialog_.IsOpen() && dialog_.hwnd())
        SendMessageW(dialog_.hwnd(), kCompositeLanguageMessage, code, index);
}

// The keyboard's active profile; the profile the window shows when the
// keyboard names none, so that the dialog always edits one of the three.
int CompositeLink::ActiveProfile() const {
    const int active = keyboard_.ActiveProfile();
    return active >= 0 ? active : keyboard_.CurrentProfile();
}

model::GLayer CompositeLink::CurrentLayer() const { return keyboard_.CurrentLayer(); }

void CompositeLink::ShowButtonHover(int controlId, bool on) {
    if (CPngButton* button = keyboard_.ButtonOf(controlId)) button->HoldHover(on);
}

RECT CompositeLink::ButtonScreenRect(int controlId) const {
    RECT rect{};
    if (HWND button = context_.Item(controlId)) GetWindowRect(button, &rect);
    return rect;
}

void CompositeLink::RefreshAssignmentButtons() {
    std::lock_guard lock(context_.app.sets.WorkingConfigLock());
    keyboard_.RefreshKeyButtons();
}

void CompositeLink::SetPendingChanges() { commands_.SetPending(true); }

}  // namespace kv::ui
