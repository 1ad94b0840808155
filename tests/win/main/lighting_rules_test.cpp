// The lighting panel's rules: which controls a mode shows, which pictures and
// faces stand for a value, and which selections count.
#include "ui/main/lighting_rules.h"

#include <gtest/gtest.h>

#include <string>

namespace kv::ui {
namespace {

TEST(LightingRules, EachModeShowsItsGroups) {
    // mode list, brightness, speed, direction, per-key
    const struct {
        int mode;
        UnhandledMode unhandled;
        PanelGroups groups;
    } cases[] = {
        {1, UnhandledMode::kHidden, {true, true, true, true, false}},
        {2, UnhandledMode::kHidden, {true, true, true, true, false}},
        {3, UnhandledMode::kHidden, {true, true, true, true, false}},
        {4, UnhandledMode::kHidden, {true, true, true, true, false}},
        {5, UnhandledMode::kHidden, {true, true, false, false, false}},
        {6, UnhandledMode::kHidden, {true, true, true, false, false}},
        {7, UnhandledMode::kHidden, {true, true, false, false, false}},
        {12, UnhandledMode::kHidden, {true, true, true, false, false}},
        {15, UnhandledMode::kHidden, {true, true, true, true, false}},
        {16, UnhandledMode::kHidden, {true, true, true, true, false}},
        {17, UnhandledMode::kHidden, {true, true, true, false, false}},
        {25, UnhandledMode::kHidden, {true, true, false, false, false}},
        {27, UnhandledMode::kHidden, {true, true, true, true, false}},
        {28, UnhandledMode::kHidden, {true, true, true, true, false}},
        {254, UnhandledMode::kHidden, {true, true, false, false, true}},
        // An id without panel behaviour: like mode 1 after a read, nothing from the selector.
        {40, UnhandledMode::kLikeMode1, {true, true, true, true, false}},
        {0, UnhandledMode::kLikeMode1, {true, true, true, true, false}},
        {29, UnhandledMode::kHidden, {}},
        {253, UnhandledMode::kHidden, {}},
    };
    for (const auto& c : cases) EXPECT_EQ(GroupsFor(c.mode, c.unhandled), c.groups) << "mode " << c.mode;
}

TEST(LightingRules, DirectionPicturesFollowModeAndByte4) {
    const struct {
        int mode;
        uint8_t byte4;
        std::wstring first, second;
    } cases[] = {
        {3, 0xFF, L"kuosandown.bmp", L"julong.bmp"},
        {3, 0x00, L"kuosan.bmp", L"julongdown.bmp"},
        {15, 0xFF, L"updown.bmp", L"downup.bmp"},
        {15, 0x00, L"upup.bmp", L"downdown.bmp"},
        {1, 0xFF, L"leftdown.bmp", L"rightup.bmp"},
        {1, 0x00, L"leftup.bmp", L"rightdown.bmp"},
        {16, 0xFF, L"leftdown.bmp", L"rightup.bmp"},
        {40, 0x00, L"leftup.bmp", L"rightdown.bmp"},
        // Only 0xFF chooses the first direction.
        {3, 0x01, L"kuosan.bmp", L"julongdown.bmp"},
        {1, 0xFE, L"leftup.bmp", L"rightdown.bmp"},
    };
    for (const auto& c : cases) {
        const DirectionPictures p = DirectionPicturesFor(c.mode, c.byte4);
        EXPECT_EQ(p.first, c.first) << "mode " << c.mode << " byte " << int{c.byte4};
        EXPECT_EQ(p.second, c.second) << "mode " << c.mode << " byte " << int{c.byte4};
    }
}

TEST(LightingRules, DirectionControlsMoveForModes1To3And12) {
    const struct {
        int mode;
        std::wstring suffix;
    } cases[] = {{1, L"2"}, {2, L"2"}, {3, L"2"}, {12, L"3"}, {4, L""}, {15, L""}, {254, L""}, {0, L""}};
    for (const auto& c : cases) EXPECT_EQ(DirectionPlacementSuffix(c.mode), c.suffix) << "mode " << c.mode;
}

TEST(LightingRules, ToolPicturesShowTheChosenTool) {
    EXPECT_EQ(std::wstring(ToolPicturesFor(0).paint), L"user1down.bmp");
    EXPECT_EQ(std::wstring(ToolPicturesFor(0).erase), L"user2up.bmp");
    EXPECT_EQ(std::wstring(ToolPicturesFor(1).paint), L"user1up.bmp");
    EXPECT_EQ(std::wstring(ToolPicturesFor(1).erase), L"user2down.bmp");
}

TEST(LightingRules, SliderFaces) {
    const struct {
        int value;
        std::optional<int> brightness, speed;
    } cases[] = {
        {0, 0, 11},  {1, 1, 10},   {3, 3, 8},    {5, 5, 6},     {6, 6, 19},
        {25, 25, 0}, {26, {}, {}}, {-1, {}, {}}, {255, {}, {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(BrightnessFace(c.value), c.brightness) << c.value;
        EXPECT_EQ(SpeedFace(c.value), c.speed) << c.value;
    }
    EXPECT_EQ(FaceFile(8), L"8.bmp");
}

TEST(LightingRules, TheSpeedSliderRunsBackwards) {
    EXPECT_EQ(SpeedSliderPosition(3), 2);
    EXPECT_EQ(SpeedSliderPosition(0), 5);
    EXPECT_EQ(SpeedFromSliderPosition(3), 2) << "position 2 to 3 writes speed 2";
    EXPECT_EQ(SpeedFromSliderPosition(2), 3);
    for (long long p : {-1LL, 6LL, 0x100000000LL}) EXPECT_FALSE(IsSliderPosition(p)) << p;
    for (long long p : {0LL, 5LL}) EXPECT_TRUE(IsSliderPosition(p)) << p;
}

TEST(LightingRules, OnlyTheEntryOfThePerKeyModeCounts) {
    model::ModeList listed{};
    listed[0] = 1;
    listed[1] = 5;
    listed[3] = 254;  // slot 2 empty: position 2
    model::LightModeTable with;
    with.Rebuild(listed);
    model::LightModeTable without;
    without.Rebuild(model::ModeList{1, 5});
    const struct {
        const model::LightModeTable* table;
        int selection;
        bool per_key;
    } cases[] = {
        {&with, 2, true},
        {&with, 1, false},
        {&with, 0, false},
        {&with, -1, false},
        // Nothing selected and no per-key mode listed: both "not found", still no edit.
        {&without, -1, false},
        {&without, 0, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PerKeyModeSelected(c.selection, *c.table), c.per_key) << "selection " << c.selection;
}

TEST(LightingRules, UserMapSelectionsPastTheTenMapsAreNone) {
    const struct {
        long long selection;
        std::optional<int> map;
    } cases[] = {{0, 0}, {3, 3}, {9, 9}, {10, {}}, {12, {}}, {-1, {}}, {255, {}}};
    for (const auto& c : cases) EXPECT_EQ(UserMapAt(c.selection), c.map) << c.selection;
}

}  // namespace
}  // namespace kv::ui
