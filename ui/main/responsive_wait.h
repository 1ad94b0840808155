// The window's thread while it waits on the keyboard (a reply, or another
// thread's exchange): the windows keep painting and the busy animation keeps
// turning, input to the program's windows is dropped, and everything else
// stays queued until the exchange is over. Whatever reaches the window while
// the wait pumps (a message sent from another thread or process) must not
// start anything: the handlers ask Pumping() and put their work off.
#pragma once

#include <windows.h>

#include <chrono>

#include "device/transact.h"

namespace kv::ui {

class ResponsiveWait : public device::WaitHook {
  public:
    // Constructed on the window's thread; waits on other threads are left alone.
    ResponsiveWait() : thread_(GetCurrentThreadId()) {}
    // The main window, whose busy indicator and animation go on; until then nothing is pumped.
    void SetWindow(HWND window) { window_ = window; }

    // device::WaitHook
    void WhileWaiting() override;

    bool Pumping() const { return pumping_; }

    // Longest a wait goes without a turn.
    static constexpr std::chrono::milliseconds kInterval{10};

  private:
    void Pump();

    HWND window_ = nullptr;
    DWORD thread_;
    std::chrono::steady_clock::time_point last_{};
    bool pumping_ = false;
};

}  // namespace kv::ui
