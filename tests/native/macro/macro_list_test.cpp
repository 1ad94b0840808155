#include "model/macro/macro_list.h"

#include <gtest/gtest.h>

#include "model/try_alloc.h"

namespace kv::model {
namespace {

MacroList ListWithIds(std::initializer_list<uint16_t> ids) {
    auto records = MacroList::Allocate(ids.size());
    uint16_t i = 0;
    for (uint16_t id : ids) records[i++].id = id;
    MacroList list;
    list.Install(std::move(records), i);
    return list;
}

TEST(MacroList, LookupsByIdAndIndex) {
    const MacroList list = ListWithIds({4, 9, 2});
    EXPECT_EQ(3, list.Count());
    const struct {
        uint16_t id;
        int index;
        uint16_t found;
    } by_id[] = {{4, 0, 0}, {9, 1, 1}, {2, 2, 2}, {5, -1, 0}, {0, -1, 0}};
    for (const auto& c : by_id) {
        EXPECT_EQ(c.index, list.IndexOfId(c.id)) << c.id;
        EXPECT_EQ(c.found, list.FindIndexById(c.id)) << c.id;
        EXPECT_EQ(c.index >= 0, list.FindById(c.id) != nullptr) << c.id;
    }
    const struct {
        int index;
        uint16_t id;
    } by_index[] = {{0, 4}, {2, 2}, {3, 0}, {-1, 0}, {100000, 0}};
    for (const auto& c : by_index) EXPECT_EQ(c.id, list.IdAt(c.index)) << c.index;
}

TEST(MacroList, CopyIsIndependentAndAFailedCopyKeepsTheTarget) {
    MacroList source = ListWithIds({1, 2});
    MacroList target = ListWithIds({7});
    FailNextAllocationsForTesting(1);
    EXPECT_FALSE(target.CopyFrom(source));
    EXPECT_EQ(1, target.Count());
    EXPECT_EQ(7, target.IdAt(0));

    ASSERT_TRUE(target.CopyFrom(source));
    source.Records()[0].id = 50;
    EXPECT_EQ(2, target.Count());
    EXPECT_EQ(1, target.IdAt(0));

    ASSERT_TRUE(target.CopyFrom(MacroList{}));
    EXPECT_TRUE(target.Empty());
    EXPECT_TRUE(target.Records().empty());
}

TEST(MacroList, ReleaseAndEmptyInstall) {
    MacroList list = ListWithIds({1, 2, 3});
    list.Release();
    EXPECT_EQ(0, list.Count());
    list.Release();
    EXPECT_EQ(0, list.Count());
    list.Install(MacroList::Allocate(4), 0);
    EXPECT_TRUE(list.Empty());
    list.Install(nullptr, 5);  // a count without records is no list
    EXPECT_TRUE(list.Empty());
}

}  // namespace
}  // namespace kv::model
