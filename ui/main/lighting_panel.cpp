// What the lighting panel does. Every change the user makes is written to
// the keyboard at once through the lighting model.
#include "ui/main/lighting_panel.h"

#include "ui/kit/message_map.h"
#include "ui/main/main_window_ids.h"
#include "ui/main/main_window_messages.h"

namespace kv::ui {

bool LightingPanel::Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    static constexpr MessageRoute<LightingPanel> kMessages[] = {
        {SliderPositionMessage, &LightingPanel::OnSliderPosition},
        {kMsgStartLightingTimer, &LightingPanel::OnStartLightingTimer},
    };
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

// Mode selector: direction pictures and placement, key frames, byte 0, visibility.
void LightingPanel::OnModeChanged(WORD) {}

// User-map selector: byte 3 while the panel is on, then the key frames.
void LightingPanel::OnUserMapChanged(WORD) {}

// Lamp: switches the panel on or off ("KEYCOLOR"/"DengCheck").
void LightingPanel::OnLampClicked(WORD) {}

// Directions: byte 4 = 0xFF (first) or 0x00 (second).
void LightingPanel::OnDirectionClicked(WORD, WORD) {}

// Paint and erase tools: byte 16.
void LightingPanel::OnToolClicked(WORD, WORD) {}

// Clears every mark of the current user map.
void LightingPanel::OnClearAllClicked(WORD) {}

// Marks every key of the current user map.
void LightingPanel::OnMarkAllClicked(WORD) {}

// Report rate 0..3: byte 15.
void LightingPanel::OnReportRateClicked(WORD, WORD) {}

// Brightness (byte 1) and speed (byte 2) from the sliders' positions.
LRESULT LightingPanel::OnSliderPosition(WPARAM, LPARAM) { return 0; }

// The whole panel from the lighting model.
void LightingPanel::RefreshLightingPanel(bool) {}

// Per-key editing of the current user map in mode 254: paint or erase.
void LightingPanel::LightingKeyClick(int) {}

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
    model::LightingModel* lighting = context_.lighting;
    if (!lighting) return;
    lighting->ReadLightingRecords();
    RefreshLightingPanel(lighting->HasPerKeyMode());
}

}  // namespace kv::ui
