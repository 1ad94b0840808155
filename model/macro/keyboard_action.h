// The 4-byte action of the keyboard's macro area and its conversion to and
// from a MacroAction.
#pragma once

#include <array>
#include <cstdint>

#include "model/macro/macro_record.h"

namespace kv::model {

constexpr size_t kKeyboardActionSize = 4;
using KeyboardAction = std::array<uint8_t, kKeyboardActionSize>;

enum KeyboardActionType : uint8_t {
    kActionNone = 0,
    kActionMouse = 1,
    kActionKeyboard = 2,
    kActionConsumer = 3,  // decoded only
    kActionSystem = 4,
    kActionGKey = 6,  // decoded only
};

// Word 0: bits 0-11 delay in 10 ms units, bits 12-14 type, bit 15 press.
// Delays that need more than 12 bits keep only their low 12 bits.
KeyboardAction EncodeKeyboardAction(const MacroAction& action);
MacroAction DecodeKeyboardAction(const uint8_t* bytes);

}  // namespace kv::model
