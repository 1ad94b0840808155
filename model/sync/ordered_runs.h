// Jobs that each run on a thread of their own, strictly one after another in
// the order they were started, and that can all be stopped and joined: no
// thread outlives its owner. A read-back run started on a quick unplug and
// replug thus never overtakes the run before it.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <set>
#include <thread>

namespace kv::model {

class OrderedRuns {
  public:
    using Job = std::function<void()>;

    OrderedRuns() = default;
    // Stops and joins (without servicing anything while it waits).
    ~OrderedRuns();
    OrderedRuns(const OrderedRuns&) = delete;
    OrderedRuns& operator=(const OrderedRuns&) = delete;

    // Queues the job on a new thread. False when stopping or when no thread
    // can be created (the job is then dropped).
    bool Start(Job job);

    // From a job: sleeps, waking early when stopping; false when stopping.
    bool SleepFor(std::chrono::milliseconds duration);
    bool Stopping() const { return stopping_; }

    // Jobs not yet begun are dropped, running ones see Stopping() and wake
    // from SleepFor; later Starts are refused. Returns at once.
    void RequestStop();
    // RequestStop, then waits for
    // every thread, calling while_waiting (if any) every few milliseconds,
    // then joins them all. Later Starts are refused.
    void Stop(const std::function<void()>& while_waiting = {});

    // Waits until every job started so far has ended; false on time-out.
    bool WaitIdle(std::chrono::milliseconds timeout);

  private:
    struct Run {
        std::thread thread;
        std::shared_ptr<std::atomic<bool>> done;
    };

    void Body(uint64_t ticket, const Job& job);
    void AdvanceLocked();
    void ReapLocked();

    std::mutex mutex_;
    std::condition_variable changed_;
    std::list<Run> runs_;
    std::set<uint64_t> skipped_;  // tickets whose thread could not be created
    uint64_t next_ticket_ = 0;
    uint64_t now_serving_ = 0;
    std::atomic<bool> stopping_{false};
};

}  // namespace kv::model
