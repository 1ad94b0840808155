// Everything the keyboard keeps about its lighting, for all three profiles at
// once: what a complete backup carries besides the key maps and macros.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "device/commands.h"
#include "model/lighting/lighting_model.h"

namespace kv::model {

using LightingRecordBytes = std::array<uint8_t, kLightingRecordSize>;
using UserMapsBytes = std::array<uint8_t, kUserMapsBytes>;

struct LightingSnapshot {
    int active_profile = 0;  // 0..2
    std::array<LightingRecordBytes, device::kProfileCount> records{};
    // The ten user key maps of each profile; only keyboards that list the
    // per-key mode have them read and written.
    bool has_key_maps = false;
    std::array<UserMapsBytes, device::kProfileCount> key_maps{};

    bool operator==(const LightingSnapshot&) const = default;
};

// Reads each profile's lighting as the lighting panel does when that profile
// is shown (settings block, key-light page, the three records), and the active
// profile. nullopt when the keyboard does not answer. The model's current
// profile is the same afterwards; its decoded state waits for the next read.
std::optional<LightingSnapshot> ReadLightingSnapshot(LightingModel& lighting, device::Commands& commands);

// Writes bytes 0..34 of each record (the part the program ever writes) and,
// when the keyboard lists the per-key mode, each profile's user key maps; one
// exchange per record and per set of maps. The active profile is left alone.
// 1, or the first failing write's code; the later writes are still made.
int WriteLightingSnapshot(LightingModel& lighting, const LightingSnapshot& snapshot);

}  // namespace kv::model
