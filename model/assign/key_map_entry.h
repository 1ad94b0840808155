// Three-byte key entries (type, sub-code, value) as the keyboard keeps them in
// its key maps, and the conversions between them and key codes.
#pragma once

#include <cstdint>
#include <optional>

#include "model/keys/key_code.h"

namespace kv::model {

struct MatrixEntry {
    uint8_t type;
    uint8_t sub;
    uint8_t value;
    friend bool operator==(const MatrixEntry&, const MatrixEntry&) = default;
};

enum MatrixEntryType : uint8_t {
    kEntryNone = 0x00,
    kEntryMouse = 0x01,
    kEntryKeyboard = 0x02,
    kEntryConsumer = 0x03,
    kEntrySystem = 0x04,
    kEntryMacro = 0x05,
    kEntryGKey = 0x06,
};

// Sub-codes of the mouse, keyboard, macro and G-key types.
constexpr uint8_t kMouseButton = 0x01;
constexpr uint8_t kMouseWheel = 0x05;
constexpr uint8_t kKeyModifier = 0x01;
constexpr uint8_t kKeyUsage = 0x02;
constexpr uint8_t kMacroPlay = 0x01;
constexpr uint8_t kMacroStop = 0x02;
constexpr uint8_t kMacroFunction = 0x05;
constexpr uint8_t kGKeySub = 0xA2;

// The key a default-matrix entry names; kNoKey for a position that names none.
KeyCode KeyCodeOfMatrixEntry(uint8_t type, uint8_t sub, uint8_t value);
inline KeyCode KeyCodeOfMatrixEntry(const MatrixEntry& e) {
    return KeyCodeOfMatrixEntry(e.type, e.sub, e.value);
}

// Mouse sub-code and value (01 01 b, 01 05 v) to a button or wheel key code;
// kNoKey for any other pair.
KeyCode MouseKeyOf(uint8_t sub, uint8_t value);
// The sub-code and value of a mouse button or wheel key code.
std::optional<MatrixEntry> MouseEntryOf(KeyCode code);

// What a key assignment (kind "key") sends: 02 01 bit for the eight modifier
// keys, the mouse entries for buttons and wheel, else 02 02 usage (00 when the
// key has no keyboard usage).
MatrixEntry KeyEntryOf(KeyCode code);

}  // namespace kv::model
