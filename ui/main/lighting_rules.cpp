#include "ui/main/lighting_rules.h"

#include "model/lighting/lighting_record.h"

namespace kv::ui {

namespace {

bool IsDirectionMode(int mode) {
    switch (mode) {
        case 1:
        case 2:
        case 3:
        case 4:
        case 15:
        case 16:
        case 27:
        case 28:
            return true;
        default:
            return false;
    }
}

// Modes without a speed of their own.
bool HasSpeed(int mode) { return mode != 5 && mode != 7 && mode != 25 && mode != model::kModePerKey; }

}  // namespace

PanelGroups GroupsFor(int mode, UnhandledMode unhandled) {
    if (!model::IsHandledMode(mode)) {
        if (unhandled == UnhandledMode::kHidden) return {};
        mode = 1;
    }
    PanelGroups groups;
    groups.mode_list = true;
    groups.brightness = true;
    groups.speed = HasSpeed(mode);
    groups.direction = IsDirectionMode(mode);
    groups.per_key = mode == model::kModePerKey;
    return groups;
}

DirectionPictures DirectionPicturesFor(int mode, uint8_t byte4) {
    const bool first = byte4 == model::kDirectionFirst;
    switch (mode) {
        case 3:
            return first ? DirectionPictures{L"kuosandown.bmp", L"julong.bmp"}
                         : DirectionPictures{L"kuosan.bmp", L"julongdown.bmp"};
        case 15:
            return first ? DirectionPictures{L"updown.bmp", L"downup.bmp"}
                         : DirectionPictures{L"upup.bmp", L"downdown.bmp"};
        default:
            return first ? DirectionPictures{L"leftdown.bmp", L"rightup.bmp"}
                         : DirectionPictures{L"leftup.bmp", L"rightdown.bmp"};
    }
}

const wchar_t* DirectionPlacementSuffix(int mode) {
    if (mode >= 1 && mode <= 3) return L"2";
    if (mode == 12) return L"3";
    return L"";
}

ToolPictures ToolPicturesFor(int tool) {
    return tool == 1 ? ToolPictures{L"user1up.bmp", L"user2down.bmp"}
                     : ToolPictures{L"user1down.bmp", L"user2up.bmp"};
}

std::optional<int> BrightnessFace(int brightness) {
    if (brightness < 0 || brightness > kLargestFace) return std::nullopt;
    return brightness;
}

std::optional<int> SpeedFace(int speed) {
    if (speed < 0 || speed > kLargestFace) return std::nullopt;
    return speed <= kSliderMax ? 11 - speed : kLargestFace - speed;
}

bool PerKeyModeSelected(int selection, const model::LightModeTable& modes) {
    return selection >= 0 && selection == modes.IndexOfId(model::kModePerKey);
}

std::optional<int> UserMapAt(long long selection) {
    if (selection < 0 || selection >= static_cast<long long>(model::kUserMapCount)) return std::nullopt;
    return static_cast<int>(selection);
}

std::wstring FaceFile(int face) { return std::to_wstring(face) + L".bmp"; }

}  // namespace kv::ui
