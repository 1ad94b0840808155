// Reading the keyboard's key maps and macro area into a profile file.
#pragma once

#include <filesystem>

#include "device/commands.h"
#include "model/assign/key_map_image.h"
#include "profiles/atomic_file.h"

namespace kv::model {

// Reads the key maps of profiles 0..2 and the macro area (no macros when the
// area does not start with 0x55AA), decodes them against the default matrix
// and writes them as a profile file: the three profiles, a zero fourth one and
// the decoded macros, no strings. Fails when the keyboard names no active
// profile, a read fails, memory is short or the file cannot be written; the
// file is replaced only once it has been written whole, so a failure leaves
// the old one as it was. Returns 1 on success, 0 on failure.
int ReadKeyboardToFile(device::Commands& commands, const KeyMapImage& default_matrix,
                       const std::filesystem::path& path, const profiles::WriteHook& hook = {});

}  // namespace kv::model
