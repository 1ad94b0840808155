#include "model/sync/busy_indicator.h"

#include <atomic>
#include <exception>

namespace kv::model {

namespace {
constexpr std::chrono::milliseconds kStopPoll{5};
}

class BusyIndicator::Session {
  public:
    std::thread thread;
    bool threaded = false;
    bool end_requested = false;  // guarded by the indicator's mutex
    std::atomic<bool> done{false};
};

BusyIndicator::BusyIndicator(BusyView& view, std::chrono::milliseconds hide_delay)
    : view_(view), hide_delay_(hide_delay) {}

BusyIndicator::~BusyIndicator() { Stop(); }

std::shared_ptr<BusyIndicator::Session> BusyIndicator::Begin() {
    auto session = std::make_shared<Session>();
    {
        std::lock_guard lock(mutex_);
        ReapLocked();
        if (!stopping_) {
            try {
                session->thread = std::thread([this, session] { Run(session); });
                session->threaded = true;
                sessions_.push_back(session);
            } catch (const std::exception&) {
                session->threaded = false;
            }
        }
    }
    if (!session->threaded) view_.BusyBegin();
    return session;
}

void BusyIndicator::End(const std::shared_ptr<Session>& session) {
    if (!session) return;
    if (!session->threaded) {
        if (!session->done.exchange(true)) view_.BusyEnd();
        return;
    }
    std::lock_guard lock(mutex_);
    session->end_requested = true;
    changed_.notify_all();
}

void BusyIndicator::Run(const std::shared_ptr<Session>& session) {
    try {
        view_.BusyBegin();
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return session->end_requested || stopping_; });
        changed_.wait_for(lock, hide_delay_, [&] { return stopping_; });
        lock.unlock();
        view_.BusyEnd();
    } catch (...) {
        // Nothing may leave a thread.
    }
    std::lock_guard lock(mutex_);
    session->done = true;
    changed_.notify_all();
}

void BusyIndicator::ReapLocked() {
    for (auto it = sessions_.begin(); it != sessions_.end();) {
        if ((*it)->done) {
            (*it)->thread.join();
            it = sessions_.erase(it);
        } else {
            ++it;
        }
    }
}

void BusyIndicator::Stop(const std::function<void()>& while_waiting) {
    std::list<std::shared_ptr<Session>> sessions;
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        changed_.notify_all();
        sessions.swap(sessions_);
    }
    for (const auto& session : sessions) {
        while (!session->done) {
            if (while_waiting) while_waiting();
            std::this_thread::sleep_for(kStopPoll);
        }
        session->thread.join();
    }
}

bool BusyIndicator::WaitIdle(std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [&] {
        for (const auto& session : sessions_) {
            if (!session->done) return false;
        }
        return true;
    });
}

}  // namespace kv::model
