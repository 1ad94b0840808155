// The about box: a plain modeless dialog, at most one at a time.
#pragma once

#include <windows.h>

namespace kv::ui {

class CAboutDlg {
  public:
    explicit CAboutDlg(HINSTANCE instance) : instance_(instance) {}
    ~CAboutDlg() { Close(); }
    CAboutDlg(const CAboutDlg&) = delete;
    CAboutDlg& operator=(const CAboutDlg&) = delete;

    // Refused while the box is open.
    void Open(HWND owner);
    void Close();
    bool IsOpen() const { return hwnd_ != nullptr; }

  private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

    HINSTANCE instance_;
    HWND hwnd_ = nullptr;
};

}  // namespace kv::ui
