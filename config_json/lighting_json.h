// The keyboard's lighting as the "keyboard" member of a configuration
// document: the active profile and, per profile, its lighting record in named
// fields plus its ten user key maps as lists of marked matrix indices.
#pragma once

#include <span>

#include "config_json/json_input.h"
#include "config_json/json_value.h"
#include "model/lighting/lighting_snapshot.h"

namespace kv::config_json {

// Report-rate index 0..3 of the record and the polling rate in Hz.
inline constexpr uint32_t kReportRatesHz[] = {1000, 500, 250, 125};

// One record in named fields; bytes without a meaning go into "reserved".
Json LightingRecordToJson(std::span<const uint8_t, model::kLightingRecordSize> record);
// Members left out keep the default record's value. Throws JsonInputError.
model::LightingRecordBytes LightingRecordFromJson(const ObjectReader& object);

Json LightingSnapshotToJson(const model::LightingSnapshot& snapshot);
model::LightingSnapshot LightingSnapshotFromJson(const Json& value, const Place& place);

}  // namespace kv::config_json
