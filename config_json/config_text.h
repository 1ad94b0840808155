// A configuration in words, as `kvcli show` prints it: each profile's
// assigned keys, each macro with its actions and, when the document was read
// from the keyboard, each profile's lighting.
#pragma once

#include <span>
#include <string>

#include "config_json/config_json.h"
#include "model/text_source.h"

namespace kv::config_json {

// `texts` (may be null) names the lighting modes.
std::string DescribeConfiguration(const ConfigDocument& document, const model::TextSource* texts);

// One profile's lighting on one line: "mode 5 (Static), brightness 3, ...".
std::string DescribeLighting(std::span<const uint8_t, model::kLightingRecordSize> record,
                             const model::TextSource* texts);

}  // namespace kv::config_json
