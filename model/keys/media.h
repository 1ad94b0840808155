// The 18 multimedia functions a key can be given. The media number (the
// position in this list) is what a "media" assignment stores; the order is
// not that of the consumer usage table.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "model/keys/key_code.h"

namespace kv::model {

inline constexpr std::size_t kMediaCount = 18;

struct MediaEntry {
    KeyCode code;
    std::u16string_view text_key;  // the same as the key table row of `code`
    std::uint16_t consumer_usage;  // HID Consumer page
};

std::span<const MediaEntry, kMediaCount> MediaList();

// True for the 18 key codes of the media list.
bool IsMediaKeyCode(KeyCode code);

// The media number whose consumer usage is `usage`; nullopt when none.
std::optional<std::uint8_t> MediaNumberOfUsage(std::uint16_t usage);

}  // namespace kv::model
