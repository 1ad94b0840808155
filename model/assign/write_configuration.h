// Sending the applied set to the keyboard: the macro area and the key maps of
// one or all on-board profiles, in one configuration exchange.
#pragma once

#include <cstdint>

#include "device/commands.h"
#include "model/assign/key_map_image.h"
#include "model/config_sets.h"
#include "model/message_sink.h"
#include "model/text_source.h"

namespace kv::model {

struct ConfigurationTarget {
    device::Commands& commands;
    const KeyMapImage& default_matrix;  // template of every key-map image
    uint32_t macro_capacity;            // bytes the keyboard's macro area holds
    const TextSource& texts;
    MessageSink& messages;
};

// Builds the macro-area image of the applied macros (with names when they fit,
// else without and a warning after the write) and the key-map images of
// profiles 0..2 (all_profiles) or of the keyboard's active profile, then sends
// BeginConfig, WriteMacroArea, WriteKeyMapBlock for each, EndConfig.
// Returns 1 when the macro area and every key map were written, else 0. Sends
// nothing when the macros do not fit even without names ("EXTRA_MACRO_TOO_LONG"),
// when memory is short, when there is no applied set, or when a single profile
// is asked for and the keyboard names no active profile.
// Takes AppliedConfigLock while it builds.
int WriteConfiguration(ConfigSets& sets, bool all_profiles, const ConfigurationTarget& target);

}  // namespace kv::model
