#include "model/lighting/light_matrix.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "model/keys/key_buttons.h"
#include "model/lighting/user_key_map.h"

namespace kv::model {
namespace {

TEST(LightMatrix, ButtonsOwnTheirBits) {
    const struct {
        int id;
        int index;
        const char* what;
    } cases[] = {
        {1022, 0, "Esc"},          {1010, 8, "F1"},
        {1029, 1, "grave accent"}, {1042, 106, "backslash"},
        {1090, 37, "Space"},       {1093, 128, "Pause"},
        {1104, 138, "Num Lock"},   {1058, 11, "A"},
        {1103, 132, "Up"},         {1114, 132, "keypad 6"},
        {1100, 133, "Left"},       {1118, 133, "keypad Enter"},
        {1101, 141, "Down"},       {1111, 141, "keypad +"},
        {1087, 61, "right Win"},   {1174, 61, "Fn"},
        {1102, 149, "Right"},      {1039, 81, "0"},
        {1120, 93, "keypad 0"},    {1091, 112, "Print Screen"},
        {1000, 0, "G1"},           {1143, 0, "G9"},
        {1016, 0, "D1"},           {1021, 0, "D6"},
        {1057, 0, "unused id"},    {4000, 0, "no control"},
    };
    for (const auto& c : cases) EXPECT_EQ(LightMatrixIndexOf(c.id), c.index) << c.what;
}

// Only the three known pairs share a bit; every key's bit lies inside a map.
TEST(LightMatrix, EveryKeyHasABitOfItsOwnButThreePairs) {
    std::map<int, int> keys_per_index;
    for (const KeyButton& key : KeyButtons()) {
        const int index = LightMatrixIndexOf(key.control_id);
        EXPECT_GE(index, 0) << key.control_id;
        EXPECT_LT(index, kMatrixIndexCount) << key.control_id;
        ++keys_per_index[index];
    }
    std::set<int> shared;
    for (const auto& [index, count] : keys_per_index)
        if (count > 1) shared.insert(index);
    EXPECT_EQ(shared, (std::set<int>{132, 133, 141}));
    EXPECT_EQ(keys_per_index[0], 1) << "Esc alone among the keys";
}

}  // namespace
}  // namespace kv::model
