#include "model/macro/macro_image.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace kv::model {
namespace {

using Bytes = std::vector<uint8_t>;

MacroRecord Record(std::u16string_view name, uint8_t play_count, std::initializer_list<MacroAction> actions) {
    MacroRecord r{};
    std::copy(name.begin(), name.end(), r.name);
    r.play_count = play_count;
    for (const MacroAction& a : actions) r.actions[r.action_count++] = a;
    return r;
}

Bytes Build(std::span<const MacroRecord> macros, bool names) {
    const MacroImageSizes sizes = MacroImageSizesOf(macros);
    Bytes out(names ? sizes.with_names : sizes.without_names, 0xEE);
    EXPECT_TRUE(BuildMacroImage(macros, names, out));
    return out;
}

std::u16string NameOf(const MacroRecord& r) {
    return std::u16string(r.name, std::find(r.name, r.name + kMacroNameField, u'\0'));
}

TEST(MacroImage, EmptyListIsAHeaderAlone) {
    const MacroImageSizes sizes = MacroImageSizesOf({});
    EXPECT_EQ(16u, sizes.with_names);
    EXPECT_EQ(16u, sizes.without_names);
    const Bytes expected{0xAA, 0x55, 16, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(expected, Build({}, true));
}

TEST(MacroImage, OneNamedMacroByteForByte) {
    const MacroRecord macros[] = {Record(u"ab", 3, {{125, 0x01E, kPress}, {0, 0x01E, kRelease}})};
    const MacroImageSizes sizes = MacroImageSizesOf(macros);
    EXPECT_EQ(34u, sizes.with_names);
    EXPECT_EQ(30u, sizes.without_names);

    const Bytes with_names{0xAA, 0x55, 34, 0, 1, 0,    1,    0,    0,    0, 0,    0,    0,    0,   0, 0,   18,
                           0,    2,    0,  3, 2, 0x0C, 0xA0, 0x02, 0x04, 0, 0x20, 0x02, 0x04, 'a', 0, 'b', 0};
    EXPECT_EQ(with_names, Build(macros, true));
    const Bytes without_names{0xAA, 0x55, 30, 0, 1, 0, 0, 0,    0,    0,    0,    0, 0,    0,    0,
                              0,    18,   0,  2, 0, 3, 0, 0x0C, 0xA0, 0x02, 0x04, 0, 0x20, 0x02, 0x04};
    EXPECT_EQ(without_names, Build(macros, false));
}

TEST(MacroImage, OffsetsFollowTheBlocks) {
    const MacroRecord macros[] = {Record(u"x", 1, {{0, 0x01E, kPress}}), Record(u"", 2, {}),
                                  Record(u"yz", 1, {{0, 0x01E, kPress}, {0, 0x01E, kRelease}})};
    const Bytes image = Build(macros, true);
    ASSERT_EQ(16u + 6 + (4 + 4 + 2) + 4 + (4 + 8 + 4), image.size());
    EXPECT_EQ(22, image[16] | image[17] << 8);
    EXPECT_EQ(32, image[18] | image[19] << 8);
    EXPECT_EQ(36, image[20] | image[21] << 8);
}

TEST(MacroImage, BuildRefusesAWrongBufferOrTooManyMacros) {
    const MacroRecord one[] = {Record(u"ab", 1, {})};
    Bytes small(MacroImageSizesOf(one).with_names - 1, 0xEE);
    EXPECT_FALSE(BuildMacroImage(one, true, small));
    EXPECT_EQ(Bytes(small.size(), 0xEE), small);
    Bytes large(MacroImageSizesOf(one).with_names + 1, 0xEE);
    EXPECT_FALSE(BuildMacroImage(one, true, large));

    std::vector<MacroRecord> many(kMaxMacros + 1);
    Bytes out(MacroImageSizesOf(many).without_names);
    EXPECT_FALSE(BuildMacroImage(many, false, out));

    // 17 full macros pass 65535 bytes.
    std::vector<MacroRecord> full(17);
    for (auto& m : full) m.action_count = kMaxMacroActions;
    EXPECT_GT(MacroImageSizesOf(full).without_names, kMacroImageMaxSize);
    Bytes big(MacroImageSizesOf(full).without_names);
    EXPECT_FALSE(BuildMacroImage(full, false, big));
}

TEST(MacroImage, NamesAreCutAt249UnitsWithoutSplittingAPair) {
    const struct {
        const char* what;
        std::u16string name;  // fills the field from the start; no terminator when 250 long
        uint16_t length;
    } cases[] = {
        {"terminated at 100", std::u16string(100, u'n'), 100},
        {"terminated at 249", std::u16string(249, u'n'), 249},
        {"no terminator", std::u16string(250, u'n'), 249},
        {"pair across the cut", std::u16string(248, u'n') + u"\xD83D\xDE00", 248},
        {"pair before the cut", std::u16string(247, u'n') + u"\xD83D\xDE00" + u'n', 249},
    };
    for (const auto& c : cases) {
        MacroRecord r{};
        std::copy(c.name.begin(), c.name.end(), r.name);
        EXPECT_EQ(c.length, MacroNameLength(r)) << c.what;
        const MacroRecord one[] = {r};
        EXPECT_EQ(16u + 2 + 4 + 2u * c.length, MacroImageSizesOf(one).with_names) << c.what;
        const Bytes image = Build(one, true);
        EXPECT_EQ(c.length, image[21]) << c.what;
        MacroRecord back{};
        ASSERT_EQ(1, DecodeMacroImage(image, std::span<MacroRecord>(&back, 1)));
        EXPECT_EQ(c.name.substr(0, c.length), NameOf(back)) << c.what;
    }
}

TEST(MacroImage, ActionCountsPast2000AreCapped) {
    MacroRecord r{};
    r.action_count = 0xFFFF;
    const MacroRecord one[] = {r};
    EXPECT_EQ(16u + 2 + 4 + 4u * kMaxMacroActions, MacroImageSizesOf(one).without_names);
    const Bytes image = Build(one, false);
    EXPECT_EQ(kMaxMacroActions, image[18] | image[19] << 8);
}

TEST(MacroImage, DecodeGivesIdsByPositionAndNamesUnnamedMacros) {
    MacroRecord first = Record(u"ab", 3, {{125, 0x01E, kPress}, {0, 0x120, kRelease}});
    first.id = 40;
    first.play_mode = kPlayRepeat;
    const MacroRecord macros[] = {first, Record(u"", 9, {}), Record(u"c", 1, {})};
    MacroRecord out[3];
    std::memset(out, 0x5A, sizeof out);

    ASSERT_EQ(3, DecodeMacroImage(Build(macros, true), out));
    EXPECT_EQ(u"ab", NameOf(out[0]));
    EXPECT_EQ(1, out[0].id);
    EXPECT_EQ(3, out[0].play_count);
    EXPECT_EQ(0, out[0].play_mode);
    EXPECT_EQ(0, out[0].new_flag);
    EXPECT_EQ(0, out[0].reserved1 | out[0].reserved2);
    ASSERT_EQ(2, out[0].action_count);
    EXPECT_EQ(120u, out[0].actions[0].delay_ms);
    EXPECT_EQ(0x01E, out[0].actions[0].key_code);
    EXPECT_EQ(kPress, out[0].actions[0].direction);
    EXPECT_EQ(0x120, out[0].actions[1].key_code);
    EXPECT_EQ(kRelease, out[0].actions[1].direction);
    EXPECT_EQ(0, out[0].actions[2].key_code);  // the rest of the record is zero
    EXPECT_EQ(u"MACRO_NEW_PREFIX2", NameOf(out[1]));
    EXPECT_EQ(2, out[1].id);
    EXPECT_EQ(9, out[1].play_count);
    EXPECT_EQ(u"c", NameOf(out[2]));

    ASSERT_EQ(3, DecodeMacroImage(Build(macros, false), out));
    EXPECT_EQ(u"MACRO_NEW_PREFIX1", NameOf(out[0]));
    EXPECT_EQ(u"MACRO_NEW_PREFIX3", NameOf(out[2]));
    EXPECT_EQ(2, out[0].action_count);
}

TEST(MacroImage, DecodeStopsAtTheDestination) {
    const MacroRecord macros[] = {Record(u"a", 1, {}), Record(u"b", 1, {})};
    MacroRecord out{};
    EXPECT_EQ(1, DecodeMacroImage(Build(macros, true), std::span<MacroRecord>(&out, 1)));
    EXPECT_EQ(u"a", NameOf(out));
}

TEST(MacroImage, DecodeIntoAListReplacesIt) {
    const MacroRecord macros[] = {Record(u"a", 1, {}), Record(u"b", 1, {})};
    MacroList list;
    ASSERT_TRUE(DecodeMacroImage(Build(macros, true), list));
    EXPECT_EQ(2, list.Count());
    EXPECT_EQ(2, list.IdAt(1));
    const Bytes no_header(16, 0);
    ASSERT_TRUE(DecodeMacroImage(no_header, list));
    EXPECT_TRUE(list.Empty());
}

// Images as a keyboard (or a fault) might hand them over: every count, offset
// and length is checked against the bytes really there.
TEST(MacroImage, HostileImagesDecodeWithinBounds) {
    auto header = [](uint16_t count, size_t size) {
        Bytes b(size, 0);
        b[0] = 0xAA;
        b[1] = 0x55;
        b[2] = static_cast<uint8_t>(size);
        b[3] = static_cast<uint8_t>(size >> 8);
        b[4] = static_cast<uint8_t>(count);
        b[5] = static_cast<uint8_t>(count >> 8);
        return b;
    };
    auto put16 = [](Bytes& b, size_t at, uint16_t v) {
        b[at] = static_cast<uint8_t>(v);
        b[at + 1] = static_cast<uint8_t>(v >> 8);
    };

    struct Case {
        const char* what;
        Bytes image;
        uint16_t count;
        std::vector<uint16_t> action_counts;
        std::vector<std::u16string> names;
    };
    std::vector<Case> cases;
    cases.push_back({"no magic", Bytes{0x55, 0xAA, 16, 0, 1, 0}, 0, {}, {}});
    cases.push_back({"shorter than a header", Bytes{0xAA, 0x55, 16}, 0, {}, {}});
    cases.push_back({"empty", Bytes{}, 0, {}, {}});
    cases.push_back({"count without offsets", header(65535, 16), 0, {}, {}});
    {
        Bytes b = header(65535, 20);  // two offsets present, both pointing past the end
        put16(b, 16, 0xFFFF);
        put16(b, 18, 19);
        cases.push_back({"offsets past the end", b, 2, {0, 0}, {u"MACRO_NEW_PREFIX1", u"MACRO_NEW_PREFIX2"}});
    }
    {
        Bytes b = header(1, 18 + 4 + 8 + 3);  // claims 0xFFFF actions, holds two and a half
        put16(b, 16, 18);
        put16(b, 18, 0xFFFF);
        b[21] = 200;  // and a name that is not there
        cases.push_back({"action count past the end", b, 1, {2}, {u"MACRO_NEW_PREFIX1"}});
    }
    {
        Bytes b = header(1, 18 + 4 + 4 + 5);  // name of 40 units, two and a half present
        put16(b, 16, 18);
        put16(b, 18, 1);
        b[21] = 40;
        b[26] = 'p';
        b[28] = 'q';
        cases.push_back({"name past the end", b, 1, {1}, {u"pq"}});
    }
    {
        Bytes b = header(101, 16 + 2 * 101 + 4);  // more macros than a list holds, sharing one empty block
        for (size_t i = 0; i < 101; ++i) put16(b, 16 + 2 * i, 16 + 2 * 101);
        cases.push_back({"more than 100 macros", b, 100, std::vector<uint16_t>(100, 0),
                         std::vector<std::u16string>(100, u"")});
    }
    {
        Bytes b = header(1, 18 + 4 + 4 * 2500);
        put16(b, 16, 18);
        put16(b, 18, 2500);
        cases.push_back({"more than 2000 actions", b, 1, {2000}, {u"MACRO_NEW_PREFIX1"}});
    }
    {
        Bytes b = header(1, 18 + 4 + 2 * 255);
        put16(b, 16, 18);
        b[21] = 255;
        for (size_t i = 0; i < 255; ++i) put16(b, 22 + 2 * i, u'z');
        cases.push_back({"name longer than the field", b, 1, {0}, {std::u16string(249, u'z')}});
    }

    for (const Case& c : cases) {
        EXPECT_EQ(c.count, MacroImageCount(c.image)) << c.what;
        std::vector<MacroRecord> out(kMaxMacros + 5);
        ASSERT_EQ(c.count, DecodeMacroImage(c.image, out)) << c.what;
        for (size_t i = 0; i < c.action_counts.size(); ++i) {
            EXPECT_EQ(c.action_counts[i], out[i].action_count) << c.what << " " << i;
            EXPECT_EQ(i + 1, out[i].id) << c.what;
            if (!c.names[i].empty()) {
                EXPECT_EQ(c.names[i], NameOf(out[i])) << c.what << " " << i;
            }
        }
    }
}

TEST(MacroImage, BuildThenDecodeKeepsWhatTheKeyboardKeeps) {
    std::vector<MacroRecord> macros;
    for (int m = 0; m < 5; ++m) {
        MacroRecord r = Record(u"macro " + std::u16string(1, static_cast<char16_t>(u'A' + m)),
                               static_cast<uint8_t>(m + 1), {});
        r.id = static_cast<uint16_t>(90 - m);
        for (int a = 0; a < 50 * m; ++a) {
            r.actions[r.action_count++] = {static_cast<uint32_t>(a * 37 % 40000),
                                           static_cast<uint16_t>(a % 2 ? 0x01E : 0x171),
                                           static_cast<uint16_t>(a % 2)};
        }
        macros.push_back(r);
    }
    std::vector<MacroRecord> back(macros.size());
    ASSERT_EQ(macros.size(), DecodeMacroImage(Build(macros, true), back));
    for (size_t m = 0; m < macros.size(); ++m) {
        EXPECT_EQ(NameOf(macros[m]), NameOf(back[m]));
        EXPECT_EQ(m + 1, back[m].id);
        EXPECT_EQ(macros[m].play_count, back[m].play_count);
        ASSERT_EQ(macros[m].action_count, back[m].action_count);
        for (int a = 0; a < macros[m].action_count; ++a) {
            EXPECT_EQ(macros[m].actions[a].delay_ms / 10 * 10, back[m].actions[a].delay_ms);
            EXPECT_EQ(macros[m].actions[a].key_code, back[m].actions[a].key_code);
            EXPECT_EQ(macros[m].actions[a].direction, back[m].actions[a].direction);
        }
    }
}

}  // namespace
}  // namespace kv::model
