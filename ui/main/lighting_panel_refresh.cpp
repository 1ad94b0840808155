// How the lighting panel shows the lighting model: after every read, when it
// is switched on or off, and when Default puts the lighting back.
#include <mutex>

#include "app/settings/language_texts.h"
#include "model/lighting/lighting_model.h"
#include "ui/kit/skin_placement.h"
#include "ui/main/lighting_panel.h"
#include "ui/main/main_window_ids.h"

namespace kv::ui {

namespace {

constexpr int kDefaultBrightness = 5;
constexpr int kDefaultSpeed = 3;

}  // namespace

int LightingPanel::Selection(int id) const {
    return static_cast<int>(SendMessageW(context_.Item(id), CB_GETCURSEL, 0, 0));
}

int LightingPanel::SelectedMode() const {
    const int selection = Selection(IDC_MODE_LIST);
    if (selection >= 0) return modes_.IdAt(selection);
    return Model() ? Model()->State().mode : 0;
}

void LightingPanel::Show(int id, const wchar_t* picture) const { bitmaps_.Show(context_.Item(id), picture); }

void LightingPanel::FillModeList() {
    HWND list = context_.Item(IDC_MODE_LIST);
    SendMessageW(list, CB_RESETCONTENT, 0, 0);
    const model::ModeList& modes = Model()->Modes();
    for (uint8_t id : modes) {
        if (id == 0) continue;
        const std::wstring name = app::ToWide(model::ModeName(context_.texts, id));
        SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    }
    modes_.Rebuild(modes);
}

void LightingPanel::ShowReportRate(int index) {
    for (size_t i = 0; i < rates_.size(); ++i) rates_[i].SetChecked(static_cast<int>(i) == index, true);
}

void LightingPanel::ShowSliders(int brightness, int speed) {
    brightness_.SetPos(brightness);
    if (const auto face = BrightnessFace(brightness))
        brightness_.SetFaceBitmap(bitmaps_.Get(FaceFile(*face)));
    speed_.SetPos(SpeedSliderPosition(speed));
    if (const auto face = SpeedFace(speed)) speed_.SetFaceBitmap(bitmaps_.Get(FaceFile(*face)));
}

void LightingPanel::ShowDirection(int mode, uint8_t byte4) {
    const DirectionPictures pictures = DirectionPicturesFor(mode, byte4);
    Show(IDC_DIRECTION_FIRST, pictures.first);
    Show(IDC_DIRECTION_SECOND, pictures.second);
}

void LightingPanel::PlaceDirection(int mode) {
    const std::wstring suffix = DirectionPlacementSuffix(mode);
    const std::pair<int, const wchar_t*> controls[] = {{IDC_DIRECTION_LABEL, L"CONTROL_BLFXStatic"},
                                                       {IDC_DIRECTION_FIRST, L"CONTROL_BLFXLStaPic"},
                                                       {IDC_DIRECTION_SECOND, L"CONTROL_BLFXRStaPic"}};
    for (auto [id, entry] : controls)
        MoveControlTo(context_.Item(id), context_.skin, kSkinButtonSection, entry + suffix);
}

void LightingPanel::ShowTool(int tool) {
    const ToolPictures pictures = ToolPicturesFor(tool);
    Show(IDC_TOOL_PAINT, pictures.paint);
    Show(IDC_TOOL_ERASE, pictures.erase);
}

void LightingPanel::RefreshLightingPanel(bool with_key_view) {
    model::LightingModel* lighting = Model();
    if (!lighting) return;
    const model::LightingState& state = lighting->State();
    // An id without panel behaviour is shown like mode 1, with nothing selected.
    const int shown_mode = model::IsHandledMode(state.mode) ? state.mode : 1;
    const bool on = lighting->PanelOn();

    FillModeList();
    ShowReportRate(state.report_rate);
    ShowSliders(state.brightness, state.speed);
    Show(IDC_LAMP, on ? L"dengdown.bmp" : L"dengup.bmp");
    if (on) ClearKeyFrames();
    ShowTool(state.tool);
    ShowDirection(shown_mode, state.byte4);
    for (int id : {IDC_CLEAR_ALL, IDC_EFFECT_RANDOM, IDC_MARK_ALL}) Show(id, L"sjsup.bmp");
    ShowHiddenValues();

    const int position = model::IsHandledMode(state.mode) ? modes_.IndexOfId(state.mode) : -1;
    SendMessageW(context_.Item(IDC_MODE_LIST), CB_SETCURSEL, static_cast<WPARAM>(position), 0);
    if (state.mode == model::kModePerKey && on && with_key_view) ShowKeyMap();
    SendMessageW(context_.Item(IDC_USER_MAP_LIST), CB_SETCURSEL,
                 static_cast<WPARAM>(UserMapAt(state.user_map).value_or(0)), 0);

    if (on)
        ShowGroups(GroupsFor(shown_mode, UnhandledMode::kLikeMode1));
    else
        ShowSwitchedOff();
    PlaceDirection(shown_mode);
}

void LightingPanel::LightingPanelOn() {
    Model()->SetPanelOn(true);
    Show(IDC_LAMP, L"dengdown.bmp");
    ClearKeyFrames();
    const int mode = SelectedMode();
    if (mode == model::kModePerKey) ShowKeyMap();
    ShowGroups(GroupsFor(mode, UnhandledMode::kLikeMode1));
}

void LightingPanel::LightingPanelOff() {
    Model()->SetPanelOn(false);
    Show(IDC_LAMP, L"dengup.bmp");
    ClearKeyFrames();
    {
        std::lock_guard lock(context_.app.sets.WorkingConfigLock());
        keyboard_.RefreshKeyButtons();
    }
    ShowSwitchedOff();
}

void LightingPanel::RestoreLightingPanelDefaults() {
    model::LightingModel* lighting = Model();
    if (!lighting || !lighting->PanelOn()) return;
    SendMessageW(context_.Item(IDC_MODE_LIST), CB_SETCURSEL, static_cast<WPARAM>(modes_.IndexOfId(1)), 0);
    OnModeChanged(CBN_SELCHANGE);
    // The slider stands where the default speed puts it, under the face that shows it.
    ShowSliders(kDefaultBrightness, kDefaultSpeed);
    ShowReportRate(0);

    const bool per_key = lighting->HasPerKeyMode();
    if (per_key) {
        SendMessageW(context_.Item(IDC_USER_MAP_LIST), CB_SETCURSEL, 0, 0);
        Show(IDC_CLEAR_ALL, L"sjsup.bmp");
        Show(IDC_EFFECT_RANDOM, L"sjsup.bmp");
    }
    lighting->RestoreLightingDefaults();
    // What the keyboard holds now; otherwise a slider moved back to the value
    // it had before would look unchanged and write nothing.
    std::array<uint8_t, model::kLightingRecordSize> record{};
    const auto mirrored = lighting->Record(lighting->CurrentProfile());
    std::copy(mirrored.begin(), mirrored.end(), record.begin());
    std::copy(model::kDefaultLightingRecord.begin(), model::kDefaultLightingRecord.end(), record.begin());
    model::DecodeLightingRecord(model::LightingRecordFrom(record), lighting->State());
    ShowHiddenValues();
    if (per_key) ShowKeyMap();
    ClearKeyFrames();
}

void LightingPanel::ShowHiddenValues() {
    model::LightingState& state = Model()->State();
    const std::pair<int, uint32_t> colours[] = {{IDC_EFFECT_COLOUR, state.effect_colour},
                                                {IDC_BASE_COLOUR, state.base_colour},
                                                {IDC_EFFECT2_COLOUR, state.effect2_colour},
                                                {IDC_STONE_COLOUR, state.stone_colour},
                                                {IDC_RIBBON_COLOUR, state.ribbon_colour}};
    for (auto [id, colour] : colours) {
        for (auto& [button_id, button] : colours_)
            if (button_id == id) button->SetColor(static_cast<COLORREF>(colour));
    }
    const auto toggle = [](bool on) { return on ? L"sjsdown.bmp" : L"sjsup.bmp"; };
    Show(IDC_STONE_RANDOM, toggle(state.stone_random));
    Show(IDC_RIBBON_RANDOM, toggle(state.ribbon_random));
    Show(IDC_TRIGGER_SINGLE, toggle(state.trigger_single));
    Show(IDC_TRIGGER_GRID, toggle(state.trigger_grid));

    if (state.colour_choice < 0 || state.colour_choice > 3) state.colour_choice = 0;  // shown as red
    const std::pair<int, const wchar_t*> choices[] = {{IDC_CHOICE_RED, L"hong"},
                                                      {IDC_CHOICE_YELLOW, L"huang"},
                                                      {IDC_CHOICE_GREEN, L"lv"},
                                                      {IDC_CHOICE_BLUE, L"lan"}};
    for (int i = 0; i < 4; ++i) {
        const std::wstring name =
            std::wstring(choices[i].second) + (i == state.colour_choice ? L"ok.bmp" : L".bmp");
        Show(choices[i].first, name.c_str());
    }
}

}  // namespace kv::ui
