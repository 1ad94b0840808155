#include "model/macro/keyboard_action.h"

#include "model/assign/key_map_entry.h"
#include "model/keys/modifiers.h"
#include "model/keys/usage.h"

namespace kv::model {

namespace {

constexpr uint16_t kDelayMask = 0x0FFF;
constexpr uint16_t kPressBit = 0x8000;

struct TypedCode {
    uint8_t type;
    uint8_t sub;
    uint8_t value;
};

TypedCode TypedCodeOf(KeyCode code) {
    const UsageInfo usage = ClassifyUsage(code);
    switch (usage.usage_class) {
        case UsageClass::kKeyboard:
            if (const uint8_t bit = ModifierBitOf(code)) return {kActionKeyboard, kKeyModifier, bit};
            return {kActionKeyboard, kKeyUsage, usage.usage};
        case UsageClass::kMouse:
            switch (usage.usage) {
                case 0xF1:
                    return {kActionMouse, kMouseButton, 0x01};
                case 0xF2:
                    return {kActionMouse, kMouseButton, 0x02};
                case 0xF3:
                    return {kActionMouse, kMouseButton, 0x04};
                case 0xF4:
                    return {kActionMouse, kMouseWheel, 0x01};
                case 0xF5:
                    return {kActionMouse, kMouseWheel, 0xFF};
                default:
                    return {kActionMouse, 0, 0};
            }
        case UsageClass::kSystem:
            return {kActionSystem, usage.usage, 0};
        default:
            return {kActionNone, 0, 0};
    }
}

}  // namespace

KeyboardAction EncodeKeyboardAction(const MacroAction& action) {
    const TypedCode typed = TypedCodeOf(action.key_code);
    uint16_t word = static_cast<uint16_t>((action.delay_ms / 10) & kDelayMask);
    word |= static_cast<uint16_t>((typed.type & 0x7) << 12);
    if (action.direction != kRelease) word |= kPressBit;
    return {static_cast<uint8_t>(word), static_cast<uint8_t>(word >> 8), typed.sub, typed.value};
}

MacroAction DecodeKeyboardAction(const uint8_t* bytes) {
    const uint16_t word = static_cast<uint16_t>(bytes[0] | (bytes[1] << 8));
    const uint8_t sub = bytes[2];
    const uint8_t value = bytes[3];
    const uint16_t wide = static_cast<uint16_t>(sub | (value << 8));
    KeyCode code = kNoKey;
    switch ((word >> 12) & 0x7) {
        case kActionMouse:
            code = MouseKeyOf(sub, value);
            break;
        case kActionKeyboard:
            code = sub == kKeyUsage ? KeyCodeFromUsage(UsageClass::kKeyboard, value) : ModifierKeyOf(value);
            break;
        case kActionConsumer:
            code = KeyCodeFromUsage(UsageClass::kConsumer, wide);
            break;
        case kActionSystem:
            code = KeyCodeFromUsage(UsageClass::kSystem, wide);
            break;
        case kActionGKey:
            code = sub == kGKeySub ? static_cast<KeyCode>(0x1FF + value) : kNoKey;
            break;
        default:
            break;
    }
    MacroAction action{};
    action.delay_ms = static_cast<uint32_t>(word & kDelayMask) * 10;
    action.key_code = code;
    action.direction = (word & kPressBit) ? kPress : kRelease;
    return action;
}

}  // namespace kv::model
