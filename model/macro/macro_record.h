// The macro records as the editors, the working and applied lists and profile
// files hold them.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>

namespace kv::model {

static_assert(std::endian::native == std::endian::little, "records are kept in file byte order");

enum MacroDirection : uint16_t {
    kPress = 0,
    kRelease = 1,
};

struct MacroAction {
    uint32_t delay_ms;  // pause between this action and the next
    uint16_t key_code;
    uint16_t direction;  // kPress or kRelease
};
static_assert(sizeof(MacroAction) == 8);
static_assert(offsetof(MacroAction, delay_ms) == 0);
static_assert(offsetof(MacroAction, key_code) == 4);
static_assert(offsetof(MacroAction, direction) == 6);

constexpr int kMacroNameField = 250;      // UTF-16 units, terminator included
constexpr int kMacroNameMaxUnits = 249;   // longest name the field can carry
constexpr int kMacroNameEditLimit = 100;  // what the editors accept
constexpr int kMaxMacroActions = 2000;
constexpr int kMaxMacros = 100;

enum MacroPlayMode : uint16_t {
    kPlayOnce = 0,
    kPlayRepeat = 1,
    kPlayUntilKeyAgain = 2,
};

struct MacroRecord {
    char16_t name[kMacroNameField];
    uint8_t play_count;  // 1..255
    uint8_t reserved1;
    uint16_t new_flag;  // 1 only inside an editor's list
    uint16_t play_mode;
    uint16_t id;  // 1..100, unique within a list
    uint16_t action_count;
    uint16_t reserved2;
    MacroAction actions[kMaxMacroActions];
};
static_assert(sizeof(MacroRecord) == 16512);
static_assert(offsetof(MacroRecord, name) == 0);
static_assert(offsetof(MacroRecord, play_count) == 500);
static_assert(offsetof(MacroRecord, reserved1) == 501);
static_assert(offsetof(MacroRecord, new_flag) == 502);
static_assert(offsetof(MacroRecord, play_mode) == 504);
static_assert(offsetof(MacroRecord, id) == 506);
static_assert(offsetof(MacroRecord, action_count) == 508);
static_assert(offsetof(MacroRecord, reserved2) == 510);
static_assert(offsetof(MacroRecord, actions) == 512);

constexpr size_t kMacroRecordSize = sizeof(MacroRecord);

}  // namespace kv::model
