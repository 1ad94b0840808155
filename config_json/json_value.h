// The JSON value type of the configuration files: members keep the order in
// which they were written, so exported files read top to bottom.
#pragma once

#include <nlohmann/json.hpp>

namespace kv::config_json {

using Json = nlohmann::ordered_json;

}  // namespace kv::config_json
