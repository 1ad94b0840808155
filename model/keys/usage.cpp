#include "model/keys/usage.h"

#include <array>

#include "model/keys/key_table.h"

namespace kv::model {
namespace {

constexpr std::array<std::uint16_t, kConsumerUsageSlots> kConsumerUsages = {
    0x0E9,  // Volume Increment
    0x0EA,  // Volume Decrement
    0x183,  // AL Consumer Control Configuration (media player)
    0x18A,  // AL Email Reader
    0x192,  // AL Calculator
    0x194,  // AL Local Machine Browser
    0x221,  // AC Search
    0x223,  // AC Home
    0x224,  // AC Back
    0x225,  // AC Forward
    0x226,  // AC Stop
    0x227,  // AC Refresh
    0x22A,  // AC Bookmarks
    0x0E2,  // Mute
    0x0CD,  // Play/Pause
    0x0B7,  // Stop
    0x0B6,  // Scan Previous Track
    0x0B5,  // Scan Next Track
};

std::uint8_t TargetUsage(UsageClass usage_class, std::uint16_t value) {
    switch (usage_class) {
        case UsageClass::kKeyboard:
            return static_cast<std::uint8_t>(value & 0xFF);
        case UsageClass::kSystem:
            return (value >= 0x81 && value <= 0x83) ? static_cast<std::uint8_t>(value) : 0;
        case UsageClass::kConsumer:
            // An empty slot never matches: 0 would otherwise find position 18.
            if (value == 0) return 0;
            for (std::size_t p = 0; p < kConsumerUsages.size(); ++p) {
                if (kConsumerUsages[p] == value) return static_cast<std::uint8_t>(kConsumerUsageBase + p);
            }
            return 0;
        default:
            return 0;
    }
}

}  // namespace

UsageClass ClassifyUsageByte(std::uint8_t usage) {
    if (usage == 0x00 || usage == 0xFF) return UsageClass::kNone;
    if (usage >= 0x81 && usage <= 0x83) return UsageClass::kSystem;
    if (usage >= 0xF1 && usage <= 0xF8) return UsageClass::kMouse;
    return UsageClass::kKeyboard;
}

UsageInfo ClassifyUsage(KeyCode code) {
    const std::uint8_t usage = KeyRowOf(code).usage;
    return {ClassifyUsageByte(usage), usage};
}

std::span<const std::uint16_t, kConsumerUsageSlots> ConsumerUsageTable() { return kConsumerUsages; }

KeyCode KeyCodeFromUsage(UsageClass usage_class, std::uint16_t value) {
    const std::uint8_t target = TargetUsage(usage_class, value);
    // A target of 0 finds the empty row 0, whose code is kNoKey.
    if (target == 0) return kNoKey;
    const auto table = KeyTable();
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (table[i].usage == target) return KeyCodeOf(static_cast<KeyIndex>(i));
    }
    return kNoKey;
}

}  // namespace kv::model
