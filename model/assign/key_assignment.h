// One key's assignment within one profile, as stored in memory, in profile
// files and (through the key-map image) on the keyboard.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>

#include "model/keys/g_keys.h"
#include "model/keys/key_code.h"

namespace kv::model {

static_assert(std::endian::native == std::endian::little, "records are kept in file byte order");

enum AssignmentKind : uint16_t {
    kKindDefault = 0,
    kKindDisabled = 1,
    kKindKey = 2,            // value: key code
    kKindLaunchProgram = 3,  // value: string offset; the keyboard keeps the default
    kKindMacro = 4,          // value: macro id
    kKindStopMacro = 5,
    kKindTextBlock = 6,  // value: string offset; the keyboard sends nothing
    kKindMedia = 7,      // value: media number
    kKindFunction = 8,   // value: function number
    kKindLast = kKindFunction,
};

struct KeyAssignment {
    uint16_t kind;
    uint16_t g_id;  // G id in the G-key entries; play count of a macro assignment
    uint32_t value;
    uint32_t reserved1;
    uint32_t reserved2;
};
static_assert(sizeof(KeyAssignment) == 16);
static_assert(offsetof(KeyAssignment, kind) == 0);
static_assert(offsetof(KeyAssignment, g_id) == 2);
static_assert(offsetof(KeyAssignment, value) == 4);
static_assert(offsetof(KeyAssignment, reserved1) == 8);
static_assert(offsetof(KeyAssignment, reserved2) == 12);

constexpr bool operator==(const KeyAssignment& a, const KeyAssignment& b) {
    return a.kind == b.kind && a.g_id == b.g_id && a.value == b.value && a.reserved1 == b.reserved1 &&
           a.reserved2 == b.reserved2;
}

// Launch-program and text-block entries carry a string in the string table
// (and, in files, an offset into the string area as their value).
constexpr bool KindHasString(uint16_t kind) { return kind == kKindLaunchProgram || kind == kKindTextBlock; }

// Kinds above the last one come only from foreign files; they act as disabled.
constexpr uint16_t EffectiveKind(uint16_t kind) {
    return kind > kKindLast ? static_cast<uint16_t>(kKindDisabled) : kind;
}

constexpr int kAssignmentsPerProfile = kEntriesPerProfile;  // 512
constexpr int kProfileBlocks = 4;  // three on-board profiles and one carried in files
constexpr int kOnBoardProfiles = 3;
constexpr int kEntryCount = kAssignmentsPerProfile * kProfileBlocks;  // 2048
constexpr int kFirstGKeyEntry = kFirstGKeyIndex;                      // G1..G9 of layer A, then of layer B
constexpr int kGKeyEntries = kGKeyEntryCount;

constexpr int EntryNumber(int profile, int key_index) { return profile * kAssignmentsPerProfile + key_index; }

// G id of the G-key entry at key index 256..273: 0x0301..0x0309 for layer A,
// 0x1301..0x1309 for layer B.
constexpr uint16_t GIdOfEntry(int key_index) { return GIdOf(static_cast<KeyIndex>(key_index)); }

}  // namespace kv::model
