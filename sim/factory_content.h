// What a keyboard holds when it leaves the factory (and after a reset).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "sim/memory_area.h"

namespace kv::sim {

// 64 units of 128 bytes: an 8 KiB macro area.
constexpr uint8_t kFactoryMacroUnits = 64;

// The factory key map: 126 three-byte entries, then 134 zero bytes. Holds the
// main keys plus the 18 G-key entries (06 A2 n) of both layers.
std::array<uint8_t, kDefaultMatrixSize> FactoryDefaultMatrix();

// Identity bytes, active profile 0, the given macro capacity and the mode list.
std::array<uint8_t, kSettingsSize> FactorySettingsBlock(uint8_t macro_units = kFactoryMacroUnits);

// The lighting modes the keyboard lists: 1..20 and the per-key mode 254.
std::vector<uint8_t> FactoryModeList();

// Lighting record of one profile (42 bytes); the profiles differ only in their mode.
std::array<uint8_t, 42> FactoryLightingRecord(int profile);

// One key-light page: the ten default user key maps, then zeros.
std::array<uint8_t, 256> FactoryKeyLightPage();

// Empty macro area of the given capacity: a 16-byte header (0x55AA, size 16,
// no macros, names flag 1), zeros after it.
std::vector<uint8_t> FactoryMacroArea(size_t capacity);

}  // namespace kv::sim
