#include "model/lighting/user_key_map.h"

#include <gtest/gtest.h>

#include <vector>

namespace kv::model {
namespace {

std::vector<int> Marked(std::span<const uint8_t, kUserKeyMapSize> map) {
    std::vector<int> out;
    for (int k = 0; k < kMatrixIndexCount; ++k) {
        if (IsKeyMarked(map, k)) out.push_back(k);
    }
    return out;
}

TEST(UserKeyMap, DefaultMapsMarkTheirKeys) {
    const std::vector<int> expected[kUserMapCount] = {
        {11, 18, 19, 27, 132, 133, 141, 149},
        {0, 2, 4, 5, 9, 10, 11, 17, 18, 19, 25, 26, 27, 33, 34, 35, 37, 41, 43},
        {0, 1, 2, 5, 9, 10, 11, 17, 18, 19, 25, 26, 27, 33, 35, 37, 43, 44, 52, 82},
        {0, 2, 5, 9, 11, 17, 18, 19, 20, 25, 27, 28, 33, 35, 36, 37, 41, 44, 49, 75},
        {0, 3, 4, 10, 11, 18, 19, 20, 26, 27, 36, 132, 133, 141, 149},
        {49},
        {57},
        {65},
        {73},
        {81},
    };
    for (size_t m = 0; m < kUserMapCount; ++m) {
        std::span<const uint8_t, kUserKeyMapSize> map(kDefaultKeyLightPage.data() + m * kUserKeyMapSize,
                                                      kUserKeyMapSize);
        EXPECT_EQ(Marked(map), expected[m]) << "map " << m + 1;
    }
    for (size_t i = kUserMapsBytes; i < kKeyLightPageSize; ++i) EXPECT_EQ(kDefaultKeyLightPage[i], 0) << i;
}

TEST(UserKeyMap, BitsAreLeastSignificantFirst) {
    struct Case {
        int index;
        size_t byte;
        uint8_t bit;
    };
    const Case cases[] = {{0, 0, 0x01}, {kMatrixIndexFn, 7, 0x20}, {81, 10, 0x02}, {167, 20, 0x80}};
    for (const auto& c : cases) {
        std::array<uint8_t, kUserKeyMapSize> map{};
        ASSERT_TRUE(SetKeyMarked(map, c.index, true));
        EXPECT_EQ(map[c.byte], c.bit) << c.index;
        EXPECT_TRUE(IsKeyMarked(map, c.index));
        ASSERT_TRUE(SetKeyMarked(map, c.index, false));
        EXPECT_EQ(map[c.byte], 0) << c.index;
    }
}

TEST(UserKeyMap, IndicesOffTheMatrixAreRefused) {
    std::array<uint8_t, kUserKeyMapSize> map{};
    map.fill(0xFF);
    for (int k : {-1, kMatrixIndexCount, 1000}) {
        EXPECT_FALSE(IsKeyMarked(map, k)) << k;
        EXPECT_FALSE(SetKeyMarked(map, k, false)) << k;
    }
    for (uint8_t b : map) EXPECT_EQ(b, 0xFF);
}

}  // namespace
}  // namespace kv::model
