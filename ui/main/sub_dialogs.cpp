#include "ui/main/sub_dialogs.h"

namespace kv::ui {

namespace {

void CloseIfOpen(SubDialog* dialog) {
    if (dialog && dialog->IsOpen()) dialog->CloseIfOpen();
}

}  // namespace

void SubDialogs::CloseForKeyboardGone() {
    about_.Close();
    CloseIfOpen(profile_manager);
    CloseIfOpen(composite);
    // Its Backup and Update work on the working set and the keyboard, which are going.
    CloseIfOpen(update);
}

void SubDialogs::CloseAll() { CloseForKeyboardGone(); }

}  // namespace kv::ui
