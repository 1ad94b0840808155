// What the export and the import of profile files share: where the header
// keeps what no member names, and how the string area is packed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "model/assign/key_assignment.h"

namespace kv::config_json::layout {

constexpr size_t kHeaderReservedAt = 20;  // header bytes 20..29 carry no meaning
constexpr size_t kHeaderReservedSize = 10;
constexpr size_t kDescriptorAt = 32;
constexpr size_t kDescriptorSize = 32;
constexpr uint32_t kU32Max = 0xFFFFFFFFu;

// The fourth profile block is never used; a file leaves it out while it holds
// nothing but zeros, and then the G-id fields are zero too.
constexpr bool DefaultGIds(int profile) { return profile < model::kOnBoardProfiles; }

// The text and its terminator, UTF-16LE, as a save packs it.
void AppendString(std::vector<uint8_t>& area, std::u16string_view text);

// The string at an even offset of the area, as loading reads it; nullopt when
// it runs past the area's end.
std::optional<std::u16string> StringAt(std::span<const uint8_t> area, uint32_t offset);

}  // namespace kv::config_json::layout
