// The keyboard's six memory areas, as the command set addresses them.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace kv::sim {

enum class Area : uint8_t {
    kSettings,         // 48 bytes: identity, active profile, macro capacity, mode list
    kProfileSettings,  // 3 lighting records of 42 bytes
    kKeyMaps,          // 3 key-map blocks of 512 bytes
    kMacro,            // macro area, capacity from settings byte 11
    kDefaultMatrix,    // 512 bytes, read-only factory key map
    kKeyColours,       // 3 key-light pages of 256 bytes
};

constexpr size_t kAreaCount = 6;
constexpr std::array<Area, kAreaCount> kAllAreas = {Area::kSettings,      Area::kProfileSettings,
                                                    Area::kKeyMaps,       Area::kMacro,
                                                    Area::kDefaultMatrix, Area::kKeyColours};

constexpr size_t kSettingsSize = 48;
constexpr size_t kProfileSettingsSize = 3 * 42;
constexpr size_t kKeyMapsSize = 3 * 512;
constexpr size_t kDefaultMatrixSize = 512;
constexpr size_t kKeyColoursSize = 3 * 256;
constexpr size_t kMacroUnit = 128;  // settings byte 11 counts these

constexpr size_t kSettingsIdentityEnd = 10;  // bytes 0..9 describe the keyboard
constexpr size_t kSettingsActiveProfile = 10;
constexpr size_t kSettingsMacroUnits = 11;
constexpr size_t kSettingsModeList = 16;  // 32 one-byte slots to the end
constexpr size_t kModeSlots = 32;

// Short lower-case names used by the control channel and the state file dump.
std::string_view AreaName(Area area);
std::optional<Area> AreaFromName(std::string_view name);

}  // namespace kv::sim
