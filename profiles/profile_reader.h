// Validating and loading profile files. Loading checks every count, size and
// string offset against the bytes actually there, so a hostile file is
// refused instead of being read out of bounds.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "model/config_sets.h"
#include "profiles/profile_format.h"

namespace kv::profiles {

// The whole file. It is opened for reading and writing, so a read-only file
// is refused (kCannotOpen) as the restore path expects.
ProfileStatus ReadProfileBytes(const std::filesystem::path& path, std::vector<uint8_t>& out);

// Header checks of a file on disk; ValidateResultCode gives the 1/0/-2/-3 code.
ProfileStatus ValidateProfileFile(const std::filesystem::path& path);

// Builds a fresh set from a file's bytes. The header's magic, version and
// checksum are not looked at (Validate does that for files from outside);
// counts, sizes, action counts and string offsets are.
ProfileStatus ParseProfile(std::span<const uint8_t> file, model::ConfigSet& out);

// Reads and parses; only on success are the set's block, macros and strings
// replaced, so a failed load leaves it as it was.
ProfileStatus LoadProfileFile(const std::filesystem::path& path, model::ConfigSet& working);

}  // namespace kv::profiles
