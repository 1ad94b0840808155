// The program's mirror of the keyboard's lighting: settings block (mode list),
// the three lighting records and the three key-light pages, plus the decoded
// state of the current profile. Every change goes to the keyboard at once.
// Runs on the user-interface thread only.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "device/commands.h"
#include "model/lighting/light_modes.h"
#include "model/lighting/lighting_record.h"
#include "model/lighting/panel_switch.h"
#include "model/lighting/user_key_map.h"

namespace kv::model {

constexpr size_t kLightingRecordsSize = kLightingRecordSize * device::kProfileCount;  // 126
constexpr size_t kKeyLightPagesSize = kKeyLightPageSize * device::kProfileCount;      // 768
constexpr uint8_t kKeyPageReadChunk = 54;
constexpr size_t kKeyPageReadChunks = 4;
constexpr size_t kDefaultMapsWriteChunk = 45;

class LightingModel {
  public:
    LightingModel(device::Commands& commands, PanelSwitchStore& panel_switch);

    // 0 on success, -1 when the settings block cannot be read (mode list left empty).
    int ReadLighting();
    // As ReadLighting, without the key-light page.
    int ReadLightingRecords();

    // Bytes at a record offset of the current profile, in one exchange. The
    // panel does not look at the result: 1, or the first failing write's code.
    int WriteLightingBytes(uint8_t record_offset, std::span<const uint8_t> bytes);
    // Two fields at once (e.g. the random flag and a colour), in one exchange.
    int WriteLightingBytes(uint8_t first_offset, std::span<const uint8_t> first, uint8_t second_offset,
                           std::span<const uint8_t> second);
    // The ten user key maps of the current profile, in one exchange, also into
    // the mirror: 1, or the first failing write's code.
    int WriteUserMaps(std::span<const uint8_t, kUserMapsBytes> maps);

    // Per-key edits of the current user map; false for an index off the matrix.
    bool ToggleKeyLight(int matrix_index, bool marked);
    void ClearKeyMap();
    void FillKeyMap();
    void RestoreLightingDefaults();

    // The profile the main window shows (0..2); other values are ignored.
    void SetCurrentProfile(int profile);
    int CurrentProfile() const { return current_profile_; }

    const ModeList& Modes() const { return modes_; }
    bool HasPerKeyMode() const { return ModeListHas(modes_, kModePerKey); }
    std::span<const uint8_t, device::kSettingsBlockSize> SettingsBlock() const { return settings_; }
    std::span<const uint8_t, kLightingRecordSize> Record(int profile) const;
    std::span<const uint8_t, kKeyLightPageSize> KeyLightPage(int profile) const;
    std::span<const uint8_t, kUserKeyMapSize> CurrentUserMap() const;
    bool IsKeyMarked(int matrix_index) const;

    // The decoded current record; panel handlers update it themselves.
    LightingState& State() { return state_; }
    const LightingState& State() const { return state_; }

    bool PanelOn() const { return panel_on_; }
    void SetPanelOn(bool on);

  private:
    int ReadSettingsAndRecords(bool with_key_page);
    void ReadKeyLightPage();
    void ReadRecords();
    int SendUserMaps(std::span<const uint8_t, kUserMapsBytes> maps);
    std::span<uint8_t, kKeyLightPageSize> Page(int profile);
    std::span<uint8_t, kUserKeyMapSize> CurrentUserMapBytes();
    uint16_t UserMapOffset() const;

    device::Commands& commands_;
    PanelSwitchStore& panel_switch_;
    std::array<uint8_t, device::kSettingsBlockSize> settings_{};
    ModeList modes_{};
    std::array<uint8_t, kLightingRecordsSize> records_{};
    std::array<uint8_t, kKeyLightPagesSize> pages_{};
    LightingState state_;
    int current_profile_ = 0;
    bool panel_on_ = false;
};

}  // namespace kv::model
