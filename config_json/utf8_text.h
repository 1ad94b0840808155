// UTF-16 texts of the configuration (macro names, program paths, text
// blocks) as JSON strings. A text that is not well-formed UTF-16 (a lone
// surrogate) has no UTF-8 form; JSON carries it as {"utf16": "<hex>"}, its
// UTF-16LE bytes, so nothing is lost on the way.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "config_json/json_input.h"
#include "config_json/json_value.h"

namespace kv::config_json {

// nullopt for a text with a lone surrogate.
std::optional<std::string> Utf8Of(std::u16string_view text);
// For display: a lone surrogate becomes U+FFFD.
std::string Utf8ForDisplay(std::u16string_view text);
// nullopt for bytes that are not well-formed UTF-8.
std::optional<std::u16string> Utf16Of(std::string_view utf8);

// A JSON string, or {"utf16": hex} for a text that is not well-formed.
Json TextJson(std::u16string_view text);
// Either form back; fails for anything else, for a NUL inside the text and
// for texts longer than max_units UTF-16 units.
std::u16string TextFromJson(const Json& value, const Place& place, size_t max_units);

}  // namespace kv::config_json
