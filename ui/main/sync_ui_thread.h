// The configuration sync's way onto the window's thread: work a sync thread
// hands over is run by the window's 'TR' / 'PROF' handler, one piece at a time.
#pragma once

#include <windows.h>

#include <functional>
#include <mutex>

#include "model/sync/sync_host.h"
#include "ui/main/main_context.h"

namespace kv::ui {

class SyncUiThread : public model::UiThread {
  public:
    // Constructed on the window's thread.
    explicit SyncUiThread(MainContext& context) : context_(context), thread_(GetCurrentThreadId()) {}

    bool Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool OnWindowThread() const { return GetCurrentThreadId() == thread_; }

    // model::UiThread
    void RunOnUiThread(const std::function<void()>& work) override;
    void ServiceUiWhileWaiting() override;

  private:
    LRESULT OnReload(WPARAM code, LPARAM);

    MainContext& context_;
    DWORD thread_;
    std::mutex sending_;
    std::mutex work_mutex_;
    const std::function<void()>* work_ = nullptr;
};

}  // namespace kv::ui
