#include "sim/sim_service.h"

#include <cstring>

#include "sim/guard.h"

namespace kv::sim {
namespace {

using namespace kv::device;

Channel ChannelOf(const DeviceSelector& s) {
    static constexpr uint8_t kZero[4] = {};
    if (s.size_tag != HIDSERV_SELECTOR_TAG || s.vendor_id != HIDSERV_VENDOR_ID ||
        s.product_id != HIDSERV_PRODUCT_ID || std::memcmp(s.reserved, kZero, sizeof kZero) != 0)
        return Channel::kUnknown;
    if (s.usage_page == HIDSERV_PAGE_VENDOR && s.usage == HIDSERV_USAGE_VENDOR) return Channel::kVendor;
    if (s.usage_page == HIDSERV_PAGE_CONSUMER && s.usage == HIDSERV_USAGE_CONSUMER) return Channel::kConsumer;
    if (s.usage_page == HIDSERV_PAGE_INDICATOR && s.usage == HIDSERV_USAGE_INDICATOR)
        return Channel::kIndicator;
    return Channel::kUnknown;
}

constexpr uint32_t kConsumerReportSize = 2;

}  // namespace

SimHidService::SimHidService(SimOptions options)
    : keyboard_(KeyboardMemory::Factory(options.macro_units)),
      timing_on_(options.usb_timing),
      plugged_(options.plugged) {
    log_.SetEnabled(options.traffic_log);
    if (!options.state_file.empty()) UseStateFile(options.state_file);
}

SimHidService::~SimHidService() = default;

int SimHidService::Init(int) { return 1; }

Channel SimHidService::Accept(const DeviceSelector* selector, HidServCallback callback, uint32_t tag,
                              const uint8_t* data, uint32_t length, uint32_t check) const {
    if (!selector || (length > 0 && !data)) return Channel::kUnknown;
    if (HidServRequestCheck(selector, callback, tag, data, length) != check) return Channel::kUnknown;
    return ChannelOf(*selector);
}

int SimHidService::RequestGetDeviceCount(const DeviceSelector* selector, HidServCallback callback,
                                         uint32_t tag, uint32_t check, uint32_t*) {
    return Guard(
        [&] {
            if (Accept(selector, callback, tag, nullptr, 0, check) == Channel::kUnknown) return 0;
            std::lock_guard lock(mutex_);
            return plugged_ ? 1 : 0;
        },
        0);
}

int SimHidService::RequestWriteOne(const DeviceSelector* selector, HidServCallback callback, uint32_t tag,
                                   const uint8_t* data, uint32_t length, uint32_t check, uint32_t*) {
    return Guard(
        [&] {
            if (length != kReportSize) return 0;
            if (Accept(selector, callback, tag, data, length, check) != Channel::kVendor) return 0;
            return WriteReport(data);
        },
        0);
}

int SimHidService::WriteReport(const uint8_t* data) {
    std::lock_guard lock(mutex_);
    if (!plugged_) return 0;
    Clock::time_point now = Clock::now();
    std::span<const uint8_t> request(data, kReportSize);
    log_.Add(now, Direction::kToKeyboard, Channel::kVendor, request);
    ++reports_written_;

    FaultDecision fault = faults_.Next();
    Clock::time_point due = now + fault.latency;
    if (timing_on_) {
        int64_t out = timing_.ClaimOut(now);
        if (fault.reply) due = timing_.ClaimIn(out + 1 + UsbTiming::FramesFor(fault.latency));
    }

    Report reply{};
    if (fault.reach_keyboard) {
        if (fault.refuse) {
            reply = Keyboard::StatusReply(request, fault.status);
        } else {
            Outcome outcome = keyboard_.Handle(request);
            if (outcome.kind == Outcome::Kind::kUpdateMode) {
                // The keyboard restarts into its loader and leaves the bus.
                update_mode_ = true;
                SetPluggedLocked(false);
                return 1;
            }
            reply = outcome.reply;
            dirty_ = dirty_ || outcome.memory_changed;
            SaveIfSettledLocked();
        }
        if (fault.wrong_code) {
            reply[kFieldCommand] ^= 0x40;
            uint16_t sum = ReportSum(reply);
            reply[kFieldChecksumLo] = static_cast<uint8_t>(sum);
            reply[kFieldChecksumHi] = static_cast<uint8_t>(sum >> 8);
        }
    }
    const bool replies = fault.reach_keyboard && fault.reply;
    if (replies) {
        uint64_t generation = generation_;
        const bool unplug = fault.unplug_after_reply;
        dispatcher_.Post(due, [this, generation, reply, unplug] {
            DeliverInput(Channel::kVendor, generation, reply, kReportSize, unplug);
        });
    }
    if (fault.unplug_after_reply && !replies) ScheduleUnplug(due);
    return 1;
}

int SimHidService::RequestAsyncRead(const DeviceSelector* selector, HidServCallback callback, uint32_t tag,
                                    uint32_t check, uint32_t* unit_out) {
    return Guard(
        [&] {
            Channel channel = Accept(selector, callback, tag, nullptr, 0, check);
            if (channel == Channel::kUnknown || !callback) return 0;
            std::lock_guard lock(mutex_);
            uint32_t unit = NewUnitLocked(Unit{channel, callback, tag, true});
            if (unit_out) *unit_out = unit;
            return 1;
        },
        0);
}

int SimHidService::RequestStatusWrite(const DeviceSelector* selector, HidServCallback callback, uint32_t tag,
                                      const uint8_t* data, uint32_t length, uint32_t check,
                                      uint32_t* unit_out) {
    return Guard(
        [&] {
            if (length == 0 || length > kReportSize) return 0;
            if (Accept(selector, callback, tag, data, length, check) != Channel::kIndicator) return 0;
            std::lock_guard lock(mutex_);
            if (!plugged_) return 0;
            Clock::time_point now = Clock::now();
            if (timing_on_) timing_.ClaimOut(now);
            log_.Add(now, Direction::kToKeyboard, Channel::kIndicator,
                     std::span<const uint8_t>(data, length));
            indicator_ = {};
            std::memcpy(indicator_.data(), data, std::min<size_t>(length, indicator_.size()));
            uint32_t unit = NewUnitLocked(Unit{Channel::kIndicator, callback, tag, false});
            if (unit_out) *unit_out = unit;
            return 1;
        },
        0);
}

int SimHidService::DeleteRequestFromUnitId(uint32_t unit) {
    return Guard(
        [&] {
            std::lock_guard lock(mutex_);
            return units_.erase(unit) > 0 ? 1 : 0;
        },
        0);
}

uint32_t SimHidService::NewUnitLocked(const Unit& unit) {
    uint32_t id = next_unit_++;
    if (next_unit_ == 0) next_unit_ = 1;  // 0 means "none" to callers
    units_[id] = unit;
    return id;
}

std::vector<SimHidService::Listener> SimHidService::ListenersLocked(Channel channel) const {
    std::vector<Listener> listeners;
    for (const auto& [id, unit] : units_)
        if (unit.standing_read && (channel == Channel::kUnknown || unit.channel == channel))
            listeners.push_back(Listener{unit.callback, unit.tag});
    return listeners;
}

// Library thread. The records live on this stack for the callbacks' duration.
void SimHidService::DeliverInput(Channel channel, uint64_t generation, const Report& bytes, uint32_t count,
                                 bool unplug_after) {
    std::vector<Listener> listeners;
    {
        std::lock_guard lock(mutex_);
        if (generation != generation_ || !plugged_) return;
        log_.Add(Clock::now(), Direction::kToHost, channel, std::span<const uint8_t>(bytes.data(), count));
        listeners = ListenersLocked(channel);
        // Gone before the host can see the reply: its next report finds no
        // keyboard, however quickly it follows.
        if (unplug_after) SetPluggedLocked(false);
    }
    Report data = bytes;
    std::array<uint8_t, HIDSERV_CONSUMER_BLOCK_SIZE> block{};
    const uint8_t* report = data.data();
    std::memcpy(block.data() + HIDSERV_CONSUMER_DATA_OFFSET, &report, sizeof report);
    for (const Listener& listener : listeners) {
        RequestRecord request{listener.tag, count, nullptr, nullptr};
        if (channel == Channel::kConsumer)
            request.consumer_block = block.data();
        else
            request.data = data.data();
        NotificationRecord record{HIDSERV_KIND_INPUT, 0, &request};
        listener.callback(&record);
    }
}

void SimHidService::SetPluggedLocked(bool plugged) {
    if (plugged_ == plugged) return;
    plugged_ = plugged;
    ++generation_;
    if (plugged) {
        update_mode_ = false;
        keyboard_.Reset();
        indicator_ = {};
    }
    uint32_t count = plugged ? 1 : 0;
    dispatcher_.Post(Clock::now(), [this, count] {
        std::vector<Listener> listeners;
        {
            std::lock_guard lock(mutex_);
            listeners = ListenersLocked(Channel::kUnknown);
        }
        for (const Listener& listener : listeners) {
            RequestRecord request{listener.tag, count, nullptr, nullptr};
            NotificationRecord record{HIDSERV_KIND_COUNT, 0, &request};
            listener.callback(&record);
        }
    });
}

void SimHidService::ScheduleUnplug(Clock::time_point due) {
    uint64_t generation = generation_;
    dispatcher_.Post(due, [this, generation] {
        std::lock_guard lock(mutex_);
        if (generation == generation_) SetPluggedLocked(false);
    });
}

void SimHidService::Plug() {
    Guard(
        [&] {
            std::lock_guard lock(mutex_);
            SetPluggedLocked(true);
            return 0;
        },
        0);
}

void SimHidService::Unplug() {
    Guard(
        [&] {
            std::lock_guard lock(mutex_);
            SetPluggedLocked(false);
            return 0;
        },
        0);
}

bool SimHidService::Plugged() const {
    std::lock_guard lock(mutex_);
    return plugged_;
}

bool SimHidService::SendConsumer(uint16_t usage) {
    return Guard(
        [&] {
            std::lock_guard lock(mutex_);
            if (!plugged_) return false;
            Clock::time_point due = Clock::now();
            if (timing_on_) due = timing_.ClaimIn(timing_.FrameOf(due));
            Report bytes{};
            bytes[0] = static_cast<uint8_t>(usage);
            bytes[1] = static_cast<uint8_t>(usage >> 8);
            uint64_t generation = generation_;
            dispatcher_.Post(due, [this, generation, bytes] {
                DeliverInput(Channel::kConsumer, generation, bytes, kConsumerReportSize);
            });
            return true;
        },
        false);
}

}  // namespace kv::sim
