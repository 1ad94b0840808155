// The one reader of decimal numbers typed by users or kept as text (registry
// values, INI numbers, edit boxes): blanks, an optional sign, then digits.
// Digits beyond the range of int saturate, so "99999999999" is INT_MAX and
// never an overflow.
#pragma once

#include <climits>
#include <cstdint>
#include <optional>
#include <string_view>

namespace kv::model {

// nullopt when no digit follows the blanks and the sign; whatever follows the
// digits is ignored.
template <class Char>
std::optional<int> LeadingDecimal(std::basic_string_view<Char> text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == Char(' ') || text[i] == Char('\t'))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == Char('+') || text[i] == Char('-'))) negative = text[i++] == Char('-');
    const std::size_t first = i;
    std::int64_t value = 0;
    for (; i < text.size() && text[i] >= Char('0') && text[i] <= Char('9'); ++i) {
        value = value * 10 + (text[i] - Char('0'));
        if (value > std::int64_t{INT_MAX} + 1) value = std::int64_t{INT_MAX} + 1;
    }
    if (i == first) return std::nullopt;
    if (negative) value = -value;
    return static_cast<int>(value < INT_MIN ? INT_MIN : value > INT_MAX ? INT_MAX : value);
}

template <class Char>
std::optional<int> LeadingDecimal(const Char* text) {
    return LeadingDecimal(std::basic_string_view<Char>(text));
}

}  // namespace kv::model
