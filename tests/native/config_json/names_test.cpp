// The fixed words of the format: one name per key, found again in any case.
#include <gtest/gtest.h>

#include <set>

#include "config_json/json_names.h"
#include "model/keys/key_table.h"
#include "model/keys/media.h"

namespace kv::config_json {
namespace {

std::string Lower(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return out;
}

TEST(JsonNames, EveryNamedKeyOfTheTableHasOneNameThatFindsIt) {
    std::set<std::string> seen;
    for (int index = 0; index < model::kKeyTableRows; ++index) {
        const model::KeyInfo& row = model::KeyTable()[index];
        if (row.text_key.empty()) continue;
        const model::KeyCode code = model::KeyCodeOf(static_cast<model::KeyIndex>(index));
        const auto name = KeyName(code);
        if (code == 0x136) {  // the second row of Right Shift: Right Shift is 0x036
            EXPECT_FALSE(name);
            continue;
        }
        ASSERT_TRUE(name) << "key code 0x" << std::hex << code;
        EXPECT_TRUE(seen.insert(Lower(*name)).second) << *name << " names two keys";
        EXPECT_EQ(KeyCodeOfName(*name), code) << *name;
        EXPECT_EQ(KeyCodeOfName(Lower(*name)), code) << *name;
    }
    for (int n = 1; n <= 9; ++n) EXPECT_EQ(KeyCodeOfName("g" + std::to_string(n)), 0x1FF + n);
}

TEST(JsonNames, KeysWithoutANameAreWrittenAsTheirCode) {
    EXPECT_FALSE(KeyName(0x064)) << "F13 has no text, so no name";
    EXPECT_EQ(KeyRef(0x064), "0x064");
    EXPECT_EQ(KeyRef(0x20B), "0x20B");  // G3 of layer B
    EXPECT_EQ(KeyRef(0x1234), "0x1234");
    EXPECT_EQ(ParseKeyRef("0x064"), 0x064);
    EXPECT_EQ(ParseKeyRef("0XFFFF"), 0xFFFF);
    EXPECT_EQ(ParseKeyRef("Caps lock"), 0x03A);
    for (const char* refused : {"F13", "0x10000", "0x", "100", "", "Caps  Lock"})
        EXPECT_FALSE(ParseKeyRef(refused)) << refused;
}

TEST(JsonNames, MediaFunctionAndPlayModeWordsRoundTrip) {
    for (uint32_t m = 0; m < model::kMediaCount; ++m) {
        ASSERT_TRUE(MediaWord(m));
        EXPECT_EQ(MediaNumberOfWord(*MediaWord(m)), m);
        EXPECT_EQ(KeyCodeOfName(*MediaWord(m)), model::MediaList()[m].code)
            << "the key sends what the word says";
    }
    EXPECT_EQ(MediaNumberOfWord("volume UP"), 6u);
    EXPECT_FALSE(MediaWord(18));
    for (uint32_t f = 0; f < 11; ++f) EXPECT_EQ(FunctionNumberOfWord(*FunctionWord(f)), f);
    EXPECT_FALSE(FunctionWord(11));
    EXPECT_EQ(PlayModeOfWord("until pressed again"), 2u);
    EXPECT_FALSE(PlayModeWord(3));
}

}  // namespace
}  // namespace kv::config_json
