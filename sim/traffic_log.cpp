#include "sim/traffic_log.h"

#include <cstdio>

namespace kv::sim {

const char* ChannelName(Channel channel) {
    switch (channel) {
        case Channel::kVendor:
            return "vendor";
        case Channel::kConsumer:
            return "consumer";
        case Channel::kIndicator:
            return "indicator";
        case Channel::kUnknown:
            break;
    }
    return "unknown";
}

TrafficLog::TrafficLog(size_t capacity) : epoch_(std::chrono::steady_clock::now()), capacity_(capacity) {}

void TrafficLog::Add(std::chrono::steady_clock::time_point when, Direction direction, Channel channel,
                     std::span<const uint8_t> bytes) {
    if (!enabled_ || capacity_ == 0) return;
    if (entries_.size() == capacity_) entries_.pop_front();
    auto since = std::chrono::duration_cast<std::chrono::microseconds>(when - epoch_);
    entries_.push_back(TrafficEntry{since, direction, channel, {bytes.begin(), bytes.end()}});
}

std::string FormatTrafficEntry(const TrafficEntry& entry) {
    char head[64];
    std::snprintf(head, sizeof head, "%10.3f ms  %s %-9s", static_cast<double>(entry.time.count()) / 1000.0,
                  entry.direction == Direction::kToKeyboard ? "host>kbd" : "kbd>host",
                  ChannelName(entry.channel));
    std::string line = head;
    size_t shown = entry.bytes.size();
    while (shown > 8 && entry.bytes[shown - 1] == 0) --shown;
    for (size_t i = 0; i < shown; ++i) {
        char hex[4];
        std::snprintf(hex, sizeof hex, " %02X", entry.bytes[i]);
        line += hex;
    }
    if (shown < entry.bytes.size()) line += " ..";
    return line;
}

}  // namespace kv::sim
