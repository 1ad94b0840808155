// The units the library hands out: standing reads, which get every input and
// count change of their channel, and one-shot requests, which get nothing.
//
// Withdrawal is final: once Remove has returned, no callback of that unit runs,
// unless it is the one running on the calling thread (a callback may withdraw
// its own read). Remove therefore waits for a callback running on another
// thread; a caller must not withdraw a read whose callback is waiting for it.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <span>
#include <thread>
#include <vector>

#include "hidserv/HidServ.h"
#include "hidserv/hid/channel.h"

namespace kv::hidserv {

class StandingReads {
  public:
    // Unit ids are never 0 ("none" to callers).
    uint32_t AddRead(Channel channel, HidServCallback callback, uint32_t tag);
    uint32_t AddOneShot();
    // True when the unit existed.
    bool Remove(uint32_t unit);
    size_t ReadCount(Channel channel) const;

    // Kind 1 to every read of the channel. Vendor reads get the bytes as the
    // report pointer; consumer reads get them through the consumer block.
    void DeliverInput(Channel channel, std::span<const uint8_t> bytes);
    // Kind 0, count = attached keyboards, to every read of the channel.
    void DeliverCount(Channel channel, uint32_t count);

  private:
    struct Read {
        uint32_t unit = 0;
        Channel channel = Channel::kNone;
        HidServCallback callback = nullptr;
        uint32_t tag = 0;
        bool withdrawn = false;
        std::vector<std::thread::id> running;  // threads inside the callback now
    };

    uint32_t NextUnitLocked();
    std::vector<std::shared_ptr<Read>> ReadsOf(Channel channel) const;
    void Call(Read& read, const NotificationRecord& record);
    static bool RunningElsewhere(const Read& read);

    mutable std::mutex mutex_;
    std::condition_variable finished_;
    std::map<uint32_t, std::shared_ptr<Read>> reads_;
    std::set<uint32_t> one_shots_;
    uint32_t next_unit_ = 1;
};

}  // namespace kv::hidserv
