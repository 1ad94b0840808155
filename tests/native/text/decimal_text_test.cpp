// The one reader of typed and stored decimal numbers.
#include "model/decimal_text.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <string>

namespace kv::model {
namespace {

TEST(LeadingDecimal, ReadsWhatATypedNumberSays) {
    const struct {
        std::u16string text;
        std::optional<int> value;
    } cases[] = {
        {u"0", 0},
        {u"255", 255},
        {u"  42", 42},
        {u"\t-7", -7},
        {u"+8", 8},
        {u"12abc", 12},
        {u"2147483647", INT_MAX},
        {u"2147483648", INT_MAX},
        {u"99999999999", INT_MAX},
        {u"-99999999999", INT_MIN},
        {u"-2147483648", INT_MIN},
        {u"000000000000000000000000000017", 17},
        {u"", std::nullopt},
        {u"abc", std::nullopt},
        {u"-", std::nullopt},
        {u" + 3", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LeadingDecimal(std::u16string_view(c.text)), c.value)
            << std::string(c.text.begin(), c.text.end());
    }
}

TEST(LeadingDecimal, ReadsAnyCharacterType) {
    EXPECT_EQ(LeadingDecimal("  31x"), 31);
    EXPECT_EQ(LeadingDecimal(L"-4"), -4);
    const wchar_t buffer[8] = L"96";
    EXPECT_EQ(LeadingDecimal(buffer), 96);
}

}  // namespace
}  // namespace kv::model
