// The keyboard's memory: six byte areas with bounds-checked access.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "sim/factory_content.h"
#include "sim/memory_area.h"

namespace kv::sim {

class KeyboardMemory {
  public:
    // Factory content with a macro area of macro_units x 128 bytes.
    static KeyboardMemory Factory(uint8_t macro_units = kFactoryMacroUnits);

    size_t Size(Area area) const { return Bytes(area).size(); }
    std::span<const uint8_t> Bytes(Area area) const { return areas_[Index(area)]; }

    // False, touching nothing, unless [offset, offset + size) lies inside the area.
    bool Read(Area area, size_t offset, std::span<uint8_t> out) const;
    bool Write(Area area, size_t offset, std::span<const uint8_t> data);

    // Whole-area replacement; false when the size does not fit the area (the
    // macro area must match settings byte 11, the settings block keeps its size).
    bool Replace(Area area, std::span<const uint8_t> content);

    uint8_t ActiveProfile() const { return areas_[Index(Area::kSettings)][kSettingsActiveProfile]; }
    uint8_t MacroUnits() const { return areas_[Index(Area::kSettings)][kSettingsMacroUnits]; }
    size_t MacroCapacity() const { return size_t{MacroUnits()} * kMacroUnit; }

    // A new capacity resizes the macro area to an empty one.
    void SetMacroUnits(uint8_t units);

    bool operator==(const KeyboardMemory&) const = default;

  private:
    KeyboardMemory() = default;
    static size_t Index(Area area) { return static_cast<size_t>(area); }

    std::array<std::vector<uint8_t>, kAreaCount> areas_;
};

// The fixed size of an area; the macro area's size comes from the settings block.
std::optional<size_t> FixedAreaSize(Area area);

}  // namespace kv::sim
