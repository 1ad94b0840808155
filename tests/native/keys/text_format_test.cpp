#include "model/keys/text_format.h"

#include <gtest/gtest.h>

namespace kv::model {
namespace {

TEST(FormatWithNumber, Conversions) {
    struct Case {
        std::u16string_view format;
        std::int64_t value;
        std::u16string expected;
    };
    const Case cases[] = {
        {u"Key %d", 100, u"Key 100"},
        {u"%i", -7, u"-7"},
        {u"%u", 0xFFFF, u"65535"},
        {u"%u", -1, u"4294967295"},
        {u"%x/%X", 0xAB, u"ab/%X"},  // one argument: the second conversion stays as text
        {u"%04X", 0x64, u"0064"},
        {u"%#x", 255, u"0xff"},
        {u"%#o", 8, u"010"},
        {u"%5d|", 42, u"   42|"},
        {u"%-5d|", 42, u"42   |"},
        {u"%+d % d", 5, u"+5 % d"},
        {u"%.3d", 7, u"007"},
        {u"%.0d", 0, u""},
        {u"%05d", -42, u"-0042"},
        {u"%ld %hu", 12, u"12 %hu"},
        {u"%I64d", 5000000000, u"5000000000"},
        {u"%lld", -5000000000, u"-5000000000"},
        {u"%d", 5000000000, u"705032704"},  // an int argument holds 32 bits
        {u"100%%", 1, u"100%"},
        {u"%s and %d", 3, u"%s and 3"},
        {u"%n%p%c%d", 9, u"%n%p%c9"},
        {u"no conversion", 1, u"no conversion"},
        {u"trailing %", 1, u"trailing %"},
        {u"cut %5", 1, u"cut %5"},
        {u"", 1, u""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatWithNumber(c.format, c.value), c.expected)
            << std::string(c.format.begin(), c.format.end());
    }
}

TEST(FormatWithNumber, HugeWidthIsCapped) {
    const std::u16string out = FormatWithNumber(u"%999999999999d", 1);
    EXPECT_EQ(out.size(), 260u);
    EXPECT_EQ(out.back(), u'1');
    EXPECT_EQ(FormatWithNumber(u"%.999999999d", 1).size(), 260u);
}

TEST(FormatWithString, Conversions) {
    struct Case {
        std::u16string_view format;
        std::u16string_view value;
        std::u16string expected;
    };
    const Case cases[] = {
        {u"File %s is damaged", u"a.kvp", u"File a.kvp is damaged"},
        {u"%ls|%S", u"x", u"x|%S"},
        {u"%.2s", u"abc", u"ab"},
        {u"%5s|%-3s", u"ab", u"   ab|%-3s"},
        {u"%05s", u"ab", u"   ab"},
        {u"%d %s", u"v", u"%d v"},
        {u"%s", u"", u""},
        {u"%s", u"50%", u"50%"},  // the argument is not a format
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatWithString(c.format, c.value), c.expected)
            << std::string(c.format.begin(), c.format.end());
    }
}

}  // namespace
}  // namespace kv::model
