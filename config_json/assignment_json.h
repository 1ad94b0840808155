// One assignment entry of a profile as a member of "keys" and back:
//   {"key": "F1", "media": "Volume up"}
//   {"key": "G3", "layer": "B", "macro": "Reload", "repeat": 2}
// Values the readable words cannot name stay as raw numbers ("kind" and
// "value", "g_field", "reserved"), so every entry comes back as it was.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "config_json/json_input.h"
#include "config_json/json_value.h"
#include "model/assign/key_assignment.h"
#include "model/macro/macro_record.h"

namespace kv::config_json {

// The macros an entry can name: by name when exactly one macro has it.
class MacroNames {
  public:
    explicit MacroNames(std::span<const std::u16string> names, std::span<const uint16_t> ids);
    // The name to write for a macro id, when that id's macro has a unique,
    // writable name.
    std::optional<std::string> NameOfId(uint16_t id) const;
    // The id of the one macro with this name; fails at `place` otherwise.
    uint16_t IdOfName(const std::u16string& name, const Place& place) const;

  private:
    std::vector<std::u16string> names_;
    std::vector<uint16_t> ids_;
};

// The G-id field an entry has when the file says nothing about it: the G id in
// the G-key entries of a profile that keeps them (`g_ids`), else 0.
uint16_t NaturalGField(int key_index, bool g_ids);

struct EntryText {
    std::u16string text;             // the program path or text block of kinds 3 and 6
    std::optional<uint32_t> offset;  // where it stands in a raw string area
};

// nullopt when the entry is exactly what an unlisted key has. `text` is the
// string of a kind-3 or kind-6 entry; with `raw_offsets` its value is written
// as "offset".
std::optional<Json> EntryToJson(int key_index, const model::KeyAssignment& entry, bool g_ids,
                                const MacroNames& macros, std::u16string_view text, bool raw_offsets);

struct ParsedEntry {
    int key_index = 0;
    model::KeyAssignment entry{};
    std::optional<EntryText> text;  // kinds 3 and 6
};

// Throws JsonInputError. `raw_offsets`: the file carries its string area, so
// kinds 3 and 6 must give their "offset".
ParsedEntry EntryFromJson(const Json& value, const Place& place, bool g_ids, const MacroNames& macros,
                          bool raw_offsets);

}  // namespace kv::config_json
