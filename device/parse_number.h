// The one integer parser: decimal, or hexadecimal with a 0x prefix, the whole
// text and nothing else. Shared by the simulator's control commands and the
// command-line tools.
#pragma once

#include <charconv>
#include <cstdint>
#include <string_view>
#include <system_error>

namespace kv {

inline bool ParseNumber(std::string_view text, uint32_t* out) {
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
        base = 16;
    }
    if (text.empty()) return false;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), *out, base);
    return ec == std::errc() && end == text.data() + text.size();
}

}  // namespace kv
