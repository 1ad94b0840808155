#include "model/assign/assignment_store.h"

#include <gtest/gtest.h>

#include <cstring>

#include "model/try_alloc.h"

namespace kv::model {
namespace {

TEST(AssignmentBlock, NewBlockHasHeaderDescriptorAndGIdsOfProfileZeroOnly) {
    AssignmentBlockPtr block = NewAssignmentBlock();
    ASSERT_TRUE(block);
    const auto bytes = BlockBytes(*block);
    // Header: magic, 32, 3, 1, total 32832, 2048 entries, no macros, no strings.
    const uint8_t expected_header[31] = {0x46, 0x44, 32, 0, 3, 0, 1, 0, 0x40, 0x80, 0, 0, 0x00, 0x08, 0, 0};
    EXPECT_EQ(0, std::memcmp(bytes.data(), expected_header, sizeof expected_header));
    unsigned sum = 0;
    for (int i = 0; i < 31; ++i) sum += bytes[i];
    EXPECT_EQ(static_cast<uint8_t>(sum), bytes[31]);
    const uint8_t expected_descriptor[32] = {0x4B, 0x48, 0x20, 0, 0x20, 0x80, 0,    0,    0x04, 0,    0,
                                             0x02, 0,    0,    0, 0,    0x45, 0x0C, 0x05, 0x75, 0x4F, 0x1C,
                                             0x0E, 0,    0,    0, 0,    0,    0,    0,    0,    0};
    EXPECT_EQ(0, std::memcmp(bytes.data() + 32, expected_descriptor, 32));

    for (int p = 0; p < kProfileBlocks; ++p) {
        for (int k = 0; k < kAssignmentsPerProfile; ++k) {
            const KeyAssignment e = ReadAssignment(*block, p, k);
            const bool g_entry = p == 0 && k >= 256 && k <= 273;
            EXPECT_EQ(0, e.kind);
            EXPECT_EQ(0u, e.value);
            EXPECT_EQ(0u, e.reserved1 | e.reserved2);
            EXPECT_EQ(g_entry ? GIdOfEntry(k) : 0, e.g_id) << p << "/" << k;
        }
    }
    EXPECT_EQ(0x0301, GIdOfEntry(256));
    EXPECT_EQ(0x0309, GIdOfEntry(264));
    EXPECT_EQ(0x1301, GIdOfEntry(265));
    EXPECT_EQ(0x1309, GIdOfEntry(273));
}

TEST(AssignmentBlock, HeaderCountsMacrosAndStrings) {
    AssignmentBlockPtr block = NewAssignmentBlock();
    ASSERT_TRUE(block);
    WriteBlockHeader(*block, 2, 10);
    EXPECT_EQ(2, block->header.macro_count);
    EXPECT_EQ(10u, block->header.string_size);
    EXPECT_EQ(32832u + 2 * 16512u + 10u, block->header.total_size);
    EXPECT_EQ(BlockHeaderChecksum(block->header), block->header.checksum);
}

TEST(AssignmentBlock, NewBlockReportsShortMemory) {
    FailNextAllocationsForTesting(1);
    EXPECT_FALSE(NewAssignmentBlock());
    EXPECT_TRUE(NewAssignmentBlock());
}

TEST(AssignmentBlock, ClearProfileGivesEveryProfileItsGIds) {
    AssignmentBlockPtr block = NewAssignmentBlock();
    ASSERT_TRUE(block);
    for (auto& e : block->entries) e = KeyAssignment{7, 9, 11, 13, 15};
    ClearProfileAssignments(ProfileEntries(*block, 2));
    for (int k = 0; k < kAssignmentsPerProfile; ++k) {
        const KeyAssignment e = ReadAssignment(*block, 2, k);
        const KeyAssignment expected{0, static_cast<uint16_t>(k >= 256 && k <= 273 ? GIdOfEntry(k) : 0), 0, 0,
                                     0};
        EXPECT_EQ(expected, e) << k;
    }
    // Neighbouring profiles are untouched.
    EXPECT_EQ((KeyAssignment{7, 9, 11, 13, 15}), ReadAssignment(*block, 1, 511));
    EXPECT_EQ((KeyAssignment{7, 9, 11, 13, 15}), ReadAssignment(*block, 3, 0));
}

TEST(AssignmentBlock, ReadWriteAddressProfileAndKeyIndex) {
    AssignmentBlockPtr block = NewAssignmentBlock();
    ASSERT_TRUE(block);
    const KeyAssignment e{kKindMacro, 3, 0x12345678, 0xAABBCCDD, 0x11223344};
    ASSERT_TRUE(WriteAssignment(*block, 2, 0x9D, e));
    EXPECT_EQ(e, ReadAssignment(*block, 2, 0x9D));
    // Entry 2 * 512 + 0x9D, at byte 64 + 16 * entry.
    const auto bytes = BlockBytes(*block);
    const size_t at = 64 + 16 * (2 * 512 + 0x9D);
    const uint8_t expected[16] = {4,    0,    3,    0,    0x78, 0x56, 0x34, 0x12,
                                  0xDD, 0xCC, 0xBB, 0xAA, 0x44, 0x33, 0x22, 0x11};
    EXPECT_EQ(0, std::memcmp(bytes.data() + at, expected, 16));
}

TEST(AssignmentBlock, OutOfRangeAddressesAreRefused) {
    AssignmentBlockPtr block = NewAssignmentBlock();
    ASSERT_TRUE(block);
    const auto before = *block;
    const struct { int profile, key; } cases[] = {{-1, 0}, {4, 0}, {0, -1}, {0, 512}, {3, 512}};
    for (const auto& c : cases) {
        EXPECT_FALSE(WriteAssignment(*block, c.profile, c.key, KeyAssignment{1, 1, 1, 1, 1}));
        EXPECT_EQ(KeyAssignment{}, ReadAssignment(*block, c.profile, c.key));
    }
    EXPECT_EQ(0, std::memcmp(&before, block.get(), sizeof before));
}

}  // namespace
}  // namespace kv::model
