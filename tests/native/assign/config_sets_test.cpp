#include "model/config_sets.h"

#include <gtest/gtest.h>

#include <cstring>

#include "model/assign/assignment_store.h"
#include "model/try_alloc.h"

namespace kv::model {
namespace {

TEST(ConfigSets, WorkingSetStartsAsANewBlockAndAppliedSetEmpty) {
    ConfigSets sets;
    ASSERT_TRUE(sets.Working().block);
    AssignmentBlockPtr fresh = NewAssignmentBlock();
    EXPECT_EQ(0, std::memcmp(fresh.get(), sets.Working().block.get(), sizeof(AssignmentBlock)));
    EXPECT_TRUE(sets.Working().macros.Empty());
    EXPECT_EQ(0u, sets.Working().strings.Total());
    EXPECT_FALSE(sets.Applied().block);
}

TEST(ConfigSets, SnapshotCopiesBlockAndMacrosAndRewritesTheHeader) {
    ConfigSets sets;
    auto records = MacroList::Allocate(2);
    records[0].id = 1;
    records[1].id = 2;
    sets.Working().macros.Install(std::move(records), 2);
    sets.Working().strings.Set(3, u"abc");  // 8 bytes
    WriteAssignment(*sets.Working().block, 1, 0x1E, KeyAssignment{kKindMacro, 0, 2, 0, 0});

    ASSERT_TRUE(sets.SnapshotWorkingToApplied());
    const AssignmentBlock& applied = *sets.Applied().block;
    EXPECT_EQ((KeyAssignment{kKindMacro, 0, 2, 0, 0}), ReadAssignment(applied, 1, 0x1E));
    EXPECT_EQ(2, applied.header.macro_count);
    EXPECT_EQ(8u, applied.header.string_size);
    EXPECT_EQ(32832u + 2 * 16512u + 8u, applied.header.total_size);
    EXPECT_EQ(BlockHeaderChecksum(applied.header), applied.header.checksum);
    EXPECT_EQ(2, sets.Applied().macros.Count());

    // Later edits of the working set do not reach the snapshot.
    sets.Working().macros.Records()[0].id = 9;
    WriteAssignment(*sets.Working().block, 1, 0x1E, KeyAssignment{});
    EXPECT_EQ(1, sets.Applied().macros.IdAt(0));
    EXPECT_EQ(kKindMacro, ReadAssignment(*sets.Applied().block, 1, 0x1E).kind);
}

TEST(ConfigSets, FailedSnapshotKeepsThePreviousAppliedSet) {
    ConfigSets sets;
    WriteAssignment(*sets.Working().block, 0, 1, KeyAssignment{kKindDisabled, 0, 0, 0, 0});
    ASSERT_TRUE(sets.SnapshotWorkingToApplied());
    auto records = MacroList::Allocate(1);
    sets.Working().macros.Install(std::move(records), 1);
    WriteAssignment(*sets.Working().block, 0, 1, KeyAssignment{kKindStopMacro, 0, 0, 0, 0});

    // The block copy is the first allocation, the macro array the second.
    for (int skip : {0, 1}) {
        FailNextAllocationsForTesting(1, skip);
        EXPECT_FALSE(sets.SnapshotWorkingToApplied());
        FailNextAllocationsForTesting(0);
        EXPECT_EQ(kKindDisabled, ReadAssignment(*sets.Applied().block, 0, 1).kind);
        EXPECT_TRUE(sets.Applied().macros.Empty());
    }
}

TEST(ConfigSets, ReleaseFreesBothSetsAndASnapshotNeedsAWorkingBlock) {
    ConfigSets sets;
    sets.Working().strings.Set(1, u"x");
    sets.Working().macros.Install(MacroList::Allocate(1), 1);
    ASSERT_TRUE(sets.SnapshotWorkingToApplied());
    sets.ReleaseAll();
    EXPECT_FALSE(sets.Working().block);
    EXPECT_FALSE(sets.Applied().block);
    EXPECT_TRUE(sets.Working().macros.Empty());
    EXPECT_TRUE(sets.Applied().macros.Empty());
    EXPECT_EQ(0u, sets.Working().strings.Total());
    EXPECT_FALSE(sets.SnapshotWorkingToApplied());
}

TEST(ConfigSets, LocksAreReentrant) {
    ConfigSets sets;
    std::lock_guard a(sets.WorkingConfigLock());
    std::lock_guard b(sets.AppliedConfigLock());
    EXPECT_TRUE(sets.SnapshotWorkingToApplied());
}

}  // namespace
}  // namespace kv::model
