// What the lighting panel's controls do. Every change the user makes is
// written to the keyboard at once through the lighting model; the panel shows
// the new value whether or not the keyboard took it.
#include "ui/main/lighting_panel.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <span>

#include "ui/kit/message_map.h"
#include "ui/main/main_window_ids.h"
#include "ui/main/main_window_messages.h"

namespace kv::ui {

namespace {

constexpr int kRateIds[] = {IDC_REPORT1, IDC_REPORT2, IDC_REPORT3, IDC_REPORT4};

}  // namespace

bool LightingPanel::Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    static constexpr MessageRoute<LightingPanel> kMessages[] = {
        {SliderPositionMessage, &LightingPanel::OnSliderPosition},
        {kMsgStartLightingTimer, &LightingPanel::OnStartLightingTimer},
    };
    // The two lists draw their own entries; every other owner-drawn control is someone else's.
    if (message == WM_DRAWITEM && (wParam == IDC_MODE_LIST || wParam == IDC_USER_MAP_LIST)) {
        result = OnDrawItem(wParam, lParam);
        return true;
    }
    static constexpr CommandRoute<LightingPanel> kCommands[] = {
        {IDC_MODE_LIST, CBN_SELCHANGE, &LightingPanel::OnModeChanged},
        {IDC_USER_MAP_LIST, CBN_SELCHANGE, &LightingPanel::OnUserMapChanged},
        {IDC_LAMP, STN_CLICKED, &LightingPanel::OnLampClicked},
        {IDC_CLEAR_ALL, STN_CLICKED, &LightingPanel::OnClearAllClicked},
        {IDC_MARK_ALL, STN_CLICKED, &LightingPanel::OnMarkAllClicked},
    };
    static constexpr CommandRangeRoute<LightingPanel> kRanges[] = {
        {IDC_DIRECTION_FIRST, IDC_DIRECTION_SECOND, STN_CLICKED, &LightingPanel::OnDirectionClicked},
        {IDC_TOOL_PAINT, IDC_TOOL_ERASE, STN_CLICKED, &LightingPanel::OnToolClicked},
        {IDC_REPORT1, IDC_REPORT1, BN_CLICKED, &LightingPanel::OnReportRateClicked},
        {IDC_REPORT2, IDC_REPORT4, BN_CLICKED, &LightingPanel::OnReportRateClicked},
    };
    static constexpr TimerRoute<LightingPanel> kTimers[] = {
        {kTimerLightingReadBack, &LightingPanel::OnLightingTimer},
    };
    static constexpr MessageMap<LightingPanel> kMap{kMessages, kCommands, {}, kRanges, kTimers};
    return kMap.Route(*this, message, wParam, lParam, result);
}

void LightingPanel::Write(uint8_t offset, uint8_t value) {
    if (model::LightingModel* lighting = Model()) lighting->WriteLightingBytes(offset, std::span(&value, 1));
}

void LightingPanel::OnModeChanged(WORD) {
    model::LightingModel* lighting = Model();
    const int selection = Selection(IDC_MODE_LIST);
    if (!lighting || selection == CB_ERR) return;  // no entry chosen: nothing to write
    const int mode = modes_.IdAt(selection);
    PlaceDirection(mode);
    ShowDirection(mode, lighting->State().byte4);
    ClearKeyFrames();
    if (mode >= 1 && mode <= 28) {
        lighting->State().mode = mode;
        Write(model::kLightMode, static_cast<uint8_t>(mode));
        if (mode == 17) ClearKeyFrames();
    } else if (mode == model::kModePerKey) {
        lighting->State().mode = mode;
        Write(model::kLightMode, model::kModePerKey);
        ShowKeyMap();
    }
    if (lighting->PanelOn()) ShowGroups(GroupsFor(mode, UnhandledMode::kHidden));
}

void LightingPanel::OnUserMapChanged(WORD) {
    model::LightingModel* lighting = Model();
    const std::optional<int> map = UserMapAt(Selection(IDC_USER_MAP_LIST));
    if (!lighting || !map) return;
    lighting->State().user_map = *map;
    Show(IDC_CLEAR_ALL, L"sjsup.bmp");
    Show(IDC_MARK_ALL, L"sjsup.bmp");
    if (lighting->PanelOn()) Write(model::kLightUserMap, static_cast<uint8_t>(*map));
    ShowKeyMap();
}

void LightingPanel::OnLampClicked(WORD) {
    model::LightingModel* lighting = Model();
    if (!lighting) return;
    if (lighting->PanelOn())
        LightingPanelOff();
    else
        LightingPanelOn();
}

void LightingPanel::OnDirectionClicked(WORD id, WORD) {
    model::LightingModel* lighting = Model();
    if (!lighting) return;
    const uint8_t direction = id == IDC_DIRECTION_FIRST ? model::kDirectionFirst : model::kDirectionSecond;
    ShowDirection(lighting->State().mode, direction);
    lighting->State().byte4 = direction;
    lighting->State().random_colour = direction != 0;
    Write(model::kLightDirection, direction);
}

void LightingPanel::OnToolClicked(WORD id, WORD) {
    model::LightingModel* lighting = Model();
    if (!lighting) return;
    const int tool = id == IDC_TOOL_PAINT ? 0 : 1;
    ShowTool(tool);
    lighting->State().tool = tool;
    Write(model::kLightTool, static_cast<uint8_t>(tool));
}

void LightingPanel::OnClearAllClicked(WORD) {
    model::LightingModel* lighting = Model();
    if (!lighting) return;
    Show(IDC_CLEAR_ALL, L"sjsdown.bmp");
    Show(IDC_MARK_ALL, L"sjsup.bmp");
    FrameAllKeys([](int) { return false; });
    lighting->ClearKeyMap();
}

void LightingPanel::OnMarkAllClicked(WORD) {
    model::LightingModel* lighting = Model();
    if (!lighting) return;
    Show(IDC_MARK_ALL, L"sjsdown.bmp");
    Show(IDC_CLEAR_ALL, L"sjsup.bmp");
    FrameAllKeys([](int) { return true; });
    lighting->FillKeyMap();
}

void LightingPanel::OnReportRateClicked(WORD id, WORD) {
    model::LightingModel* lighting = Model();
    if (!lighting) return;
    const auto at = std::find(std::begin(kRateIds), std::end(kRateIds), id);
    if (at == std::end(kRateIds)) return;
    const int index = static_cast<int>(at - std::begin(kRateIds));
    ShowReportRate(index);
    lighting->State().report_rate = index;
    Write(model::kLightReportRate, static_cast<uint8_t>(index));
}

LRESULT LightingPanel::OnSliderPosition(WPARAM id, LPARAM position) {
    model::LightingModel* lighting = Model();
    // The sliders only produce 0..5; anything else did not come from them.
    if (!lighting || !IsSliderPosition(position)) return 0;
    const int p = static_cast<int>(position);
    model::LightingState& state = lighting->State();
    if (id == IDC_BRIGHTNESS_SLIDER) {
        brightness_.SetFaceBitmap(bitmaps_.Get(FaceFile(*BrightnessFace(p))));
        if (p != state.brightness) {
            state.brightness = p;
            Write(model::kLightBrightness, static_cast<uint8_t>(p));
        }
    } else if (id == IDC_SPEED_SLIDER) {
        const int speed = SpeedFromSliderPosition(p);
        speed_.SetFaceBitmap(bitmaps_.Get(FaceFile(*SpeedFace(speed))));
        if (speed != state.speed) {
            state.speed = speed;
            Write(model::kLightSpeed, static_cast<uint8_t>(speed));
        }
    }
    return 0;
}

LRESULT LightingPanel::OnDrawItem(WPARAM id, LPARAM item) {
    const auto& draw = *reinterpret_cast<const DRAWITEMSTRUCT*>(item);
    (id == IDC_MODE_LIST ? mode_list_ : user_maps_).DrawItem(draw);
    return TRUE;
}

// The keyboard map hands over key and Fn clicks while the panel is on.
void LightingPanel::LightingKeyClick(int control_id) { OnLightingKeyClick(control_id); }

void LightingPanel::SetLampSwitch(bool on) {
    const model::LightingModel* lighting = context_.lighting;
    if (lighting && lighting->PanelOn() != on) OnLampClicked(STN_CLICKED);
}

void LightingPanel::PostLightingChanged() { PostMessageW(context_.hwnd, kMsgStartLightingTimer, 0, 0); }

LRESULT LightingPanel::OnStartLightingTimer(WPARAM, LPARAM) {
    // Restarting the same timer before it fires still gives one read-back.
    SetTimer(context_.hwnd, kTimerLightingReadBack, 0, nullptr);
    return 0;
}

void LightingPanel::OnLightingTimer() {
    KillTimer(context_.hwnd, kTimerLightingReadBack);
    model::LightingModel* lighting = Model();
    if (!lighting) return;
    lighting->ReadLightingRecords();
    RefreshLightingPanel(lighting->HasPerKeyMode());
}

}  // namespace kv::ui
