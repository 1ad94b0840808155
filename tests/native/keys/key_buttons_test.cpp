#include "model/keys/key_buttons.h"

#include <gtest/gtest.h>

#include <set>

#include "model/keys/key_table.h"

namespace kv::model {
namespace {

TEST(KeyButtons, EachButtonIsOneAssignableKey) {
    std::set<int> controls;
    std::set<KeyCode> codes;
    for (const KeyButton& b : KeyButtons()) {
        SCOPED_TRACE(b.control_id);
        EXPECT_GE(b.control_id, 1010);
        EXPECT_LE(b.control_id, 1120);
        const KeyInfo& row = KeyRowOf(b.code);
        EXPECT_TRUE(row.InUse());
        EXPECT_LT(row.list_number, kAssignableKeyCount);
        controls.insert(b.control_id);
        codes.insert(b.code);
    }
    EXPECT_EQ(controls.size(), kKeyButtonCount);
    EXPECT_EQ(codes.size(), kKeyButtonCount);
    for (int g : GButtonControlIds()) {
        EXPECT_FALSE(controls.count(g)) << g;
        controls.insert(g);
    }
    EXPECT_FALSE(controls.count(kFnButtonControlId));
    EXPECT_EQ(controls.size(), kKeyButtonCount + kGKeyCount);
}

TEST(KeyButtons, SampleRows) {
    const auto buttons = KeyButtons();
    EXPECT_EQ(buttons[0].control_id, 1058);
    EXPECT_EQ(buttons[0].code, 0x01E);
    EXPECT_EQ(buttons[64].control_id, 1091);
    EXPECT_EQ(buttons[64].code, 0x137);
    EXPECT_EQ(buttons[80].code, 0x11D);
    EXPECT_EQ(buttons[103].control_id, 1111);
    EXPECT_EQ(buttons[103].code, 0x04E);
    EXPECT_EQ(GButtonControlIds()[4], 1004);
    EXPECT_EQ(GButtonControlIds()[5], 1140);
}

TEST(KeyButtons, SkinEntryNames) {
    EXPECT_EQ(KeySkinEntryName(0x01E), u"KEY_01E");
    EXPECT_EQ(KeySkinEntryName(0x11D), u"KEY_09D");
    EXPECT_EQ(KeySkinEntryName(0x15C), u"KEY_0DC");
    EXPECT_EQ(GSkinEntryName(1), u"FUNC_G1");
    EXPECT_EQ(GSkinEntryName(9), u"FUNC_G9");
    EXPECT_EQ(GButtonKeyIndex(3, GLayer::kA), 258);
    EXPECT_EQ(GButtonKeyIndex(3, GLayer::kB), 267);
}

}  // namespace
}  // namespace kv::model
