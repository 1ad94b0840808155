// The lighting modes the keyboard lists in its settings block, and the table
// from the mode selector's list position to the mode id and back.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "device/commands.h"
#include "model/text_source.h"

namespace kv::model {

constexpr size_t kModeSlotCount = 32;
constexpr size_t kModeListOffset = 16;  // in the settings block
static_assert(kModeListOffset + kModeSlotCount == device::kSettingsBlockSize);

constexpr uint8_t kModePerKey = 254;  // lights keys by a user key map

using ModeList = std::array<uint8_t, kModeSlotCount>;  // 0 = empty slot

ModeList ModeListOf(std::span<const uint8_t, device::kSettingsBlockSize> settings);
bool ModeListHas(const ModeList& modes, uint8_t id);

// Modes 1..28 and 254 have panel behaviour; anything else is shown like mode 1.
bool IsHandledMode(int id);

// Display name: section "MODE", key = the id in decimal.
std::u16string ModeName(const TextSource& texts, int id);

class LightModeTable {
  public:
    struct Entry {
        int index = 0;
        uint8_t id = 0;
    };

    // One entry per non-zero slot, in slot order. Entries past the new count
    // keep their old contents but are no longer looked up.
    void Rebuild(const ModeList& modes);

    size_t Count() const { return count_; }
    // Position of the first entry holding the id, -1 when none does.
    int IndexOfId(int id) const;
    // Id at a list position, 0 outside the current entries.
    int IdAt(int index) const;

  private:
    std::array<Entry, kModeSlotCount> entries_{};
    size_t count_ = 0;
};

}  // namespace kv::model
