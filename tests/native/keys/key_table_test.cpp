#include "model/keys/key_table.h"

#include <gtest/gtest.h>

#include <set>

#include "model/keys/key_code.h"

namespace kv::model {
namespace {

TEST(KeyIndex, CodesAndIndicesConvert) {
    struct Case {
        KeyCode code;
        KeyIndex index;
    };
    const Case cases[] = {
        {0x000, 0x00}, {0x001, 0x01}, {0x045, 0x45}, {0x07F, 0x7F}, {0x11D, 0x9D}, {0x145, 0xC5},
        {0x100, 0x80}, {0x17F, 0xFF}, {0x180, 0x00}, {0x1FF, 0x7F}, {0x200, 256},  {0x211, 273},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(KeyIndexOf(c.code), c.index) << std::hex << c.code;
    }
}

TEST(KeyIndex, EveryIndexRoundTrips) {
    for (KeyIndex index = 0; index < kEntriesPerProfile; ++index) {
        EXPECT_EQ(KeyIndexOf(KeyCodeOf(index)), index) << index;
    }
    EXPECT_EQ(KeyCodeOf(0x9D), 0x11D);
    EXPECT_EQ(KeyCodeOf(0x80), 0x100);
    EXPECT_EQ(KeyCodeOf(256), 0x200);
    EXPECT_EQ(KeyCodeOf(kEntriesPerProfile), kNoKey);
}

TEST(KeyTable, HasTheListedShape) {
    const auto table = KeyTable();
    int in_use = 0;
    std::multiset<std::uint16_t> assignable;
    std::multiset<std::uint16_t> unlisted;
    for (std::size_t i = 0; i < table.size(); ++i) {
        const KeyInfo& row = table[i];
        SCOPED_TRACE(i);
        if (!row.InUse()) {
            EXPECT_EQ(row.virtual_key, 0);
            EXPECT_EQ(row.alt_virtual_key, 0);
            EXPECT_TRUE(row.text_key.empty());
            EXPECT_EQ(row.usage, 0);
            continue;
        }
        ++in_use;
        // The codes of used rows round trip through the index rule.
        EXPECT_EQ(KeyIndexOf(KeyCodeOf(static_cast<KeyIndex>(i))), i);
        if (row.list_number < kUnlistedBase) {
            EXPECT_LT(row.list_number, kAssignableKeyCount);
            assignable.insert(row.list_number);
        } else {
            unlisted.insert(row.list_number);
        }
        // Only the keypad digits and point carry a second virtual key.
        const bool keypad = (i >= 0x47 && i <= 0x53 && i != 0x4A && i != 0x4E);
        EXPECT_EQ(row.alt_virtual_key != row.virtual_key, keypad);
        // Every used row has a text key except F13.
        EXPECT_EQ(row.text_key.empty(), i == 0x64);
    }
    EXPECT_EQ(in_use, 157);
    EXPECT_FALSE(table[0].InUse());
    // All 111 assignable positions are taken; only 103 (left and right
    // half of the right Shift rows) is taken twice.
    for (std::uint16_t n = 0; n < kAssignableKeyCount; ++n) {
        EXPECT_EQ(assignable.count(n), n == 103 ? 2u : 1u) << n;
    }
    // The other keys number 0x8001..0x802D, once each.
    for (std::uint16_t n = kUnlistedBase + 1; n <= kUnlistedBase + 0x2D; ++n) {
        EXPECT_EQ(unlisted.count(n), 1u) << std::hex << n;
    }
    EXPECT_EQ(unlisted.size(), 0x2Du);
}

TEST(KeyTable, SampleRowsMatchTheirKeys) {
    struct Case {
        KeyCode code;
        std::uint8_t vk, alt_vk;
        std::uint16_t list_number;
        std::u16string_view text_key;
        std::uint8_t usage;
    };
    const Case cases[] = {
        {0x001, 0x1B, 0x1B, 37, u"IDS_KEYBOARD_ESC", 0x29},
        {0x01E, 0x41, 0x41, 0, u"IDS_KEYBOARD_A", 0x04},
        {0x036, 0xA1, 0xA1, 103, u"IDS_KEYBOARD_RSHIFT", 0xE5},
        {0x047, 0x67, 0x24, 91, u"IDS_KEYBOARD_S_7", 0x5F},
        {0x04C, 0x65, 0x0C, 89, u"IDS_KEYBOARD_S_5", 0x5D},
        {0x053, 0x6E, 0x2E, 95, u"IDS_KEYBOARD_S_DEL", 0x63},
        {0x054, 0x2C, 0x2C, 0x8012, u"IDS_KEYBOARD_SYSREQ", 0x00},
        {0x064, 0x7C, 0x7C, 0x802D, u"", 0x00},
        {0x070, 0xFF, 0xFF, 0x8018, u"IDS_KEYBOARD_ROMA", 0x88},
        {0x110, 0xB1, 0xB1, 0x8021, u"MEDIA_PREV_TRACK_4", 0xD0},
        {0x11C, 0x0D, 0x0D, 84, u"IDS_KEYBOARD_S_ENTER", 0x58},
        {0x136, 0xA1, 0xA1, 103, u"IDS_KEYBOARD_RSHIFT", 0xE5},
        {0x146, 0x03, 0x03, 66, u"IDS_KEYBOARD_BREAK", 0x48},
        {0x15E, 0xFF, 0xFF, 0x8001, u"IDS_KEYBOARD_POWER", 0x81},
        {0x162, 0xD2, 0xD2, 110, u"IDS_KEYBOARD_ROLL_DOWN", 0xF5},
        {0x173, 0x04, 0x04, 108, u"IDS_KEYBOARD_MOU_MIDDLE", 0xF3},
        {0x17E, 0x9F, 0x9F, 0x8011, u"IDS_KEYBOARD_FUNC_CALENDAR", 0x00},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        const KeyInfo& row = KeyRowOf(c.code);
        EXPECT_EQ(row.virtual_key, c.vk);
        EXPECT_EQ(row.alt_virtual_key, c.alt_vk);
        EXPECT_EQ(row.list_number, c.list_number);
        EXPECT_EQ(row.text_key, c.text_key);
        EXPECT_EQ(row.usage, c.usage);
    }
}

TEST(KeyTable, CodesWithoutARowReadAsEmpty) {
    for (KeyCode code :
         {KeyCode{0x000}, KeyCode{0x055}, KeyCode{0x180}, KeyCode{0x200}, KeyCode{0x211}, KeyCode{0xFFFF}}) {
        const KeyInfo& row = KeyRowOf(code);
        EXPECT_FALSE(row.InUse()) << code;
        EXPECT_EQ(row.list_number, kEmptyListNumber);
    }
}

}  // namespace
}  // namespace kv::model
