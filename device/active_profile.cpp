// The active on-board profile, kept in byte 10 of the settings block, and its cache.
#include <array>

#include "device/commands.h"

namespace kv::device {

namespace {
bool ValidProfile(int profile) { return profile >= 0 && profile < kProfileCount; }
}  // namespace

int Commands::GetActiveProfile() {
    std::lock_guard lock(profile_lock_);
    const int cached = cached_active_profile_.load();
    if (cached != -1) return cached;
    std::array<uint8_t, kSettingsBlockSize> block{};
    if (ReadSettingsBlock(block) != kOk) return -1;
    // A value no profile has would send callers past their per-profile tables.
    const int profile = block[kSettingsActiveProfile];
    if (!ValidProfile(profile)) return -1;
    cached_active_profile_ = profile;
    return profile;
}

int Commands::SetActiveProfile(int profile) {
    if (!ValidProfile(profile)) return kBadBlockIndex;
    std::lock_guard lock(profile_lock_);
    std::array<uint8_t, kSettingsBlockSize> block{};
    if (const int read = ReadSettingsBlock(block); read != kOk) return read;
    block[kSettingsActiveProfile] = static_cast<uint8_t>(profile);
    const int written = WriteSettingsBlock(block);
    cached_active_profile_ = written == kOk ? profile : -1;
    return written;
}

}  // namespace kv::device
