// Writes JSON for people as much as for programs: two-space indents, and an
// object or array that holds only numbers, strings and booleans on one line
// ({"key": "F1", "media": "Volume up"}), so long lists stay easy to scan.
#pragma once

#include <string>

#include "config_json/json_value.h"

namespace kv::config_json {

// UTF-8, ending in a newline.
std::string PrintJson(const Json& value);

}  // namespace kv::config_json
