// What the lighting panel shows for a lighting state: which groups of
// controls, which direction pictures and where they stand, which slider
// faces. Plain functions of the state, so that the rules hold without a window.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "model/lighting/light_modes.h"

namespace kv::ui {

// The panel's control groups that the mode decides about.
struct PanelGroups {
    bool mode_list = false;   // 1146
    bool brightness = false;  // 1172, 1178
    bool speed = false;       // 1166, 1179
    bool direction = false;   // 1148, 1149, 1150
    bool per_key = false;     // 1198, 1163..1165, 1156, 1173, 1207, 1208
    bool operator==(const PanelGroups&) const = default;
};

// How an id without panel behaviour is shown: like mode 1 (a refresh or the
// lamp), or not at all (the mode selector's own choice).
enum class UnhandledMode { kLikeMode1, kHidden };

// The groups of a switched-on panel in mode `mode`.
PanelGroups GroupsFor(int mode, UnhandledMode unhandled);

// Pictures of the two direction controls (1149, 1150) for a mode and record
// byte 4 (0xFF: the first direction is chosen; anything else: the second).
struct DirectionPictures {
    const wchar_t* first;
    const wchar_t* second;
};
DirectionPictures DirectionPicturesFor(int mode, uint8_t byte4);

// Suffix of the skin entries the direction controls move to: "" for the
// usual place, "2" for modes 1 to 3, "3" for mode 12.
const wchar_t* DirectionPlacementSuffix(int mode);

// Pictures of the paint (1164) and erase (1165) tools for a tool value.
struct ToolPictures {
    const wchar_t* paint;
    const wchar_t* erase;
};
ToolPictures ToolPicturesFor(int tool);

// The sliders run from 0 to 5. Brightness shows face v; speed s shows face
// 11 - s up to 5 and 25 - s from 6 on. No face (nullopt) outside 0..25.
inline constexpr int kSliderMax = 5;
inline constexpr int kLargestFace = 25;
std::optional<int> BrightnessFace(int brightness);
std::optional<int> SpeedFace(int speed);
// The speed slider runs the other way: position 5 - speed.
constexpr int SpeedSliderPosition(int speed) { return kSliderMax - speed; }
constexpr int SpeedFromSliderPosition(int position) { return kSliderMax - position; }
constexpr bool IsSliderPosition(long long position) { return position >= 0 && position <= kSliderMax; }

// A key click edits the light map only while the selector's entry is the
// per-key mode; no selection (-1) never counts, even when the keyboard does
// not list that mode either.
bool PerKeyModeSelected(int selection, const model::LightModeTable& modes);

// The user map a selector position stands for; nothing for no selection or a
// position past the ten maps.
std::optional<int> UserMapAt(long long selection);

// File name of slider face n: "n.bmp".
std::wstring FaceFile(int face);

}  // namespace kv::ui
