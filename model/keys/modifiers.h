// The eight modifier keys, one bit each as in a boot keyboard's modifier byte.
#pragma once

#include <cstdint>
#include <span>

#include "model/keys/key_code.h"

namespace kv::model {

struct ModifierBit {
    std::uint8_t bit;
    KeyCode code;
};

// In bit order: left Ctrl, Shift, Alt, Windows, then the right-hand four.
std::span<const ModifierBit, 8> ModifierBits();

// The key of the lowest set bit; kNoKey for 0.
KeyCode ModifierKeyOf(std::uint8_t mask);

// The bit of a modifier key; 0 for any other code.
std::uint8_t ModifierBitOf(KeyCode code);

}  // namespace kv::model
