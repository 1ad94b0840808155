// Hex dump text: sixteen bytes a line, each line led by its offset.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace kv::sim {

// "0010: 02 02 29 ..." with offsets counted from base.
std::string HexDump(std::span<const uint8_t> bytes, size_t base = 0);

}  // namespace kv::sim
