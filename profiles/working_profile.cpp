#include "profiles/working_profile.h"

#include <system_error>

#include "profiles/profile_writer.h"

namespace kv::profiles {

namespace fs = std::filesystem;

fs::path UserFolderIn(const fs::path& local_app_data) { return local_app_data / fs::path(kUserFolderName); }

bool EnsureFolder(const fs::path& folder) {
    std::error_code error;
    if (fs::is_directory(folder, error)) return true;
    fs::create_directories(folder, error);
    return fs::is_directory(folder, error);
}

fs::path WorkingProfilePath(const fs::path& user_folder, int /*profile_number*/) {
    return user_folder / fs::path(u"$Profile0");
}

bool SaveToWorkingProfile(const fs::path& user_folder, model::ConfigSets& sets, bool take_lock,
                          const WriteHook& hook) {
    const fs::path path = WorkingProfilePath(user_folder);
    std::error_code error;
    if (!fs::is_regular_file(path, error)) return false;
    return SaveWorkingConfiguration(path, sets, take_lock, hook);
}

}  // namespace kv::profiles
