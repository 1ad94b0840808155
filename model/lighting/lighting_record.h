// One profile's 42-byte lighting record as the keyboard keeps it, and the
// decoded view the lighting panel works with.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace kv::model {

constexpr size_t kLightingRecordSize = 42;
constexpr size_t kLightingDefaultSize = 35;  // bytes 35..41 are never written
constexpr size_t kUserMapCount = 10;

struct LightingRecord {
    uint8_t mode;
    uint8_t brightness;
    uint8_t speed;
    uint8_t user_map;
    uint8_t direction_or_random;  // direction modes: 0xFF first, 0x00 second; others: random colour
    uint8_t effect_colour[3];     // red, green, blue
    uint8_t reserved8;
    uint8_t base_colour[3];
    uint8_t effect2_colour[3];
    uint8_t report_rate;
    uint8_t tool;  // per-key mode: 0 paint, 1 erase
    uint8_t colour_choice;
    uint8_t mode7_random;
    uint8_t trigger;  // 0 single key, 1 grid
    uint8_t reserved20[5];
    uint8_t stone_colour[3];
    uint8_t stone_random;
    uint8_t reserved29;
    uint8_t ribbon_colour[3];
    uint8_t ribbon_random;
    uint8_t reserved34;
    uint8_t tail[7];  // read and mirrored only
};
static_assert(sizeof(LightingRecord) == kLightingRecordSize);
static_assert(offsetof(LightingRecord, direction_or_random) == 4);
static_assert(offsetof(LightingRecord, effect_colour) == 5);
static_assert(offsetof(LightingRecord, base_colour) == 9);
static_assert(offsetof(LightingRecord, effect2_colour) == 12);
static_assert(offsetof(LightingRecord, report_rate) == 15);
static_assert(offsetof(LightingRecord, tool) == 16);
static_assert(offsetof(LightingRecord, trigger) == 19);
static_assert(offsetof(LightingRecord, stone_colour) == 25);
static_assert(offsetof(LightingRecord, stone_random) == 28);
static_assert(offsetof(LightingRecord, ribbon_colour) == 30);
static_assert(offsetof(LightingRecord, ribbon_random) == 33);
static_assert(offsetof(LightingRecord, tail) == 35);

// Byte offsets for WriteLightingBytes.
enum LightingByte : uint8_t {
    kLightMode = 0,
    kLightBrightness = 1,
    kLightSpeed = 2,
    kLightUserMap = 3,
    kLightDirection = 4,
    kLightEffectColour = 5,
    kLightBaseColour = 9,
    kLightEffect2Colour = 12,
    kLightReportRate = 15,
    kLightTool = 16,
    kLightColourChoice = 17,
    kLightMode7Random = 18,
    kLightTrigger = 19,
    kLightStoneColour = 25,
    kLightStoneRandom = 28,
    kLightRibbonColour = 30,
    kLightRibbonRandom = 33,
};

constexpr uint8_t kDirectionFirst = 0xFF;
constexpr uint8_t kDirectionSecond = 0x00;
constexpr uint8_t kMaxReportRate = 3;

extern const std::array<uint8_t, kLightingDefaultSize> kDefaultLightingRecord;

// Colours in memory: red + green * 256 + blue * 65536.
uint32_t ColourOf(const uint8_t (&rgb)[3]);
std::array<uint8_t, 3> ColourBytes(uint32_t colour);

LightingRecord LightingRecordFrom(std::span<const uint8_t, kLightingRecordSize> bytes);

struct LightingState {
    int mode = 1;
    int brightness = 5;
    int speed = 3;
    int user_map = 0;  // 0..9
    uint8_t byte4 = 0;
    bool random_colour = false;
    uint32_t effect_colour = 0x0000FF;
    uint32_t base_colour = 0xFFFFFF;
    uint32_t effect2_colour = 0x0000FF;
    int report_rate = 0;  // 0..3
    int tool = 0;         // 0 paint, 1 erase
    int colour_choice = 0;
    bool mode7_random = false;
    bool trigger_single = true;
    bool trigger_grid = false;
    uint32_t stone_colour = 0xFFFFFF;
    bool stone_random = false;
    uint32_t ribbon_colour = 0xFFFFFF;
    bool ribbon_random = false;
};

// Decodes into an existing state: a few fields keep their previous value when
// the record holds nothing valid for them.
void DecodeLightingRecord(const LightingRecord& record, LightingState& state);

}  // namespace kv::model
