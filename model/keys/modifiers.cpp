#include "model/keys/modifiers.h"

#include <array>

namespace kv::model {
namespace {

constexpr std::array<ModifierBit, 8> kBits = {{
    {0x01, kKeyLeftCtrl},
    {0x02, kKeyLeftShift},
    {0x04, kKeyLeftAlt},
    {0x08, kKeyLeftWin},
    {0x10, kKeyRightCtrl},
    {0x20, kKeyRightShift},
    {0x40, kKeyRightAlt},
    {0x80, kKeyRightWin},
}};

}  // namespace

std::span<const ModifierBit, 8> ModifierBits() { return kBits; }

KeyCode ModifierKeyOf(std::uint8_t mask) {
    for (const ModifierBit& m : kBits) {
        if (mask & m.bit) return m.code;
    }
    return kNoKey;
}

std::uint8_t ModifierBitOf(KeyCode code) {
    if (code == kNoKey) return 0;
    for (const ModifierBit& m : kBits) {
        if (m.code == code) return m.bit;
    }
    return 0;
}

}  // namespace kv::model
