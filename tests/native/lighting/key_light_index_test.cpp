#include "model/lighting/key_light_index.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "model/keys/key_buttons.h"
#include "model/lighting/user_key_map.h"

namespace kv::model {
namespace {

TEST(KeyLightIndex, KeysOfThePictureAndTheirBits) {
    const struct {
        const char* name;
        KeyCode code;
        int index;
    } cases[] = {
        {"Esc", 0x001, 0},
        {"F1", 0x03B, 8},
        {"grave accent", 0x029, 1},
        {"backslash", 0x02B, 106},
        {"Space", 0x039, 37},
        {"right Win", 0x15C, kMatrixIndexFn},
        {"Up", 0x148, 132},
        {"keypad 6", 0x04D, 132},
        {"keypad Enter", 0x11C, 133},
        {"Left", 0x14B, 133},
        {"Down", 0x150, 141},
        {"keypad +", 0x04E, 141},
        {"Pause", 0x045, 128},
        {"Num Lock", 0x145, 138},
        {"keypad 0", 0x052, 93},
        {"not on the picture (K56)", 0x073, -1},
        {"a mouse button", 0x171, -1},
        {"a G-key entry", 0x200, -1},
    };
    for (const auto& c : cases) EXPECT_EQ(MatrixIndexOfKey(c.code), c.index) << c.name;
}

// Every key button has a bit of its own on the matrix, except the pairs that share one.
TEST(KeyLightIndex, EveryKeyButtonHasABitOnTheMatrix) {
    std::map<int, int> users;
    for (const KeyButton& key : KeyButtons()) {
        const int index = MatrixIndexOfKey(key.code);
        ASSERT_GE(index, 0) << key.control_id;
        ASSERT_LT(index, kMatrixIndexCount) << key.control_id;
        ++users[index];
    }
    std::set<int> shared;
    for (const auto& [index, count] : users)
        if (count > 1) shared.insert(index);
    EXPECT_EQ(shared, (std::set<int>{132, 133, 141}));
    EXPECT_EQ(users[kMatrixIndexFn], 1) << "the right Windows key; Fn is no key button";
}

}  // namespace
}  // namespace kv::model
