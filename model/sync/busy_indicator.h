// The busy indicator Apply shows while it writes: each Apply gets a thread
// that shows the indicator, waits for the end of the Apply, lets it stay a
// moment longer and hides it. The threads end when their Apply has ended and
// are joined, at the latest at shutdown.
#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <thread>

#include "model/sync/sync_host.h"

namespace kv::model {

class BusyIndicator {
  public:
    class Session;

    BusyIndicator(BusyView& view, std::chrono::milliseconds hide_delay);
    ~BusyIndicator();  // Stop()
    BusyIndicator(const BusyIndicator&) = delete;
    BusyIndicator& operator=(const BusyIndicator&) = delete;

    // Shows the indicator from a new thread. When no thread can be had, the
    // indicator is shown and later hidden on the caller's thread instead.
    std::shared_ptr<Session> Begin();
    // Hides it after the delay (at once when the session has no thread).
    void End(const std::shared_ptr<Session>& session);

    // Ends every session (still hiding the indicator) and joins the threads,
    // calling while_waiting every few milliseconds meanwhile.
    void Stop(const std::function<void()>& while_waiting = {});
    // Waits until every session has hidden its indicator; false on time-out.
    bool WaitIdle(std::chrono::milliseconds timeout);

  private:
    void Run(const std::shared_ptr<Session>& session);
    void ReapLocked();

    BusyView& view_;
    const std::chrono::milliseconds hide_delay_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::list<std::shared_ptr<Session>> sessions_;
    bool stopping_ = false;
};

}  // namespace kv::model
