// printf-style formatting of language texts that take one argument.
//
// The format comes from a language file, not from the program, so it is never
// handed to the C library: only a conversion matching the argument's type
// consumes it (the first one; later ones and any other conversion are copied
// as they stand), "%%" gives "%", and widths and precisions are capped.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kv::model {

// d i u x X o (with flags - + space # 0, width, precision, length modifiers).
std::u16string FormatWithNumber(std::u16string_view format, std::int64_t value);

// s or S (flags -, width, precision as a maximum length).
std::u16string FormatWithString(std::u16string_view format, std::u16string_view value);

}  // namespace kv::model
