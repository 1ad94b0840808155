#include "model/lighting/lighting_record.h"

#include <gtest/gtest.h>

#include <functional>

namespace kv::model {
namespace {

LightingRecord DefaultRecord() {
    std::array<uint8_t, kLightingRecordSize> bytes{};
    std::copy(kDefaultLightingRecord.begin(), kDefaultLightingRecord.end(), bytes.begin());
    return LightingRecordFrom(bytes);
}

TEST(LightingRecord, DefaultRecordDecodesToTheDefaults) {
    LightingState state;
    state.trigger_single = false;
    state.trigger_grid = true;
    DecodeLightingRecord(DefaultRecord(), state);
    EXPECT_EQ(state.mode, 1);
    EXPECT_EQ(state.brightness, 5);
    EXPECT_EQ(state.speed, 3);
    EXPECT_EQ(state.user_map, 0);
    EXPECT_FALSE(state.random_colour);
    EXPECT_EQ(state.effect_colour, 0x0000FFu);  // red
    EXPECT_EQ(state.base_colour, 0xFFFFFFu);
    EXPECT_EQ(state.effect2_colour, 0x0000FFu);
    EXPECT_EQ(state.report_rate, 0);
    EXPECT_EQ(state.tool, 0);  // 0xFF reads as paint
    EXPECT_TRUE(state.trigger_single);
    EXPECT_FALSE(state.trigger_grid);
    EXPECT_EQ(state.stone_colour, 0xFFFFFFu);
    EXPECT_EQ(state.ribbon_colour, 0xFFFFFFu);
}

TEST(LightingRecord, ColoursAreRedGreenBlue) {
    LightingRecord r = DefaultRecord();
    r.effect_colour[0] = 0x12;
    r.effect_colour[1] = 0x34;
    r.effect_colour[2] = 0x56;
    LightingState state;
    DecodeLightingRecord(r, state);
    EXPECT_EQ(state.effect_colour, 0x563412u);
    EXPECT_EQ(ColourBytes(0x563412u), (std::array<uint8_t, 3>{0x12, 0x34, 0x56}));
}

struct DecodeCase {
    const char* name;
    std::function<void(LightingRecord&)> edit;
    std::function<void(LightingState&)> before;  // state held before the read
    std::function<void(const LightingState&)> check;
};

TEST(LightingRecord, DecodeRules) {
    const DecodeCase cases[] = {
        {"report rate above 3 reads as 3", [](auto& r) { r.report_rate = 7; }, [](auto&) {},
         [](const auto& s) { EXPECT_EQ(s.report_rate, 3); }},
        {"report rate 2 as it is", [](auto& r) { r.report_rate = 2; }, [](auto&) {},
         [](const auto& s) { EXPECT_EQ(s.report_rate, 2); }},
        {"tool 1 is erase", [](auto& r) { r.tool = 1; }, [](auto&) {},
         [](const auto& s) { EXPECT_EQ(s.tool, 1); }},
        {"tool 5 reads as paint", [](auto& r) { r.tool = 5; }, [](auto& s) { s.tool = 1; },
         [](const auto& s) { EXPECT_EQ(s.tool, 0); }},
        {"trigger 1 is grid", [](auto& r) { r.trigger = 1; }, [](auto&) {},
         [](const auto& s) {
             EXPECT_TRUE(s.trigger_grid);
             EXPECT_FALSE(s.trigger_single);
         }},
        {"trigger 2 keeps the previous flags", [](auto& r) { r.trigger = 2; },
         [](auto& s) {
             s.trigger_single = false;
             s.trigger_grid = true;
         },
         [](const auto& s) {
             EXPECT_TRUE(s.trigger_grid);
             EXPECT_FALSE(s.trigger_single);
         }},
        {"mode-7 flag taken in mode 7",
         [](auto& r) {
             r.mode = 7;
             r.mode7_random = 1;
         },
         [](auto&) {}, [](const auto& s) { EXPECT_TRUE(s.mode7_random); }},
        {"mode-7 flag ignored in another mode",
         [](auto& r) {
             r.mode = 6;
             r.mode7_random = 0;
         },
         [](auto& s) { s.mode7_random = true; }, [](const auto& s) { EXPECT_TRUE(s.mode7_random); }},
        {"mode-7 flag 2 ignored",
         [](auto& r) {
             r.mode = 7;
             r.mode7_random = 2;
         },
         [](auto& s) { s.mode7_random = true; }, [](const auto& s) { EXPECT_TRUE(s.mode7_random); }},
        {"byte 4 kept as read, non-zero is random", [](auto& r) { r.direction_or_random = 0xFF; },
         [](auto&) {},
         [](const auto& s) {
             EXPECT_EQ(s.byte4, 0xFF);
             EXPECT_TRUE(s.random_colour);
         }},
        {"user map 9 as it is", [](auto& r) { r.user_map = 9; }, [](auto&) {},
         [](const auto& s) { EXPECT_EQ(s.user_map, 9); }},
        {"user map past the ten maps reads as 0", [](auto& r) { r.user_map = 200; },
         [](auto& s) { s.user_map = 4; }, [](const auto& s) { EXPECT_EQ(s.user_map, 0); }},
        {"colour choice kept as read", [](auto& r) { r.colour_choice = 9; }, [](auto&) {},
         [](const auto& s) { EXPECT_EQ(s.colour_choice, 9); }},
        {"effect random flags",
         [](auto& r) {
             r.stone_random = 3;
             r.ribbon_random = 0;
         },
         [](auto& s) { s.ribbon_random = true; },
         [](const auto& s) {
             EXPECT_TRUE(s.stone_random);
             EXPECT_FALSE(s.ribbon_random);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        LightingRecord r = DefaultRecord();
        c.edit(r);
        LightingState state;
        c.before(state);
        DecodeLightingRecord(r, state);
        c.check(state);
    }
}

}  // namespace
}  // namespace kv::model
