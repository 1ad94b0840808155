// Saving the working set as a profile file, and default files. Every write
// goes through a temporary file: a failure leaves the old file as it was.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "model/config_sets.h"
#include "profiles/atomic_file.h"

namespace kv::profiles {

// Rewrites the set's header (macro count, string total, flag 0, checksum),
// packs the strings of launch-program and text-block entries into the string
// area (storing each offset in its entry) and writes block, macros and area.
// False when the file cannot be written; the target is then untouched.
bool SaveProfileFile(const std::filesystem::path& path, model::ConfigSet& working,
                     const WriteHook& hook = {});

// The bytes SaveProfileFile writes, with the same rewrite of the set's header
// and string offsets. False when the file would pass 4 GiB or memory is short.
bool ProfileImageBytes(model::ConfigSet& working, std::vector<uint8_t>& out);

// Writes a file from its parts as they are: the block (header included), the
// macro records and the string area. For files made from other sources, such
// as the keyboard's configuration.
bool WriteProfileImage(const std::filesystem::path& path, const model::AssignmentBlock& block,
                       std::span<const model::MacroRecord> macros, std::span<const uint8_t> string_area,
                       const WriteHook& hook = {});

// As above on the working set, under WorkingConfigLock when take_lock is set.
bool SaveWorkingConfiguration(const std::filesystem::path& path, model::ConfigSets& sets, bool take_lock,
                              const WriteHook& hook = {});

// A file holding a new assignment block with the given flag, no macros and no strings.
bool WriteDefaultProfileFile(const std::filesystem::path& path, uint8_t flag, const WriteHook& hook = {});

// The same block installed as the set's block, with an empty macro list;
// false (set untouched) when memory is short.
bool InstallDefaultConfiguration(model::ConfigSet& working, uint8_t flag = 0);

}  // namespace kv::profiles
