#include "sim/factory_content.h"

#include <algorithm>

#include "device/le_bytes.h"

namespace kv::sim {
namespace {

using Entry = std::array<uint8_t, 3>;
constexpr Entry kNone{0x00, 0x00, 0x00};

constexpr Entry Key(uint8_t usage) { return {0x02, 0x02, usage}; }
constexpr Entry Mod(uint8_t bit) { return {0x02, 0x01, bit}; }
constexpr Entry GKey(uint8_t n) { return {0x06, 0xA2, n}; }

// Position by position, eight positions per scan column. The first positions
// and the tail carry the 18 G-key entries (layer A, then layer B).
constexpr std::array<Entry, 126> kMatrix = {{
    // 0..7: G1..G8 of layer A
    GKey(1),
    GKey(2),
    GKey(3),
    GKey(4),
    GKey(5),
    GKey(6),
    GKey(7),
    GKey(8),
    // 8..15: Esc ` Tab CapsLock LShift LCtrl G9 RWin
    Key(0x29),
    Key(0x35),
    Key(0x2B),
    Key(0x39),
    Mod(0x02),
    Mod(0x01),
    GKey(9),
    Mod(0x80),
    // 16..23: F1 1 Q A Z LWin Backspace Enter
    Key(0x3A),
    Key(0x1E),
    Key(0x14),
    Key(0x04),
    Key(0x1D),
    Mod(0x08),
    Key(0x2A),
    Key(0x28),
    // 24..31: F2 2 W S X LAlt PageDown NumLock
    Key(0x3B),
    Key(0x1F),
    Key(0x1A),
    Key(0x16),
    Key(0x1B),
    Mod(0x04),
    Key(0x4E),
    Key(0x53),
    // 32..39: F3 3 E D C Space PrintScreen KP/
    Key(0x3C),
    Key(0x20),
    Key(0x08),
    Key(0x07),
    Key(0x06),
    Key(0x2C),
    Key(0x46),
    Key(0x54),
    // 40..47: F4 4 R F V RAlt ScrollLock KP*
    Key(0x3D),
    Key(0x21),
    Key(0x15),
    Key(0x09),
    Key(0x19),
    Mod(0x40),
    Key(0x47),
    Key(0x55),
    // 48..55: F5 5 T G B (stop macro) = KP-
    Key(0x3E),
    Key(0x22),
    Key(0x17),
    Key(0x0A),
    Key(0x05),
    Entry{0x05, 0x02, 0x02},
    Key(0x2E),
    Key(0x56),
    // 56..63: F6 6 Y H N App Pause KP+
    Key(0x3F),
    Key(0x23),
    Key(0x1C),
    Key(0x0B),
    Key(0x11),
    Key(0x65),
    Key(0x48),
    Key(0x57),
    // 64..71: F7 7 U J M RCtrl Insert KPEnter
    Key(0x40),
    Key(0x24),
    Key(0x18),
    Key(0x0D),
    Key(0x10),
    Mod(0x10),
    Key(0x49),
    Key(0x58),
    // 72..79: F8 8 I K , Left Home KP1
    Key(0x41),
    Key(0x25),
    Key(0x0C),
    Key(0x0E),
    Key(0x36),
    Key(0x50),
    Key(0x4A),
    Key(0x59),
    // 80..87: F9 9 O L . Down PageUp KP2
    Key(0x42),
    Key(0x26),
    Key(0x12),
    Key(0x0F),
    Key(0x37),
    Key(0x51),
    Key(0x4B),
    Key(0x5A),
    // 88..95: F10 0 P ; / Up Delete KP3
    Key(0x43),
    Key(0x27),
    Key(0x13),
    Key(0x33),
    Key(0x38),
    Key(0x52),
    Key(0x4C),
    Key(0x5B),
    // 96..103: F11 - [ ' RShift Right End KP4
    Key(0x44),
    Key(0x2D),
    Key(0x2F),
    Key(0x34),
    Mod(0x20),
    Key(0x4F),
    Key(0x4D),
    Key(0x5C),
    // 104..111: F12 = ] backslash KP5 KP6 KP7 KP8
    Key(0x45),
    Key(0x2E),
    Key(0x30),
    Key(0x31),
    Key(0x5D),
    Key(0x5E),
    Key(0x5F),
    Key(0x60),
    // 112..119: G1..G8 of layer B
    GKey(10),
    GKey(11),
    GKey(12),
    GKey(13),
    GKey(14),
    GKey(15),
    GKey(16),
    GKey(17),
    // 120..125: G9 of layer B, KP9 KP0 KP.
    GKey(18),
    Key(0x61),
    Key(0x62),
    Key(0x63),
    kNone,
    kNone,
}};

// Ten 21-byte user key maps.
constexpr std::array<std::array<uint8_t, 21>, 10> kUserMaps = {{
    {0x00, 0x08, 0x0C, 0x08, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x30, 0x20, 0x20, 0, 0},
    {0x35, 0x0E, 0x0E, 0x0E, 0x2E, 0x0A, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    {0x27, 0x0E, 0x0E, 0x0E, 0x2A, 0x18, 0x10, 0, 0, 0, 0x04, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    {0x25, 0x0A, 0x1E, 0x1A, 0x3A, 0x12, 0x02, 0, 0, 0x08, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    {0x19, 0x0C, 0x1C, 0x0C, 0x10, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x30, 0x20, 0x20, 0, 0},
    {0, 0, 0, 0, 0, 0, 0x02, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 0, 0, 0, 0x02, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 0, 0, 0, 0, 0x02, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0x02, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x02, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
}};

// Mode, brightness, speed, map, direction, effect colour, -, base colour,
// second colour, report rate, tool, colour choice, mode-7 random, trigger, ...
constexpr std::array<uint8_t, 35> kLightingRecord = {0x01, 0x05, 0x03, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x08,
                                                     0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0xFF, 0x00,
                                                     0x00, 0x00, 0x00, 0xFF, 0xFF, 0x00, 0x00, 0xFF, 0xFF,
                                                     0xFF, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0x00, 0x00};

constexpr std::array<uint8_t, 3> kProfileModes = {1, 2, 254};

}  // namespace

std::array<uint8_t, kDefaultMatrixSize> FactoryDefaultMatrix() {
    std::array<uint8_t, kDefaultMatrixSize> matrix{};
    for (size_t k = 0; k < kMatrix.size(); ++k)
        std::copy(kMatrix[k].begin(), kMatrix[k].end(), &matrix[3 * k]);
    return matrix;
}

std::vector<uint8_t> FactoryModeList() {
    std::vector<uint8_t> modes;
    for (uint8_t id = 1; id <= 20; ++id) modes.push_back(id);
    modes.push_back(254);
    return modes;
}

std::array<uint8_t, kSettingsSize> FactorySettingsBlock(uint8_t macro_units) {
    std::array<uint8_t, kSettingsSize> block{};
    block[0] = 0x01;  // block layout version
    block[1] = 0x02;  // firmware 2.07
    block[2] = 0x07;
    block[3] = 3;   // on-board profiles
    block[4] = 9;   // G keys
    block[5] = 10;  // user key maps per profile
    block[6] = 3;   // highest report-rate index
    block[kSettingsActiveProfile] = 0;
    block[kSettingsMacroUnits] = macro_units;
    std::vector<uint8_t> modes = FactoryModeList();
    std::copy(modes.begin(), modes.end(), block.begin() + kSettingsModeList);
    return block;
}

std::array<uint8_t, 42> FactoryLightingRecord(int profile) {
    std::array<uint8_t, 42> record{};
    std::copy(kLightingRecord.begin(), kLightingRecord.end(), record.begin());
    if (profile >= 0 && profile < 3) record[0] = kProfileModes[static_cast<size_t>(profile)];
    return record;
}

std::array<uint8_t, 256> FactoryKeyLightPage() {
    std::array<uint8_t, 256> page{};
    for (size_t m = 0; m < kUserMaps.size(); ++m)
        std::copy(kUserMaps[m].begin(), kUserMaps[m].end(), &page[21 * m]);
    return page;
}

std::vector<uint8_t> FactoryMacroArea(size_t capacity) {
    std::vector<uint8_t> area(capacity, 0);
    if (capacity >= 16) {
        PutU16(area, 0, 0x55AA);
        PutU16(area, 2, 16);
        PutU16(area, 4, 0);
        PutU16(area, 6, 1);
    }
    return area;
}

}  // namespace kv::sim
