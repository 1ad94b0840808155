// What the main window needs of every sub-dialog it owns for the whole run:
// whether it is open, and a way to close it when the keyboard goes ('GS') or
// the program ends.
#pragma once

namespace kv::ui {

class SubDialog {
  public:
    virtual ~SubDialog() = default;
    virtual bool IsOpen() const = 0;
    // Only ends the dialog's loop, as Cancel would; the dialog cleans up once
    // its loop has returned, never under a handler that is still running.
    virtual void CloseIfOpen() = 0;
};

}  // namespace kv::ui
