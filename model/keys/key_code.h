// Key codes and key indices.
//
// A key code names every key, mouse button, wheel direction, media or system
// function and G-key entry: set-1 scan codes, 0x100 added for E0-prefixed keys,
// G-key entry n (1..18) = 0x1FF + n. A key index is the row of the key table
// (0..255) and the entry number within one profile of the assignment store
// (0..511; G-key entries are 256..273).
#pragma once

#include <cstdint>

namespace kv::model {

using KeyCode = std::uint16_t;
using KeyIndex = std::uint16_t;

inline constexpr KeyCode kNoKey = 0x000;
inline constexpr std::uint16_t kKeyTableRows = 256;
inline constexpr std::uint16_t kEntriesPerProfile = 512;

// Codes other parts of the program single out.
inline constexpr KeyCode kKeyLeftCtrl = 0x01D;
inline constexpr KeyCode kKeyLeftShift = 0x02A;
inline constexpr KeyCode kKeyRightShift = 0x036;
inline constexpr KeyCode kKeyLeftAlt = 0x038;
inline constexpr KeyCode kKeyRightCtrl = 0x11D;
inline constexpr KeyCode kKeyPrintScreen = 0x137;
inline constexpr KeyCode kKeyRightAlt = 0x138;
inline constexpr KeyCode kKeyLeftWin = 0x15B;
inline constexpr KeyCode kKeyRightWin = 0x15C;
inline constexpr KeyCode kKeyWheelUp = 0x161;
inline constexpr KeyCode kKeyWheelDown = 0x162;
inline constexpr KeyCode kKeyMouseLeft = 0x171;
inline constexpr KeyCode kKeyMouseRight = 0x172;
inline constexpr KeyCode kKeyMouseMiddle = 0x173;
inline constexpr KeyCode kFirstGKeyCode = 0x200;  // G-key entry 1

// 0x000..0x0FF -> same; 0x100..0x1FF -> (code - 0x80) & 0xFF; 0x200.. -> code - 0x100.
constexpr KeyIndex KeyIndexOf(KeyCode code) {
    if (code < 0x100) return code;
    if (code < 0x200) return static_cast<KeyIndex>((code - 0x80) & 0xFF);
    return static_cast<KeyIndex>(code - 0x100);
}

// Inverse of KeyIndexOf. Indices of 256..511 (G-key entries) map back to
// index + 0x100 so the function is total; anything past 511 gives kNoKey.
constexpr KeyCode KeyCodeOf(KeyIndex index) {
    if (index < 0x80) return index;
    if (index < 0x100) return static_cast<KeyCode>(index + 0x80);
    if (index < kEntriesPerProfile) return static_cast<KeyCode>(index + 0x100);
    return kNoKey;
}

}  // namespace kv::model
