// The constant key table: one KeyInfo row per key index 0..255.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "model/keys/key_code.h"

namespace kv::model {

// List numbers: 0..110 place a key in the list of assignable keys; 0x8000 + n
// marks a key that is not in that list; 0xFFFF marks an empty row.
inline constexpr std::uint16_t kAssignableKeyCount = 111;
inline constexpr std::uint16_t kUnlistedBase = 0x8000;
inline constexpr std::uint16_t kEmptyListNumber = 0xFFFF;

struct KeyInfo {
    std::uint8_t virtual_key = 0;
    // A second virtual key that also names the key: the Num Lock off code of
    // the keypad digits and point; equal to virtual_key everywhere else.
    std::uint8_t alt_virtual_key = 0;
    std::uint16_t list_number = kEmptyListNumber;
    // Key of the display name in section "TEXT"; empty for a key without a name.
    std::u16string_view text_key;
    // What the key means to the keyboard firmware (see usage.h).
    std::uint8_t usage = 0;

    constexpr bool InUse() const { return list_number != kEmptyListNumber; }
};

// All 256 rows, row i = key index i. 157 rows are in use.
std::span<const KeyInfo, kKeyTableRows> KeyTable();

// The row of an index; an empty row for indices past the table (G-key entries).
const KeyInfo& KeyRow(KeyIndex index);

// The row of KeyIndexOf(code).
const KeyInfo& KeyRowOf(KeyCode code);

}  // namespace kv::model
