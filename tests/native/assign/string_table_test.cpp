#include "model/assign/string_table.h"

#include <gtest/gtest.h>

#include "model/try_alloc.h"

namespace kv::model {
namespace {

TEST(StringTable, SizesIncludeTheTerminatorAndTheTotalFollows) {
    StringTable table;
    EXPECT_TRUE(SetAssignmentString(table, 5, u"C:\\a.exe"));
    EXPECT_EQ(18u, table.Size(5));
    EXPECT_EQ(u"C:\\a.exe", table.Text(5));
    EXPECT_TRUE(SetAssignmentString(table, 2047, u""));
    EXPECT_EQ(2u, table.Size(2047));
    EXPECT_EQ(20u, table.Total());

    // Replacing subtracts the old size first.
    EXPECT_TRUE(SetAssignmentString(table, 5, u"xy"));
    EXPECT_EQ(6u, table.Size(5));
    EXPECT_EQ(8u, table.Total());

    ClearAssignmentString(table, 5);
    EXPECT_EQ(0u, table.Size(5));
    EXPECT_TRUE(table.Text(5).empty());
    EXPECT_EQ(2u, table.Total());
    ClearAssignmentString(table, 5);  // already empty
    EXPECT_EQ(2u, table.Total());
}

TEST(StringTable, TextIsCutAtAnEmbeddedTerminator) {
    StringTable table;
    EXPECT_TRUE(table.Set(0, std::u16string_view(u"ab\0cd", 5)));
    EXPECT_EQ(u"ab", table.Text(0));
    EXPECT_EQ(6u, table.Total());
}

TEST(StringTable, FailedAllocationLeavesTheSlotEmpty) {
    StringTable table;
    ASSERT_TRUE(table.Set(7, u"old"));
    ASSERT_TRUE(table.Set(8, u"kept"));
    FailNextAllocationsForTesting(1);
    EXPECT_FALSE(table.Set(7, u"new text"));
    EXPECT_EQ(0u, table.Size(7));
    EXPECT_EQ(u"kept", table.Text(8));
    EXPECT_EQ(10u, table.Total());
}

TEST(StringTable, EntriesOutOfRangeChangeNothing) {
    StringTable table;
    for (int entry : {-1, 2048, 100000}) {
        EXPECT_FALSE(table.Set(entry, u"x"));
        table.Clear(entry);
        EXPECT_EQ(0u, table.Size(entry));
        EXPECT_TRUE(table.Text(entry).empty());
    }
    EXPECT_EQ(0u, table.Total());
}

TEST(StringTable, CopyIsDeepAndAFailedCopyKeepsTheTarget) {
    StringTable a, b;
    ASSERT_TRUE(a.Set(1, u"one"));
    ASSERT_TRUE(a.Set(2000, u"two"));
    ASSERT_TRUE(b.Set(3, u"mine"));
    FailNextAllocationsForTesting(1);
    EXPECT_FALSE(b.CopyFrom(a));
    EXPECT_EQ(u"mine", b.Text(3));
    EXPECT_EQ(10u, b.Total());

    ASSERT_TRUE(b.CopyFrom(a));
    a.Set(1, u"changed");
    EXPECT_EQ(u"one", b.Text(1));
    EXPECT_EQ(u"two", b.Text(2000));
    EXPECT_EQ(0u, b.Size(3));
    EXPECT_EQ(16u, b.Total());
}

TEST(StringTable, MovedFromTableIsUsableAfterClearAll) {
    StringTable a;
    ASSERT_TRUE(a.Set(1, u"one"));
    StringTable b = std::move(a);
    EXPECT_EQ(u"one", b.Text(1));
    EXPECT_EQ(0u, a.Size(1));  // NOLINT: checked on purpose
    a.ClearAll();
    EXPECT_TRUE(a.Set(1, u"again"));
    EXPECT_EQ(12u, a.Total());
}

}  // namespace
}  // namespace kv::model
