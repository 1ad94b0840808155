#include "model/macro/macro_commit.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "model/assign/assignment_store.h"
#include "model/try_alloc.h"

namespace kv::model {
namespace {

MacroRecord WithId(uint16_t id, uint16_t new_flag = 0) {
    MacroRecord r{};
    r.id = id;
    r.new_flag = new_flag;
    r.play_count = 1;
    return r;
}

TEST(NewMacro, TakesTheLowestFreeId) {
    const struct {
        std::vector<uint16_t> used;
        uint16_t id;
    } cases[] = {{{}, 1}, {{1, 2, 3}, 4}, {{2, 3}, 1}, {{1, 3, 100}, 2}, {{0, 101, 1}, 2}};
    for (const auto& c : cases) {
        std::vector<MacroRecord> list;
        for (uint16_t id : c.used) list.push_back(WithId(id));
        EXPECT_EQ(c.id, NewMacroId(list));
    }
    std::vector<MacroRecord> full;
    for (uint16_t id = 1; id <= 100; ++id) full.push_back(WithId(id));
    EXPECT_EQ(0, NewMacroId(full));
}

TEST(NewMacro, StartsAsANewEmptyRecord) {
    const MacroRecord list[] = {WithId(1), WithId(2)};
    MacroRecord r;
    std::memset(&r, 0x77, sizeof r);
    InitNewMacro(r, u"Macro 3", list);
    EXPECT_EQ(u"Macro 3", std::u16string(r.name));
    EXPECT_EQ(1, r.play_count);
    EXPECT_EQ(1, r.new_flag);
    EXPECT_EQ(0, r.play_mode);
    EXPECT_EQ(3, r.id);
    EXPECT_EQ(0, r.action_count);
    EXPECT_EQ(0, r.reserved1 | r.reserved2);
    EXPECT_EQ(0, r.actions[0].key_code | r.actions[1999].key_code);

    InitNewMacro(r, std::u16string(300, u'x'), list);
    EXPECT_EQ(249u, std::u16string(r.name).size());
    InitNewMacro(r, std::u16string(248, u'x') + u"\xD83D\xDE00", list);
    EXPECT_EQ(248u, std::u16string(r.name).size());
}

class MacroCommitTest : public ::testing::Test {
  protected:
    void SetUp() override {
        auto records = MacroList::Allocate(3);
        for (uint16_t i = 0; i < 3; ++i) records[i] = WithId(static_cast<uint16_t>(i + 1));
        sets_.Working().macros.Install(std::move(records), 3);
    }
    void AssignMacro(int profile, int key, uint32_t id) {
        WriteAssignment(*sets_.Working().block, profile, key, KeyAssignment{kKindMacro, 2, id, 0, 0});
    }
    KeyAssignment Entry(int profile, int key) { return ReadAssignment(*sets_.Working().block, profile, key); }

    ConfigSets sets_;
};

TEST_F(MacroCommitTest, KeysOfDeletedOrReusedIdsReturnToDefault) {
    AssignMacro(0, 0x1E, 1);  // macro 1 stays
    AssignMacro(1, 0x1F, 2);  // macro 2 is deleted
    AssignMacro(2, 0x20, 3);  // macro 3 is deleted and its id taken by a new macro
    AssignMacro(3, 0x21, 3);  // the carried fourth profile is reconciled too
    AssignMacro(0, 260, 1);   // a G key
    WriteAssignment(*sets_.Working().block, 0, 0x22, KeyAssignment{kKindKey, 0, 3, 0, 0});  // not a macro key

    std::vector<MacroRecord> editor = {WithId(1), WithId(3, 1)};
    const MacroCommitResult result = CommitMacroList(sets_, editor);
    ASSERT_TRUE(result.committed);
    EXPECT_TRUE(result.assignments_changed);
    EXPECT_EQ((std::vector<int>{512 + 0x1F, 1024 + 0x20, 1536 + 0x21}), result.reset_entries);
    EXPECT_EQ((KeyAssignment{kKindMacro, 2, 1, 0, 0}), Entry(0, 0x1E));
    EXPECT_EQ(kKindMacro, Entry(0, 260).kind);
    for (auto [p, k] : {std::pair{1, 0x1F}, {2, 0x20}, {3, 0x21}}) EXPECT_EQ(kKindDefault, Entry(p, k).kind);
    EXPECT_EQ(kKindKey, Entry(0, 0x22).kind);

    const MacroList& working = sets_.Working().macros;
    ASSERT_EQ(2, working.Count());
    EXPECT_EQ(1, working.IdAt(0));
    EXPECT_EQ(3, working.IdAt(1));
    for (const MacroRecord& m : working.Records()) EXPECT_EQ(0, m.new_flag);
    for (const MacroRecord& m : editor) EXPECT_EQ(0, m.new_flag);  // the editor's copy too
}

TEST_F(MacroCommitTest, MacroKeyWithoutIdGetsTheFirstMacro) {
    AssignMacro(0, 0x1E, 0);
    std::vector<MacroRecord> editor = {WithId(7), WithId(2)};
    const MacroCommitResult result = CommitMacroList(sets_, editor);
    ASSERT_TRUE(result.committed);
    EXPECT_TRUE(result.assignments_changed);
    EXPECT_TRUE(result.reset_entries.empty());
    EXPECT_EQ((KeyAssignment{kKindMacro, 2, 7, 0, 0}), Entry(0, 0x1E));
}

TEST_F(MacroCommitTest, EmptyListClearsTheListAndItsKeys) {
    AssignMacro(0, 0x1E, 2);
    AssignMacro(0, 0x1F, 0);  // no macro to give it: left as it is
    const MacroCommitResult result = CommitMacroList(sets_, {});
    ASSERT_TRUE(result.committed);
    EXPECT_TRUE(sets_.Working().macros.Empty());
    EXPECT_EQ(kKindDefault, Entry(0, 0x1E).kind);
    EXPECT_EQ((KeyAssignment{kKindMacro, 2, 0, 0, 0}), Entry(0, 0x1F));
    EXPECT_EQ(std::vector<int>{0x1E}, result.reset_entries);
}

TEST_F(MacroCommitTest, UnchangedListChangesNoAssignment) {
    AssignMacro(0, 0x1E, 2);
    std::vector<MacroRecord> editor = {WithId(1), WithId(2), WithId(3)};
    const MacroCommitResult result = CommitMacroList(sets_, editor);
    EXPECT_TRUE(result.committed);
    EXPECT_FALSE(result.assignments_changed);
}

TEST_F(MacroCommitTest, FailuresLeaveEverythingAsItWas) {
    AssignMacro(0, 0x1E, 2);
    const AssignmentBlock before = *sets_.Working().block;

    std::vector<MacroRecord> editor = {WithId(1)};
    FailNextAllocationsForTesting(1);
    EXPECT_FALSE(CommitMacroList(sets_, editor).committed);

    std::vector<MacroRecord> too_many(kMaxMacros + 1, WithId(1));
    EXPECT_FALSE(CommitMacroList(sets_, too_many).committed);

    EXPECT_EQ(0, std::memcmp(&before, sets_.Working().block.get(), sizeof before));
    EXPECT_EQ(3, sets_.Working().macros.Count());
    EXPECT_EQ(2, sets_.Working().macros.IdAt(1));
}

}  // namespace
}  // namespace kv::model
