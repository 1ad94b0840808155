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
}

void SubDialogs::CloseAll() {
    CloseForKeyboardGone();
    CloseIfOpen(update);
}

}  // namespace kv::ui
