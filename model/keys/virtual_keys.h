// From Windows virtual-key codes (kept as plain numbers here) and keyboard
// hook messages to key codes.
#pragma once

#include <cstdint>
#include <span>

#include "model/keys/key_code.h"

namespace kv::model {

// 256 entries indexed by virtual-key code, each a key index: the lowest row
// whose virtual key (not the alternate one) is the code, except that
// VK_SHIFT/VK_CONTROL/VK_MENU give the left-hand keys, VK_SNAPSHOT gives Print
// Screen, and the mouse buttons, pan/double-click, the office functions
// without a firmware usage and 0xFF give 0.
std::span<const KeyIndex, 256> VirtualKeyMap();

// VirtualKeyMap()[vk]; 0 for codes past 255.
KeyIndex KeyIndexOfVirtualKey(std::uint32_t vk);

// The key of a message seen by a thread keyboard hook: lparam carries the scan
// code in bits 16..23 and the extended flag in bit 24. The scan code wins
// wherever it is consistent with the virtual key, which separates the keypad
// from the navigation keys and the left from the right modifiers.
KeyCode KeyCodeFromMessage(std::uint32_t vk, std::uint64_t lparam);

}  // namespace kv::model
