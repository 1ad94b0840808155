#include "fake_host.h"

#include <algorithm>

namespace kv::model::test {

std::string Narrow(std::u16string_view text) {
    std::string out;
    for (char16_t c : text) out += c < 0x80 ? static_cast<char>(c) : '?';
    return out;
}

FakeHost::FakeHost(std::filesystem::path user_folder) : user_folder_(std::move(user_folder)) {
    ui_ = std::thread([this] { Loop(); });
    ui_id_ = ui_.get_id();
}

FakeHost::~FakeHost() {
    {
        std::lock_guard lock(queue_mutex_);
        stopping_ = true;
        queue_changed_.notify_all();
    }
    ui_.join();
}

void FakeHost::Loop() {
    std::unique_lock lock(queue_mutex_);
    for (;;) {
        queue_changed_.wait(lock, [&] { return stopping_ || !queue_.empty(); });
        if (stopping_) {
            // Senders are released; their work is dropped, as a gone window drops it.
            for (auto& task : queue_) task->done = true;
            queue_.clear();
            queue_changed_.notify_all();
            return;
        }
        std::shared_ptr<Task> task = queue_.front();
        queue_.pop_front();
        RunTask(lock, task);
    }
}

void FakeHost::RunTask(std::unique_lock<std::mutex>& lock, const std::shared_ptr<Task>& task) {
    lock.unlock();
    task->work();
    lock.lock();
    task->done = true;
    queue_changed_.notify_all();
}

void FakeHost::ServiceUiWhileWaiting() {
    if (!OnUiThread()) return;
    std::unique_lock lock(queue_mutex_);
    while (!queue_.empty()) {
        std::shared_ptr<Task> task = queue_.front();
        queue_.pop_front();
        RunTask(lock, task);
    }
}

size_t FakeHost::QueuedWork() {
    std::lock_guard lock(queue_mutex_);
    return queue_.size();
}

void FakeHost::Ui(const std::function<void()>& work) { RunOnUiThread(work); }

void FakeHost::RunOnUiThread(const std::function<void()>& work) {
    if (OnUiThread()) {
        work();
        return;
    }
    auto task = std::make_shared<Task>();
    task->work = work;
    std::unique_lock lock(queue_mutex_);
    if (stopping_) return;
    queue_.push_back(task);
    queue_changed_.notify_all();
    queue_changed_.wait(lock, [&] { return task->done; });
}

void FakeHost::Log(std::string event) {
    std::lock_guard lock(log_mutex_);
    events_.push_back(std::move(event));
}

std::vector<std::string> FakeHost::Events() const {
    std::lock_guard lock(log_mutex_);
    return events_;
}

void FakeHost::ClearEvents() {
    std::lock_guard lock(log_mutex_);
    events_.clear();
}

int FakeHost::Count(const std::string& event) const {
    std::lock_guard lock(log_mutex_);
    return static_cast<int>(std::count(events_.begin(), events_.end(), event));
}

void FakeHost::ShowMessage(std::u16string_view text, MessageKind kind) {
    Log("message " + Narrow(text) + (kind == MessageKind::kKeyboardWrite ? " keyboard-write" : " notice"));
}

bool FakeHost::Confirm(std::u16string_view question) {
    Log("confirm " + Narrow(question));
    if (while_asking) while_asking();
    return answer_yes;
}

void FakeHost::SetCurrentProfile(int profile) {
    current_profile = profile;
    Log("profile " + std::to_string(profile));
}

void FakeHost::RefreshLightingPanel(bool with_key_view) {
    Log(std::string("lighting-panel") + (with_key_view ? " key-view" : ""));
}

void FakeHost::RestoreLightingPanelDefaults() {
    Log("lighting-defaults");
    if (lighting_defaults) lighting_defaults();
}

}  // namespace kv::model::test
