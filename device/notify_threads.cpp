// The notifier's life across threads: the library callback that reaches it, and
// the short-lived threads that change the tray icon.
#include <chrono>
#include <condition_variable>

#include "device/notify.h"

namespace kv::device {

namespace {

constexpr auto kTrayPoll = std::chrono::milliseconds(1);

// Which notifier the library's callback reaches, and how many callbacks are inside it.
struct CallbackRegistry {
    std::mutex mutex;
    std::condition_variable left;
    Notifier* current = nullptr;
    int in_flight = 0;
};

// Never destroyed: a library thread may still call in while the process exits.
CallbackRegistry& Registry() {
    static auto* registry = new CallbackRegistry;
    return *registry;
}

// Callbacks running on this thread, so a callback that reinstalls does not wait for itself.
thread_local int tls_callback_depth = 0;

void WaitForCallbacks(CallbackRegistry& registry, std::unique_lock<std::mutex>& lock) {
    registry.left.wait(lock, [&] { return registry.in_flight <= tls_callback_depth; });
}

}  // namespace

int Notifier::Callback(const NotificationRecord* record) {
    CallbackRegistry& registry = Registry();
    Notifier* notifier = nullptr;
    {
        std::lock_guard lock(registry.mutex);
        notifier = registry.current;
        if (notifier == nullptr) return 1;
        ++registry.in_flight;
    }
    ++tls_callback_depth;
    notifier->OnDeviceNotification(record);  // never throws
    --tls_callback_depth;
    {
        std::lock_guard lock(registry.mutex);
        --registry.in_flight;
    }
    registry.left.notify_all();
    return 1;
}

void Notifier::Install(Notifier* notifier) {
    CallbackRegistry& registry = Registry();
    std::unique_lock lock(registry.mutex);
    WaitForCallbacks(registry, lock);
    registry.current = notifier;
}

Notifier::~Notifier() {
    {
        CallbackRegistry& registry = Registry();
        std::unique_lock lock(registry.mutex);
        if (registry.current == this) {
            WaitForCallbacks(registry, lock);
            registry.current = nullptr;
        }
    }
    stopping_ = true;
    std::list<TrayThread> threads;
    {
        std::lock_guard lock(tray_mutex_);
        threads.swap(tray_threads_);
    }
    for (TrayThread& t : threads) t.thread.join();
}

void Notifier::QueueBusyChange(bool busy) {
    std::lock_guard lock(tray_mutex_);
    if (stopping_) return;
    // Reap the threads that are done, so a long run does not collect them.
    for (auto it = tray_threads_.begin(); it != tray_threads_.end();) {
        if (it->done->load()) {
            it->thread.join();
            it = tray_threads_.erase(it);
        } else {
            ++it;
        }
    }
    const uint64_t ticket = tray_next_ticket_;
    auto done = std::make_shared<std::atomic<bool>>(false);
    tray_threads_.push_back(TrayThread{std::thread(), done});
    try {
        tray_threads_.back().thread = std::thread([this, ticket, busy, done] {
            RunBusyChange(ticket, busy);
            done->store(true);
        });
    } catch (...) {
        tray_threads_.pop_back();
        return;  // no thread, no ticket taken: the icon simply stays as it is
    }
    ++tray_next_ticket_;
}

void Notifier::RunBusyChange(uint64_t ticket, bool busy) {
    while (tray_now_serving_.load() != ticket) std::this_thread::sleep_for(kTrayPoll);
    if (!stopping_) {
        try {
            sink_.KeyboardBusy(busy);
        } catch (...) {
            // A failed icon change must not end the process or stall the queue.
        }
        std::this_thread::sleep_for(kTrayPoll);
    }
    tray_now_serving_.fetch_add(1);
}

}  // namespace kv::device
