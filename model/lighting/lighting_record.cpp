#include "model/lighting/lighting_record.h"

#include <cstring>

namespace kv::model {

const std::array<uint8_t, kLightingDefaultSize> kDefaultLightingRecord = {
    0x01, 0x05, 0x03, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x08, 0xFF, 0xFF, 0xFF,
    0xFF, 0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0x00,
    0x00, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0x00, 0x00,
};

uint32_t ColourOf(const uint8_t (&rgb)[3]) {
    return static_cast<uint32_t>(rgb[0]) | (static_cast<uint32_t>(rgb[1]) << 8) |
           (static_cast<uint32_t>(rgb[2]) << 16);
}

std::array<uint8_t, 3> ColourBytes(uint32_t colour) {
    return {static_cast<uint8_t>(colour), static_cast<uint8_t>(colour >> 8),
            static_cast<uint8_t>(colour >> 16)};
}

LightingRecord LightingRecordFrom(std::span<const uint8_t, kLightingRecordSize> bytes) {
    LightingRecord record;
    std::memcpy(&record, bytes.data(), sizeof record);
    return record;
}

void DecodeLightingRecord(const LightingRecord& r, LightingState& s) {
    s.mode = r.mode;
    s.brightness = r.brightness;
    s.speed = r.speed;
    // The index addresses a 21-byte map inside a 256-byte page: a foreign value
    // would reach into the next profile's page.
    s.user_map = r.user_map < kUserMapCount ? r.user_map : 0;
    s.byte4 = r.direction_or_random;
    s.random_colour = r.direction_or_random != 0;
    s.effect_colour = ColourOf(r.effect_colour);
    s.base_colour = ColourOf(r.base_colour);
    s.effect2_colour = ColourOf(r.effect2_colour);
    s.report_rate = r.report_rate > kMaxReportRate ? kMaxReportRate : r.report_rate;
    s.tool = r.tool <= 1 ? r.tool : 0;
    s.colour_choice = r.colour_choice;
    if (r.mode == 7 && r.mode7_random <= 1) s.mode7_random = r.mode7_random != 0;
    if (r.trigger == 0) {
        s.trigger_single = true;
        s.trigger_grid = false;
    } else if (r.trigger == 1) {
        s.trigger_single = false;
        s.trigger_grid = true;
    }
    s.stone_colour = ColourOf(r.stone_colour);
    s.stone_random = r.stone_random != 0;
    s.ribbon_colour = ColourOf(r.ribbon_colour);
    s.ribbon_random = r.ribbon_random != 0;
}

}  // namespace kv::model
