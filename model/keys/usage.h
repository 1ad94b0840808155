// Usage bytes: what a key means to the keyboard firmware, and the way back
// from keyboard data to a key code.
//
//   0x00, 0xFF      none
//   0x81..0x83      system (power down, sleep, wake up)
//   0xF1..0xF8      mouse (0xF1 left, 0xF2 right, 0xF3 middle, 0xF4 wheel up, 0xF5 wheel down)
//   anything else   keyboard: a Keyboard/Keypad page usage; 0xC0..0xDF name
//                   consumer functions (position byte - 0xC0 of the consumer
//                   usage table) but classify as keyboard all the same.
#pragma once

#include <cstdint>
#include <span>

#include "model/keys/key_code.h"

namespace kv::model {

enum class UsageClass : std::uint8_t {
    kNone,
    kKeyboard,
    kSystem,
    kMouse,
    kConsumer,  // only as input to KeyCodeFromUsage; never produced by ClassifyUsage
};

struct UsageInfo {
    UsageClass usage_class = UsageClass::kNone;
    std::uint8_t usage = 0;
    friend bool operator==(const UsageInfo&, const UsageInfo&) = default;
};

inline constexpr std::uint8_t kConsumerUsageBase = 0xC0;
inline constexpr std::size_t kConsumerUsageSlots = 32;

UsageClass ClassifyUsageByte(std::uint8_t usage);

// Class and usage byte of the code's row; (none, 0) for codes without a row.
UsageInfo ClassifyUsage(KeyCode code);

// 16-bit HID Consumer page usage at each position; 0 in the unused slots 18..31.
std::span<const std::uint16_t, kConsumerUsageSlots> ConsumerUsageTable();

// The key of the lowest row carrying the usage byte that (class, value) names:
// keyboard: low byte of value; system: value if 0x81..0x83; consumer: 0xC0 +
// first position holding value. kNoKey when nothing matches.
KeyCode KeyCodeFromUsage(UsageClass usage_class, std::uint16_t value);

}  // namespace kv::model
