// Per-key light maps: ten 21-byte bitmaps of marked keys on each profile's
// 256-byte key-light page.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "device/commands.h"
#include "model/lighting/lighting_record.h"

namespace kv::model {

constexpr size_t kUserKeyMapSize = 21;
constexpr int kMatrixIndexCount = static_cast<int>(kUserKeyMapSize * 8);  // 168
constexpr size_t kUserMapsBytes = kUserMapCount * kUserKeyMapSize;        // 210
constexpr size_t kKeyLightPageSize = device::kKeyColourPageSize;          // 256
static_assert(kUserMapsBytes <= kKeyLightPageSize);

constexpr int kMatrixIndexEsc = 0;  // shown by the nine G buttons
constexpr int kMatrixIndexFn = 61;  // shares its bit with the right Windows key

using KeyLightPage = std::array<uint8_t, kKeyLightPageSize>;

// The ten factory maps followed by zeros.
extern const KeyLightPage kDefaultKeyLightPage;

// Bit k: byte k / 8, bit k % 8, least significant first. Indices outside
// 0..167 are never marked and cannot be set.
bool IsKeyMarked(std::span<const uint8_t, kUserKeyMapSize> map, int index);
bool SetKeyMarked(std::span<uint8_t, kUserKeyMapSize> map, int index, bool marked);

}  // namespace kv::model
