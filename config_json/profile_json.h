// A profile file as the "profiles", "macros" and "raw" members of a
// configuration document, and back. Export reads the file's own bytes and
// checks that import gives the same bytes back; whatever the readable members
// cannot say goes into "raw" (and the macros' raw patches).
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "config_json/json_input.h"
#include "config_json/json_value.h"

namespace kv::config_json {

// Adds the members to `document`. False, with the reason in *error, for a
// file that does not pass the header checks or does not load.
bool ProfileFileToJson(std::span<const uint8_t> file, Json& document, std::string* error);

// The profile file the members of `document` describe. Throws JsonInputError;
// what it returns passes the header checks and loads.
std::vector<uint8_t> ProfileFileFromJson(const ObjectReader& document);

}  // namespace kv::config_json
