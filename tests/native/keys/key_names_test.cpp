#include "model/keys/key_names.h"

#include <gtest/gtest.h>

#include "fake_texts.h"
#include "model/keys/media.h"

namespace kv::model {
namespace {

class KeyNames : public ::testing::Test {
  protected:
    KeyNames() {
        texts_.Set(u"TEXT", u"IDS_KEYBOARD_A", u"A");
        texts_.Set(u"TEXT", u"IDS_KEYBOARD_RSHIFT", u"Right Shift");
        texts_.Set(u"TEXT", u"IDS_KEYBOARD_B", u"");
        texts_.Set(u"TEXT", u"UNKNOWN_KEY", u"Key %d");
        texts_.Set(u"TEXT", u"MEDIA_MUTE_8", u"Mute");
        texts_.Set(u"TEXT", u"FUNC_KEY_DESC11", u"Eleventh");
        texts_.Set(u"LIGHT", u"IDS_KEYBOARD_C", u"wrong section");
    }
    testing::FakeTexts texts_;
};

TEST_F(KeyNames, DisplayNames) {
    struct Case {
        KeyCode code;
        std::u16string expected;
    };
    const Case cases[] = {
        {0x01E, u"A"},       {0x136, u"Right Shift"},
        {0x120, u"Mute"},    {0x064, u"Key 100"},  // F13 has no text key
        {0x030, u"Key 48"},                        // empty text falls back to the unknown-key format
        {0x055, u"Key 85"},                        // empty row
        {0x200, u"Key 512"},                       // G-key entry: no row
        {0x02E, u"#Error"},                        // text key missing from the file (only in another section)
    };
    for (const Case& c : cases) EXPECT_EQ(KeyDisplayName(texts_, c.code), c.expected) << std::hex << c.code;
}

TEST_F(KeyNames, UnknownKeyFormatFromTheFileIsNotTrusted) {
    texts_.Set(u"TEXT", u"UNKNOWN_KEY", u"%s%n %04X %d");
    EXPECT_EQ(KeyDisplayName(texts_, 0x064), u"%s%n 0064 %d");
    testing::FakeTexts empty;
    EXPECT_EQ(KeyDisplayName(empty, 0x064), u"#Error");
}

TEST_F(KeyNames, DisplayNameIsCutToCapacity) {
    texts_.Set(u"TEXT", u"IDS_KEYBOARD_A", u"abcdef");
    EXPECT_EQ(KeyDisplayName(texts_, 0x01E, 4), u"abc");
    EXPECT_EQ(KeyDisplayName(texts_, 0x01E, 7), u"abcdef");
    EXPECT_EQ(KeyDisplayName(texts_, 0x01E, 1), u"");
    EXPECT_EQ(KeyDisplayName(texts_, 0x01E, 0), u"");
    texts_.Set(u"TEXT", u"IDS_KEYBOARD_A", u"a\U0001F600b");
    EXPECT_EQ(KeyDisplayName(texts_, 0x01E, 3), u"a");
    EXPECT_EQ(KeyDisplayName(texts_, 0x01E, 4), u"a\U0001F600");
    EXPECT_EQ(KeyDisplayName(texts_, 0x01E, 300), u"a\U0001F600b");
    texts_.Set(u"TEXT", u"IDS_KEYBOARD_A", std::u16string(400, u'x'));
    EXPECT_EQ(KeyDisplayName(texts_, 0x01E).size(), kTextCapacity - 1);
}

TEST_F(KeyNames, ListEntryNames) {
    EXPECT_EQ(ListEntryName(texts_, 0), u"A");
    EXPECT_EQ(ListEntryName(texts_, 103), u"Right Shift");
    EXPECT_EQ(ListEntryName(texts_, 1), u"");  // present but empty: no fallback
    EXPECT_EQ(ListEntryName(texts_, 2), u"#Error");
    const int before = texts_.lookups();
    EXPECT_EQ(ListEntryName(texts_, 111), u"");
    EXPECT_EQ(ListEntryName(texts_, 0x802D), u"");  // F13: row without a text key
    EXPECT_EQ(ListEntryName(texts_, 0xFFFF), u"");
    EXPECT_EQ(texts_.lookups(), before);
}

TEST_F(KeyNames, FunctionTexts) {
    EXPECT_EQ(FunctionTextKey(0), u"FUNC_KEY_DESC1");
    EXPECT_EQ(FunctionTextKey(10), u"FUNC_KEY_DESC11");
    EXPECT_EQ(FunctionName(texts_, 10), u"Eleventh");
    EXPECT_EQ(FunctionName(texts_, 0), u"#Error");
}

}  // namespace
}  // namespace kv::model
