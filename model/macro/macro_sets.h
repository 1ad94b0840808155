// The macro operations of the working and applied sets that take the set's
// lock themselves.
#pragma once

#include <cstdint>
#include <span>

#include "model/config_sets.h"
#include "model/macro/macro_image.h"

namespace kv::model {

// Position of the working macro with that id; 0 when no macro has it.
uint16_t FindWorkingIndexById(ConfigSets& sets, uint16_t id);
// Id of the working macro at index; 0 for an index outside the list.
uint16_t WorkingIdAt(ConfigSets& sets, int index);

// Image sizes of the applied macro list.
MacroImageSizes AppliedImageSizes(ConfigSets& sets);
// Builds the applied list's image into out (see BuildMacroImage).
bool BuildAppliedImage(ConfigSets& sets, bool names, std::span<uint8_t> out);

}  // namespace kv::model
