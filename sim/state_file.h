// The simulated keyboard's memory saved to a file, so a demo keyboard keeps
// its configuration between runs.
//
// Layout (little-endian): "KVSIMMEM", u32 version 1, u32 area count, then per
// area u32 area id, u32 size and the bytes. Areas appear in id order, each once.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "sim/keyboard_memory.h"

namespace kv::sim {

std::vector<uint8_t> EncodeMemoryState(const KeyboardMemory& memory);
// nullopt, with the reason in *error, for anything but a complete, consistent image.
std::optional<KeyboardMemory> DecodeMemoryState(std::span<const uint8_t> bytes, std::string* error = nullptr);

// Writes a temporary file beside the target and renames it over the target,
// so a failed save leaves the previous file intact.
bool SaveMemoryState(const KeyboardMemory& memory, const std::filesystem::path& path,
                     std::string* error = nullptr);
std::optional<KeyboardMemory> LoadMemoryState(const std::filesystem::path& path,
                                              std::string* error = nullptr);

}  // namespace kv::sim
