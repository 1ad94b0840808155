// Display names of keys and of the keyboard functions, looked up in the
// language texts (section "TEXT").
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "model/keys/key_code.h"
#include "model/text_source.h"

namespace kv::model {

inline constexpr std::u16string_view kTextSection = u"TEXT";
inline constexpr std::u16string_view kUnknownKeyTextKey = u"UNKNOWN_KEY";
inline constexpr std::size_t kTextCapacity = 260;  // characters, terminator included
inline constexpr int kFunctionCount = 11;

// The text of the lowest row with this list number; empty when no row has it
// or its text key is empty.
std::u16string ListEntryName(const TextSource& texts, std::uint16_t list_number);

// The key's text; when the row has no text key or the text is empty, the
// "UNKNOWN_KEY" text used as a format with the key code as its one number.
// Cut to capacity - 1 characters (never in the middle of a surrogate pair).
std::u16string KeyDisplayName(const TextSource& texts, KeyCode code, std::size_t capacity = kTextCapacity);

// "FUNC_KEY_DESC1".."FUNC_KEY_DESC11" for function numbers 0..10.
std::u16string FunctionTextKey(int function_number);

// The text of FunctionTextKey(function_number).
std::u16string FunctionName(const TextSource& texts, int function_number);

}  // namespace kv::model
