#include "hidserv/hid/standing_reads.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace kv::hidserv {

uint32_t StandingReads::NextUnitLocked() {
    for (;;) {
        const uint32_t unit = next_unit_++;
        if (unit != 0 && !reads_.contains(unit) && !one_shots_.contains(unit)) return unit;
    }
}

uint32_t StandingReads::AddRead(Channel channel, HidServCallback callback, uint32_t tag) {
    std::lock_guard lock(mutex_);
    auto read = std::make_shared<Read>();
    read->unit = NextUnitLocked();
    read->channel = channel;
    read->callback = callback;
    read->tag = tag;
    reads_[read->unit] = read;
    return read->unit;
}

uint32_t StandingReads::AddOneShot() {
    std::lock_guard lock(mutex_);
    const uint32_t unit = NextUnitLocked();
    one_shots_.insert(unit);
    return unit;
}

bool StandingReads::RunningElsewhere(const Read& read) {
    const auto self = std::this_thread::get_id();
    return std::any_of(read.running.begin(), read.running.end(), [&](auto id) { return id != self; });
}

bool StandingReads::Remove(uint32_t unit) {
    std::unique_lock lock(mutex_);
    if (one_shots_.erase(unit) > 0) return true;
    auto it = reads_.find(unit);
    if (it == reads_.end()) return false;
    std::shared_ptr<Read> read = it->second;
    reads_.erase(it);
    read->withdrawn = true;
    finished_.wait(lock, [&] { return !RunningElsewhere(*read); });
    return true;
}

size_t StandingReads::ReadCount(Channel channel) const { return ReadsOf(channel).size(); }

std::vector<std::shared_ptr<StandingReads::Read>> StandingReads::ReadsOf(Channel channel) const {
    std::lock_guard lock(mutex_);
    std::vector<std::shared_ptr<Read>> found;
    for (const auto& [unit, read] : reads_)
        if (read->channel == channel) found.push_back(read);
    return found;
}

void StandingReads::Call(Read& read, const NotificationRecord& record) {
    const auto self = std::this_thread::get_id();
    {
        std::lock_guard lock(mutex_);
        if (read.withdrawn) return;
        read.running.push_back(self);
    }
    try {
        read.callback(&record);
    } catch (...) {
        // The caller's callback must not take the library's thread down with it.
    }
    std::lock_guard lock(mutex_);
    read.running.erase(std::find(read.running.begin(), read.running.end(), self));
    finished_.notify_all();
}

// The records live on this thread's stack for the callbacks' duration.
void StandingReads::DeliverInput(Channel channel, std::span<const uint8_t> bytes) {
    const uint8_t* report = bytes.data();
    std::array<uint8_t, HIDSERV_CONSUMER_BLOCK_SIZE> block{};
    std::memcpy(block.data() + HIDSERV_CONSUMER_DATA_OFFSET, &report, sizeof report);
    for (const auto& read : ReadsOf(channel)) {
        RequestRecord request{read->tag, static_cast<uint32_t>(bytes.size()), nullptr, nullptr};
        if (channel == Channel::kConsumer)
            request.consumer_block = block.data();
        else
            request.data = report;
        const NotificationRecord record{HIDSERV_KIND_INPUT, 0, &request};
        Call(*read, record);
    }
}

void StandingReads::DeliverCount(Channel channel, uint32_t count) {
    for (const auto& read : ReadsOf(channel)) {
        const RequestRecord request{read->tag, count, nullptr, nullptr};
        const NotificationRecord record{HIDSERV_KIND_COUNT, 0, &request};
        Call(*read, record);
    }
}

}  // namespace kv::hidserv
