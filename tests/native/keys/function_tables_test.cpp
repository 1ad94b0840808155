#include <gtest/gtest.h>

#include <set>

#include "model/keys/g_keys.h"
#include "model/keys/key_table.h"
#include "model/keys/list_numbers.h"
#include "model/keys/media.h"
#include "model/keys/modifiers.h"

namespace kv::model {
namespace {

TEST(ListNumbers, LowestRowWins) {
    struct Case {
        std::uint16_t list_number;
        KeyCode expected;
    };
    const Case cases[] = {
        {0, 0x01E},      {37, 0x001},     {103, 0x036},    {110, 0x162},    {111, 0x000},
        {0x8012, 0x054}, {0x802D, 0x064}, {0x8000, 0x000}, {0xFFFF, 0x000},
    };
    for (const Case& c : cases) EXPECT_EQ(KeyCodeOfListNumber(c.list_number), c.expected) << c.list_number;
}

TEST(ListNumbers, EveryAssignableEntryRoundTrips) {
    for (std::uint16_t n = 0; n < kAssignableKeyCount; ++n) {
        const KeyCode code = KeyCodeOfListNumber(n);
        ASSERT_NE(code, kNoKey) << n;
        EXPECT_EQ(ListNumberOf(code), n);
    }
    EXPECT_EQ(ListNumberOf(0x136), 103);
    EXPECT_EQ(ListNumberOf(0x055), kEmptyListNumber);
    EXPECT_EQ(ListNumberOf(0x200), kEmptyListNumber);
}

TEST(Modifiers, LowestSetBitWins) {
    struct Case {
        std::uint8_t mask;
        KeyCode expected;
    };
    const Case cases[] = {
        {0x00, 0x000}, {0x01, 0x01D}, {0x02, 0x02A}, {0x04, 0x038}, {0x08, 0x15B}, {0x10, 0x11D},
        {0x20, 0x036}, {0x40, 0x138}, {0x80, 0x15C}, {0x22, 0x02A}, {0xFF, 0x01D}, {0xC0, 0x138},
    };
    for (const Case& c : cases) EXPECT_EQ(ModifierKeyOf(c.mask), c.expected) << int(c.mask);
}

TEST(Modifiers, BitsRoundTrip) {
    for (const ModifierBit& m : ModifierBits()) {
        EXPECT_EQ(ModifierBitOf(m.code), m.bit);
        EXPECT_EQ(ModifierKeyOf(m.bit), m.code);
        // The firmware's usage of a modifier is 0xE0 + its bit position.
        int position = 0;
        while ((1 << position) != m.bit) ++position;
        EXPECT_EQ(KeyRowOf(m.code).usage, 0xE0 + position) << std::hex << m.code;
    }
    EXPECT_EQ(ModifierBitOf(0x01E), 0);
    EXPECT_EQ(ModifierBitOf(kNoKey), 0);
    EXPECT_EQ(ModifierBitOf(0x136), 0);
}

TEST(Media, ListNamesItsKeysRows) {
    const auto media = MediaList();
    std::set<KeyCode> codes;
    for (std::size_t m = 0; m < media.size(); ++m) {
        SCOPED_TRACE(m);
        const KeyInfo& row = KeyRowOf(media[m].code);
        EXPECT_EQ(media[m].text_key, row.text_key);
        EXPECT_TRUE(IsMediaKeyCode(media[m].code));
        EXPECT_EQ(MediaNumberOfUsage(media[m].consumer_usage), m);
        codes.insert(media[m].code);
    }
    EXPECT_EQ(codes.size(), kMediaCount);
    EXPECT_EQ(media[0].consumer_usage, 0x183);
    EXPECT_EQ(media[6].consumer_usage, 0x0E9);
    EXPECT_EQ(media[17].code, 0x16C);
}

TEST(Media, OtherKeysAreNotMedia) {
    for (KeyCode code :
         {KeyCode{0x000}, KeyCode{0x01E}, KeyCode{0x15E}, KeyCode{0x174}, KeyCode{0x17B}, KeyCode{0x200}}) {
        EXPECT_FALSE(IsMediaKeyCode(code)) << std::hex << code;
    }
    EXPECT_FALSE(MediaNumberOfUsage(0x0E8).has_value());
    EXPECT_FALSE(MediaNumberOfUsage(0).has_value());
}

TEST(GKeys, IndicesCodesAndIds) {
    struct Case {
        GLayer layer;
        int n;
        KeyIndex index;
        KeyCode code;
        std::uint16_t id;
    };
    const Case cases[] = {
        {GLayer::kA, 1, 256, 0x200, 0x0301},
        {GLayer::kA, 9, 264, 0x208, 0x0309},
        {GLayer::kB, 1, 265, 0x209, 0x1301},
        {GLayer::kB, 9, 273, 0x211, 0x1309},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index);
        EXPECT_EQ(GKeyIndex(c.layer, c.n), c.index);
        EXPECT_EQ(GKeyCode(c.layer, c.n), c.code);
        EXPECT_EQ(KeyIndexOf(c.code), c.index);
        EXPECT_EQ(GIdOf(c.index), c.id);
        EXPECT_EQ(GKeyIndexOfId(c.id), c.index);
    }
    EXPECT_EQ(GIdOf(255), 0);
    EXPECT_EQ(GIdOf(274), 0);
    EXPECT_EQ(GKeyIndexOfId(0x0300), 0);
    EXPECT_EQ(GKeyIndexOfId(0x030A), 0);
    EXPECT_EQ(GKeyIndexOfId(0x2301), 0);
}

}  // namespace
}  // namespace kv::model
