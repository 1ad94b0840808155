#include "sim/dispatcher.h"

namespace kv::sim {

Dispatcher::Dispatcher() : thread_([this] { Run(); }) {}

Dispatcher::~Dispatcher() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

void Dispatcher::Post(Clock::time_point due, Task task) {
    bool earliest;
    {
        std::lock_guard lock(mutex_);
        earliest = queue_.empty() || due < queue_.top().due;
        queue_.push(Item{due, next_seq_++, std::move(task)});
    }
    if (earliest) wake_.notify_one();
}

bool Dispatcher::WaitIdle(std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    return idle_.wait_for(lock, timeout, [this] { return queue_.empty() && !running_task_; });
}

void Dispatcher::Run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        if (stopping_) break;
        if (queue_.empty()) {
            idle_.notify_all();
            wake_.wait(lock);
            continue;
        }
        Clock::time_point due = queue_.top().due;
        if (Clock::now() < due) {
            wake_.wait_until(lock, due);
            continue;
        }
        // priority_queue::top is const; the task is moved out before pop.
        Task task = std::move(const_cast<Item&>(queue_.top()).task);
        queue_.pop();
        running_task_ = true;
        lock.unlock();
        try {
            task();
        } catch (...) {
            // A task's failure must not end the library's thread.
        }
        lock.lock();
        running_task_ = false;
    }
    running_task_ = false;
    idle_.notify_all();
}

}  // namespace kv::sim
