// The library's notification thread: runs posted tasks at their due time, in
// due order and, for equal times, in posting order.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <queue>
#include <thread>
#include <vector>

namespace kv::sim {

class Dispatcher {
  public:
    using Clock = std::chrono::steady_clock;
    using Task = std::function<void()>;

    Dispatcher();
    ~Dispatcher();  // drops tasks not yet due and joins the thread
    Dispatcher(const Dispatcher&) = delete;
    Dispatcher& operator=(const Dispatcher&) = delete;

    void Post(Clock::time_point due, Task task);
    bool OnDispatcherThread() const { return std::this_thread::get_id() == thread_.get_id(); }
    // Waits until no task is queued or running; false on time-out.
    bool WaitIdle(std::chrono::milliseconds timeout);

  private:
    struct Item {
        Clock::time_point due;
        uint64_t seq;
        Task task;
    };
    struct Later {
        bool operator()(const Item& a, const Item& b) const {
            return a.due != b.due ? a.due > b.due : a.seq > b.seq;
        }
    };

    void Run();

    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    std::priority_queue<Item, std::vector<Item>, Later> queue_;
    uint64_t next_seq_ = 0;
    bool running_task_ = false;
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace kv::sim
