// The assignment block: the 64-byte file header and descriptor followed by the
// 2048 assignment entries of four profiles. One allocation, replaced as a
// whole; profile files hold the same bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

#include "model/assign/key_assignment.h"

namespace kv::model {

struct BlockHeader {
    uint16_t magic;          // 0x4446
    uint16_t header_size;    // 32
    uint16_t version_major;  // 3
    uint16_t version_minor;  // 1
    uint32_t total_size;     // block + macros + string area
    uint16_t entry_count;    // 2048
    uint16_t macro_count;
    uint32_t string_size;
    uint32_t reserved20;
    uint32_t reserved24;
    uint16_t reserved28;
    uint8_t flag;
    uint8_t checksum;  // sum of bytes 0..30
};
static_assert(sizeof(BlockHeader) == 32);
static_assert(offsetof(BlockHeader, magic) == 0);
static_assert(offsetof(BlockHeader, header_size) == 2);
static_assert(offsetof(BlockHeader, version_major) == 4);
static_assert(offsetof(BlockHeader, version_minor) == 6);
static_assert(offsetof(BlockHeader, total_size) == 8);
static_assert(offsetof(BlockHeader, entry_count) == 12);
static_assert(offsetof(BlockHeader, macro_count) == 14);
static_assert(offsetof(BlockHeader, string_size) == 16);
static_assert(offsetof(BlockHeader, reserved20) == 20);
static_assert(offsetof(BlockHeader, reserved24) == 24);
static_assert(offsetof(BlockHeader, reserved28) == 28);
static_assert(offsetof(BlockHeader, flag) == 30);
static_assert(offsetof(BlockHeader, checksum) == 31);

struct BlockDescriptor {
    uint32_t words[8];
};
static_assert(sizeof(BlockDescriptor) == 32);

struct AssignmentBlock {
    BlockHeader header;
    BlockDescriptor descriptor;
    KeyAssignment entries[kEntryCount];
};
static_assert(sizeof(AssignmentBlock) == 32832);
static_assert(offsetof(AssignmentBlock, header) == 0);
static_assert(offsetof(AssignmentBlock, descriptor) == 32);
static_assert(offsetof(AssignmentBlock, entries) == 64);

constexpr size_t kAssignmentBlockSize = sizeof(AssignmentBlock);
constexpr uint16_t kBlockMagic = 0x4446;
constexpr uint32_t kBlockDescriptorWords[8] = {0x20484B, 0x8020, 0x2000004, 0, 0x75050C45, 0xE1C4F, 0, 0};

using AssignmentBlockPtr = std::unique_ptr<AssignmentBlock>;

// The entries of one profile (0..3).
inline std::span<KeyAssignment, kAssignmentsPerProfile> ProfileEntries(AssignmentBlock& block, int profile) {
    return std::span<KeyAssignment, kAssignmentsPerProfile>(block.entries + profile * kAssignmentsPerProfile,
                                                            kAssignmentsPerProfile);
}
inline std::span<const KeyAssignment, kAssignmentsPerProfile> ProfileEntries(const AssignmentBlock& block,
                                                                             int profile) {
    return std::span<const KeyAssignment, kAssignmentsPerProfile>(
        block.entries + profile * kAssignmentsPerProfile, kAssignmentsPerProfile);
}

// The block as file bytes.
inline std::span<uint8_t, kAssignmentBlockSize> BlockBytes(AssignmentBlock& block) {
    return std::span<uint8_t, kAssignmentBlockSize>(reinterpret_cast<uint8_t*>(&block), kAssignmentBlockSize);
}
inline std::span<const uint8_t, kAssignmentBlockSize> BlockBytes(const AssignmentBlock& block) {
    return std::span<const uint8_t, kAssignmentBlockSize>(reinterpret_cast<const uint8_t*>(&block),
                                                          kAssignmentBlockSize);
}

}  // namespace kv::model
