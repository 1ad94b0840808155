// The words a configuration file uses for keys, multimedia and keyboard
// functions and play modes. They are fixed English names, not language texts:
// a file means the same whatever language the program shows.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "model/keys/key_code.h"

namespace kv::config_json {

// "F1", "Caps Lock", "Volume up", "Left Button", "G3" (layer A's G-key codes);
// nullopt for a code without a name (F13 has none, for instance).
std::optional<std::string_view> KeyName(model::KeyCode code);
// Case-insensitive.
std::optional<model::KeyCode> KeyCodeOfName(std::string_view name);

// A key as a file writes it: its name, or "0x" and three or four hexadecimal
// digits for a code without a name ("0x064").
std::string KeyRef(model::KeyCode code);
// A name or a 0x code of at most 0xFFFF.
std::optional<model::KeyCode> ParseKeyRef(std::string_view text);

// Multimedia functions by media number (0..17), keyboard functions by function
// number (0..10), play modes (0 once, 1 repeat, 2 until pressed again).
std::optional<std::string_view> MediaWord(uint32_t media_number);
std::optional<uint32_t> MediaNumberOfWord(std::string_view word);
std::optional<std::string_view> FunctionWord(uint32_t function_number);
std::optional<uint32_t> FunctionNumberOfWord(std::string_view word);
std::optional<std::string_view> PlayModeWord(uint32_t play_mode);
std::optional<uint32_t> PlayModeOfWord(std::string_view word);

bool SameWord(std::string_view a, std::string_view b);  // ASCII case-insensitive

}  // namespace kv::config_json
