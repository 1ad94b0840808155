// Bytes as hexadecimal text, for the raw values a JSON file carries.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kv::config_json {

// Two upper-case digits per byte, no separators.
std::string HexOf(std::span<const uint8_t> bytes);
// Either case; nullopt for an odd length or anything but hexadecimal digits.
std::optional<std::vector<uint8_t>> BytesOfHex(std::string_view text);

}  // namespace kv::config_json
