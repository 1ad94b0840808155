// The dialog's windows speak wchar_t, the model char16_t: the same UTF-16 units.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/keys/text_format.h"

namespace kv::ui {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 on this platform");

inline std::wstring Wide(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }
inline std::u16string Utf16(std::wstring_view text) { return std::u16string(text.begin(), text.end()); }

// A language text that takes one number ("MACRO_ERR_MAX" and the like).
inline std::wstring FormatNumber(std::wstring_view format, std::int64_t value) {
    return Wide(model::FormatWithNumber(Utf16(format), value));
}

}  // namespace kv::ui
