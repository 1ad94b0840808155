#include "model/assign/profile_reset.h"

#include <gtest/gtest.h>

#include <set>

#include "model/assign/assignment_store.h"
#include "model/keys/key_buttons.h"

namespace kv::model {
namespace {

TEST(ResetKeyButtonAssignments, ResetsTheShownKeysOfOneProfileAndLayerOnly) {
    AssignmentBlockPtr block = NewAssignmentBlock();
    ASSERT_TRUE(block);
    const KeyAssignment set{kKindStopMacro, 0x7777, 5, 6, 7};
    for (auto& e : block->entries) e = set;

    const std::vector<KeyIndex> reset = ResetKeyButtonAssignments(*block, 1, GLayer::kB);
    ASSERT_EQ(113u, reset.size());
    EXPECT_EQ(KeyIndexOf(KeyButtons()[0].code), reset.front());
    EXPECT_EQ(273, reset.back());
    const std::set<int> shown(reset.begin(), reset.end());
    for (int p = 0; p < kProfileBlocks; ++p) {
        for (int k = 0; k < kAssignmentsPerProfile; ++k) {
            const KeyAssignment e = ReadAssignment(*block, p, k);
            if (p == 1 && shown.count(k)) {
                EXPECT_EQ((KeyAssignment{0, GIdOfEntry(k), 0, 0, 0}), e) << k;
            } else {
                EXPECT_EQ(set, e) << p << "/" << k;
            }
        }
    }
    EXPECT_TRUE(shown.count(0x9D));                      // right Ctrl
    EXPECT_TRUE(shown.count(265) && !shown.count(256));  // layer B only
    EXPECT_TRUE(ResetKeyButtonAssignments(*block, 4, GLayer::kA).empty());
}

}  // namespace
}  // namespace kv::model
