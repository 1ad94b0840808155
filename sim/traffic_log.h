// Every report that crosses the simulated bus, both ways, newest last.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <span>
#include <string>
#include <vector>

namespace kv::sim {

enum class Channel : uint8_t { kVendor, kConsumer, kIndicator, kUnknown };
enum class Direction : uint8_t { kToKeyboard, kToHost };

struct TrafficEntry {
    std::chrono::microseconds time{0};  // since the log's epoch
    Direction direction = Direction::kToKeyboard;
    Channel channel = Channel::kVendor;
    std::vector<uint8_t> bytes;
};

const char* ChannelName(Channel channel);

class TrafficLog {
  public:
    explicit TrafficLog(size_t capacity = 8192);

    void SetEnabled(bool on) { enabled_ = on; }
    bool Enabled() const { return enabled_; }
    void Add(std::chrono::steady_clock::time_point when, Direction direction, Channel channel,
             std::span<const uint8_t> bytes);
    void Clear() { entries_.clear(); }
    const std::deque<TrafficEntry>& Entries() const { return entries_; }

  private:
    std::chrono::steady_clock::time_point epoch_;
    size_t capacity_;
    bool enabled_ = true;
    std::deque<TrafficEntry> entries_;
};

// "    12.345 ms  host>kbd vendor   04 2D 00 01 ..." (trailing zero bytes folded as "..").
std::string FormatTrafficEntry(const TrafficEntry& entry);

}  // namespace kv::sim
