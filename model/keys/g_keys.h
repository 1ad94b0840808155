// The nine G keys, each with an A and a B layer: 18 G-key entries.
//   layer A: G n has key index 255 + n (256..264) and G id 0x0300 + n
//   layer B: G n has key index 264 + n (265..273) and G id 0x1300 + n
// G-key entry e (1..18, A first) has key code 0x1FF + e.
#pragma once

#include <cstdint>

#include "model/keys/key_code.h"

namespace kv::model {

enum class GLayer : std::uint8_t { kA = 0, kB = 1 };

inline constexpr int kGKeyCount = 9;
inline constexpr int kGKeyEntryCount = 18;
inline constexpr KeyIndex kFirstGKeyIndex = 256;
inline constexpr KeyIndex kLastGKeyIndex = kFirstGKeyIndex + kGKeyEntryCount - 1;  // 273

constexpr bool IsGKeyIndex(KeyIndex index) { return index >= kFirstGKeyIndex && index <= kLastGKeyIndex; }

// n = 1..9.
constexpr KeyIndex GKeyIndex(GLayer layer, int n) {
    return static_cast<KeyIndex>(kFirstGKeyIndex - 1 + n + (layer == GLayer::kB ? kGKeyCount : 0));
}

constexpr KeyCode GKeyCode(GLayer layer, int n) { return KeyCodeOf(GKeyIndex(layer, n)); }

// The G id stored in a G-key entry; 0 for an index that is not a G-key entry.
constexpr std::uint16_t GIdOf(KeyIndex index) {
    if (!IsGKeyIndex(index)) return 0;
    const int entry = index - kFirstGKeyIndex;  // 0..17
    return entry < kGKeyCount ? static_cast<std::uint16_t>(0x0300 + entry + 1)
                              : static_cast<std::uint16_t>(0x1300 + entry - kGKeyCount + 1);
}

// The key index of a G id; 0 when the value is no G id.
constexpr KeyIndex GKeyIndexOfId(std::uint16_t g_id) {
    const int n = g_id & 0xFF;
    if (n < 1 || n > kGKeyCount) return 0;
    if ((g_id & 0xFF00) == 0x0300) return GKeyIndex(GLayer::kA, n);
    if ((g_id & 0xFF00) == 0x1300) return GKeyIndex(GLayer::kB, n);
    return 0;
}

}  // namespace kv::model
