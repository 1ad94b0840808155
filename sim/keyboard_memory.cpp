#include "sim/keyboard_memory.h"

#include <algorithm>

namespace kv::sim {

std::optional<size_t> FixedAreaSize(Area area) {
    switch (area) {
        case Area::kSettings:
            return kSettingsSize;
        case Area::kProfileSettings:
            return kProfileSettingsSize;
        case Area::kKeyMaps:
            return kKeyMapsSize;
        case Area::kMacro:
            return std::nullopt;
        case Area::kDefaultMatrix:
            return kDefaultMatrixSize;
        case Area::kKeyColours:
            return kKeyColoursSize;
    }
    return std::nullopt;
}

KeyboardMemory KeyboardMemory::Factory(uint8_t macro_units) {
    KeyboardMemory memory;
    auto settings = FactorySettingsBlock(macro_units);
    memory.areas_[Index(Area::kSettings)].assign(settings.begin(), settings.end());

    auto& records = memory.areas_[Index(Area::kProfileSettings)];
    auto& pages = memory.areas_[Index(Area::kKeyColours)];
    for (int p = 0; p < 3; ++p) {
        auto record = FactoryLightingRecord(p);
        records.insert(records.end(), record.begin(), record.end());
        auto page = FactoryKeyLightPage();
        pages.insert(pages.end(), page.begin(), page.end());
    }

    auto matrix = FactoryDefaultMatrix();
    memory.areas_[Index(Area::kDefaultMatrix)].assign(matrix.begin(), matrix.end());
    auto& maps = memory.areas_[Index(Area::kKeyMaps)];
    for (int p = 0; p < 3; ++p) maps.insert(maps.end(), matrix.begin(), matrix.end());

    memory.areas_[Index(Area::kMacro)] = FactoryMacroArea(memory.MacroCapacity());
    return memory;
}

bool KeyboardMemory::Read(Area area, size_t offset, std::span<uint8_t> out) const {
    const auto& bytes = areas_[Index(area)];
    if (offset > bytes.size() || out.size() > bytes.size() - offset) return false;
    std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(offset), out.size(), out.begin());
    return true;
}

bool KeyboardMemory::Write(Area area, size_t offset, std::span<const uint8_t> data) {
    auto& bytes = areas_[Index(area)];
    if (offset > bytes.size() || data.size() > bytes.size() - offset) return false;
    std::copy(data.begin(), data.end(), bytes.begin() + static_cast<std::ptrdiff_t>(offset));
    return true;
}

bool KeyboardMemory::Replace(Area area, std::span<const uint8_t> content) {
    size_t expected = area == Area::kMacro ? MacroCapacity() : *FixedAreaSize(area);
    if (content.size() != expected) return false;
    if (area == Area::kSettings && content[kSettingsMacroUnits] != MacroUnits()) return false;
    areas_[Index(area)].assign(content.begin(), content.end());
    return true;
}

void KeyboardMemory::SetMacroUnits(uint8_t units) {
    areas_[Index(Area::kSettings)][kSettingsMacroUnits] = units;
    areas_[Index(Area::kMacro)] = FactoryMacroArea(MacroCapacity());
}

}  // namespace kv::sim
