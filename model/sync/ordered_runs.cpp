#include "model/sync/ordered_runs.h"

#include <system_error>

namespace kv::model {

namespace {
constexpr std::chrono::milliseconds kStopPoll{5};
}

OrderedRuns::~OrderedRuns() { Stop(); }

bool OrderedRuns::Start(Job job) {
    std::lock_guard lock(mutex_);
    if (stopping_) return false;
    ReapLocked();
    const uint64_t ticket = next_ticket_++;
    auto done = std::make_shared<std::atomic<bool>>(false);
    try {
        std::thread thread([this, ticket, done, job = std::move(job)] {
            Body(ticket, job);
            *done = true;
        });
        runs_.push_back({std::move(thread), std::move(done)});
        return true;
    } catch (const std::exception&) {  // system_error or bad_alloc
        skipped_.insert(ticket);
        AdvanceLocked();
        changed_.notify_all();
        return false;
    }
}

void OrderedRuns::Body(uint64_t ticket, const Job& job) {
    {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return now_serving_ == ticket || stopping_; });
        if (stopping_) return;
    }
    try {
        job();
    } catch (...) {
        // Nothing may leave a thread; the next run goes on regardless.
    }
    std::lock_guard lock(mutex_);
    ++now_serving_;
    AdvanceLocked();
    changed_.notify_all();
}

void OrderedRuns::AdvanceLocked() {
    while (skipped_.erase(now_serving_) > 0) ++now_serving_;
}

void OrderedRuns::ReapLocked() {
    for (auto it = runs_.begin(); it != runs_.end();) {
        if (*it->done) {
            it->thread.join();
            it = runs_.erase(it);
        } else {
            ++it;
        }
    }
}

bool OrderedRuns::SleepFor(std::chrono::milliseconds duration) {
    std::unique_lock lock(mutex_);
    changed_.wait_for(lock, duration, [&] { return stopping_.load(); });
    return !stopping_;
}

void OrderedRuns::RequestStop() {
    std::lock_guard lock(mutex_);
    stopping_ = true;
    changed_.notify_all();
}

void OrderedRuns::Stop(const std::function<void()>& while_waiting) {
    RequestStop();
    std::list<Run> runs;
    {
        std::lock_guard lock(mutex_);
        runs.swap(runs_);
    }
    for (Run& run : runs) {
        while (!*run.done) {
            if (while_waiting) while_waiting();
            std::this_thread::sleep_for(kStopPoll);
        }
        run.thread.join();
    }
}

bool OrderedRuns::WaitIdle(std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [&] { return now_serving_ == next_ticket_ || stopping_; });
}

}  // namespace kv::model
