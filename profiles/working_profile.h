// The per-user folder and the working profile file in it, through which the
// keyboard's configuration reaches the working set.
#pragma once

#include <filesystem>

#include "model/config_sets.h"
#include "profiles/atomic_file.h"

namespace kv::profiles {

inline constexpr char16_t kUserFolderName[] = u"QX5307";
inline constexpr char16_t kProfileExtension[] = u"kvp";

// The local application-data folder + "QX5307".
std::filesystem::path UserFolderIn(const std::filesystem::path& local_app_data);
// Creates the folder (and its parents) when missing; true when it exists after.
bool EnsureFolder(const std::filesystem::path& folder);
// "$Profile0" in the folder: every profile number names the same file.
std::filesystem::path WorkingProfilePath(const std::filesystem::path& user_folder, int profile_number = 0);

// Saves the working set to the working profile file, only when that file
// already exists (this never creates it).
bool SaveToWorkingProfile(const std::filesystem::path& user_folder, model::ConfigSets& sets, bool take_lock,
                          const WriteHook& hook = {});

}  // namespace kv::profiles
