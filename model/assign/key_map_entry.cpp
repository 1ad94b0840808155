#include "model/assign/key_map_entry.h"

#include "model/keys/modifiers.h"
#include "model/keys/usage.h"

namespace kv::model {

KeyCode MouseKeyOf(uint8_t sub, uint8_t value) {
    if (sub == kMouseButton) {
        switch (value) {
            case 0x01:
                return 0x171;
            case 0x02:
                return 0x172;
            case 0x04:
                return 0x173;
            default:
                return kNoKey;
        }
    }
    if (sub == kMouseWheel) {
        if (value == 0x01) return 0x161;
        if (value == 0xFF) return 0x162;
    }
    return kNoKey;
}

std::optional<MatrixEntry> MouseEntryOf(KeyCode code) {
    switch (code) {
        case 0x171:
            return MatrixEntry{kEntryMouse, kMouseButton, 0x01};
        case 0x172:
            return MatrixEntry{kEntryMouse, kMouseButton, 0x02};
        case 0x173:
            return MatrixEntry{kEntryMouse, kMouseButton, 0x04};
        case 0x161:
            return MatrixEntry{kEntryMouse, kMouseWheel, 0x01};
        case 0x162:
            return MatrixEntry{kEntryMouse, kMouseWheel, 0xFF};
        default:
            return std::nullopt;
    }
}

KeyCode KeyCodeOfMatrixEntry(uint8_t type, uint8_t sub, uint8_t value) {
    switch (type) {
        case kEntryMouse:
            return MouseKeyOf(sub, value);
        case kEntryKeyboard:
            return sub == kKeyUsage ? KeyCodeFromUsage(UsageClass::kKeyboard, value) : ModifierKeyOf(value);
        case kEntryConsumer:
            return KeyCodeFromUsage(UsageClass::kConsumer, static_cast<uint16_t>(sub | (value << 8)));
        case kEntrySystem:
            return KeyCodeFromUsage(UsageClass::kSystem, static_cast<uint16_t>(sub | (value << 8)));
        case kEntryGKey:
            return sub == kGKeySub ? static_cast<KeyCode>(0x1FF + value) : kNoKey;
        default:
            return kNoKey;
    }
}

MatrixEntry KeyEntryOf(KeyCode code) {
    if (const uint8_t bit = ModifierBitOf(code)) return MatrixEntry{kEntryKeyboard, kKeyModifier, bit};
    if (const auto mouse = MouseEntryOf(code)) return *mouse;
    const UsageInfo usage = ClassifyUsage(code);
    return MatrixEntry{kEntryKeyboard, kKeyUsage,
                       usage.usage_class == UsageClass::kKeyboard ? usage.usage : uint8_t{0}};
}

}  // namespace kv::model
