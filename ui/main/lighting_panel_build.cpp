// Building the lighting panel from the skin.
#include <algorithm>
#include <iterator>
#include <span>

#include "ui/kit/skin_placement.h"
#include "ui/main/lighting_panel.h"
#include "ui/main/main_canvases.h"
#include "ui/main/main_window_ids.h"

namespace kv::ui {

namespace {

enum class Kind { Picture, Label, Slider, Combo, Colour };

struct PanelControl {
    int id;
    const wchar_t* entry;
    Kind kind;
    const wchar_t* picture = nullptr;  // shown from the start
};

constexpr PanelControl kControls[] = {
    {IDC_LAMP, L"CONTROL_DengStaPic", Kind::Picture, L"dengup.bmp"},
    {IDC_LAMP_LABEL, L"CONTROL_DengStatic", Kind::Label},
    {IDC_MODE_LIST, L"CONTROL_XGcombox", Kind::Combo},
    {IDC_BRIGHTNESS_LABEL, L"CONTROL_LightStatic", Kind::Label},
    {IDC_BRIGHTNESS_SLIDER, L"CONTROL_LightSlider", Kind::Slider},
    {IDC_SPEED_LABEL, L"CONTROL_SpeedStatic", Kind::Label},
    {IDC_SPEED_SLIDER, L"CONTROL_SpeedSlider", Kind::Slider},
    {IDC_DIRECTION_LABEL, L"CONTROL_BLFXStatic", Kind::Label},
    {IDC_DIRECTION_FIRST, L"CONTROL_BLFXLStaPic", Kind::Picture, L"leftup.bmp"},
    {IDC_DIRECTION_SECOND, L"CONTROL_BLFXRStaPic", Kind::Picture, L"rightdown.bmp"},
    {IDC_USER_MAP_LIST, L"CONTROL_umCombo", Kind::Combo},
    {IDC_TOOL_LABEL, L"CONTROL_USERgjStatic", Kind::Label},
    {IDC_TOOL_PAINT, L"CONTROL_USERgjStaPic1", Kind::Picture, L"user1down.bmp"},
    {IDC_TOOL_ERASE, L"CONTROL_USERgjStaPic2", Kind::Picture, L"user2up.bmp"},
    {IDC_CLEAR_ALL, L"CONTROL_HXsjsStaPic", Kind::Picture, L"sjsup.bmp"},
    {IDC_CLEAR_ALL_LABEL, L"CONTROL_HXsjsStatic", Kind::Label},
    {IDC_MARK_ALL, L"CONTROL_LEDsjsStaPic", Kind::Picture, L"sjsup.bmp"},
    {IDC_MARK_ALL_LABEL, L"CONTROL_LEDsjsStatic", Kind::Label},
    {IDC_BUSY_INDICATOR, L"CONTROL_JDTStatic", Kind::Picture, L"jdt1.bmp"},
    {IDC_USB_LABEL, L"CONTROL_UsbStatic", Kind::Label},
    // Colour, random-colour, trigger and colour-choice controls: placed, never shown.
    {IDC_EFFECT_COLOUR_LABEL, L"CONTROL_FYYSStatic", Kind::Label},
    {IDC_EFFECT_COLOUR, L"CONTROL_FYYSButton", Kind::Colour},
    {IDC_BASE_COLOUR_LABEL, L"CONTROL_HXysStatic", Kind::Label},
    {IDC_BASE_COLOUR, L"CONTROL_HXysButton", Kind::Colour},
    {IDC_EFFECT2_COLOUR_LABEL, L"CONTROL_JTysStatic", Kind::Label},
    {IDC_EFFECT2_COLOUR, L"CONTROL_JTysButton", Kind::Colour},
    {IDC_USER_COLOUR_LABEL, L"CONTROL_USERysStatic", Kind::Label},
    {IDC_USER_COLOUR, L"CONTROL_USERysButton", Kind::Colour},
    {IDC_USER_BACK_COLOUR_LABEL, L"CONTROL_USERjsStatic", Kind::Label},
    {IDC_USER_BACK_COLOUR, L"CONTROL_USERjsButton", Kind::Colour},
    {IDC_STONE_COLOUR_LABEL, L"CONTROL_TSysStatic", Kind::Label},
    {IDC_STONE_COLOUR, L"CONTROL_TSysButton", Kind::Colour},
    {IDC_RIBBON_COLOUR_LABEL, L"CONTROL_CDysStatic", Kind::Label},
    {IDC_RIBBON_COLOUR, L"CONTROL_CDysButton", Kind::Colour},
    {IDC_EFFECT_RANDOM, L"CONTROL_FYSJSStaPic", Kind::Picture, L"sjsup.bmp"},
    {IDC_EFFECT_RANDOM_LABEL, L"CONTROL_FYSJSStatic", Kind::Label},
    {IDC_STONE_RANDOM_LABEL, L"CONTROL_TSsjsStatic", Kind::Label},
    {IDC_STONE_RANDOM, L"CONTROL_TSsjsStaPic", Kind::Picture, L"sjsup.bmp"},
    {IDC_RIBBON_RANDOM_LABEL, L"CONTROL_CDsjsStatic", Kind::Label},
    {IDC_RIBBON_RANDOM, L"CONTROL_CDsjsStaPic", Kind::Picture, L"sjsup.bmp"},
    {IDC_TRIGGER_LABEL, L"CONTROL_FYCFStatic", Kind::Label},
    {IDC_TRIGGER_SINGLE_LABEL, L"CONTROL_FYdjcfStatic", Kind::Label},
    {IDC_TRIGGER_GRID_LABEL, L"CONTROL_FYggcfStatc", Kind::Label},
    {IDC_TRIGGER_SINGLE, L"CONTROL_FYdjcfStaPic", Kind::Picture, L"sjsdown.bmp"},
    {IDC_TRIGGER_GRID, L"CONTROL_FYggcfStaPic", Kind::Picture, L"sjsup.bmp"},
    {IDC_CHOICE_RED, L"CONTROL_HONGPIC", Kind::Picture, L"hong.bmp"},
    {IDC_CHOICE_YELLOW, L"CONTROL_HUANGPIC", Kind::Picture, L"huang.bmp"},
    {IDC_CHOICE_GREEN, L"CONTROL_LVPIC", Kind::Picture, L"lv.bmp"},
    {IDC_CHOICE_BLUE, L"CONTROL_LANPIC", Kind::Picture, L"lan.bmp"},
};

// Shown while the panel is switched off, besides the report-rate buttons.
constexpr int kShownSwitchedOff[] = {IDC_LAMP, IDC_LAMP_LABEL, IDC_USB_LABEL};

// The groups that the mode shows or hides.
constexpr int kModeListGroup[] = {IDC_MODE_LIST};
constexpr int kBrightnessGroup[] = {IDC_BRIGHTNESS_LABEL, IDC_BRIGHTNESS_SLIDER};
constexpr int kSpeedGroup[] = {IDC_SPEED_LABEL, IDC_SPEED_SLIDER};
constexpr int kDirectionGroup[] = {IDC_DIRECTION_LABEL, IDC_DIRECTION_FIRST, IDC_DIRECTION_SECOND};
constexpr int kPerKeyGroup[] = {IDC_USER_MAP_LIST, IDC_TOOL_LABEL,      IDC_TOOL_PAINT, IDC_TOOL_ERASE,
                                IDC_CLEAR_ALL,     IDC_CLEAR_ALL_LABEL, IDC_MARK_ALL,   IDC_MARK_ALL_LABEL};
constexpr int kRateIds[] = {IDC_REPORT1, IDC_REPORT2, IDC_REPORT3, IDC_REPORT4};
constexpr const wchar_t* kRateEntries[] = {L"FUNC_REPORT1", L"FUNC_REPORT2", L"FUNC_REPORT3",
                                           L"FUNC_REPORT4"};

struct Caption {
    int id;
    const wchar_t* key;  // section "LIGHT"
};
constexpr Caption kCaptions[] = {
    {IDC_USB_LABEL, L"Usb"},
    {IDC_LAMP_LABEL, L"Deng"},
    {IDC_BRIGHTNESS_LABEL, L"Light"},
    {IDC_DIRECTION_LABEL, L"FX"},
    {IDC_SPEED_LABEL, L"Speed"},
    {IDC_EFFECT_COLOUR_LABEL, L"Color"},
    {IDC_BASE_COLOUR_LABEL, L"Color"},
    {IDC_USER_COLOUR_LABEL, L"Color"},
    {IDC_USER_BACK_COLOUR_LABEL, L"JColor"},
    {IDC_CLEAR_ALL_LABEL, L"DC"},
    {IDC_EFFECT_RANDOM_LABEL, L"DC"},
    {IDC_TOOL_LABEL, L"Tool"},
    {IDC_MARK_ALL_LABEL, L"LEDOFF"},
};

constexpr int kSliderPage = 10;
constexpr int kUserMapCount = 10;
// The lists' closed boxes stand as high as the pictures beside them.
constexpr int kListFieldHeight = 26;
constexpr int kListEntryHeight = 22;

}  // namespace

void LightingPanel::Attach() {
    mode_list_.Attach(context_.hwnd, IDC_MODE_LIST);
    user_maps_.Attach(context_.hwnd, IDC_USER_MAP_LIST);
    for (size_t i = 0; i < rates_.size(); ++i) rates_[i].Attach(context_.hwnd, kRateIds[i]);
}

void LightingPanel::PlaceReportButtons() {
    using C = MainCanvases;
    const StateCanvases faces = context_.canvases.Faces(C::N, C::O, C::D, C::N, C::X);
    for (size_t i = 0; i < rates_.size(); ++i)
        PlaceSkinnedButton(rates_[i], context_.skin, kSkinButtonSection, kRateEntries[i], faces);
}

void LightingPanel::Build() {
    bitmaps_.Load(context_.app.paths.main_skin_folder);
    for (const PanelControl& c : kControls) {
        HWND control = context_.Item(c.id);
        PlaceControl(control, context_.skin, kSkinButtonSection, c.entry);
        switch (c.kind) {
            case Kind::Picture:
                if (c.picture) bitmaps_.Show(control, c.picture);
                break;
            case Kind::Label: {
                // Level with the control beside it; the lamp's label centred under the lamp.
                LONG_PTR style = GetWindowLongPtrW(control, GWL_STYLE) | SS_CENTERIMAGE;
                if (c.id == IDC_LAMP_LABEL) style = (style & ~static_cast<LONG_PTR>(SS_TYPEMASK)) | SS_CENTER;
                SetWindowLongPtrW(control, GWL_STYLE, style);
                labels_.push_back(std::make_unique<ColorStatic>());
                labels_.back()->Attach(control);
                break;
            }
            case Kind::Colour: {
                auto button = std::make_unique<CSkinColorBtn>();
                button->Attach(control);
                button->EnableOtherButton(L"other");
                button->SetColumnsNumber(10);
                colours_.emplace_back(c.id, std::move(button));
                break;
            }
            case Kind::Slider:
            case Kind::Combo:
                break;
        }
    }
    const std::pair<CBitmapSlider*, const wchar_t*> sliders[] = {{&brightness_, L"0.bmp"},
                                                                 {&speed_, L"6.bmp"}};
    brightness_.Attach(context_.hwnd, IDC_BRIGHTNESS_SLIDER);
    speed_.Attach(context_.hwnd, IDC_SPEED_SLIDER);
    for (auto [slider, face] : sliders) {
        slider->SetFaceBitmap(bitmaps_.Get(face));
        slider->SetRange(0, kSliderMax);
        slider->SetPageSize(kSliderPage);
    }
    for (CSkinCombo* list : {&mode_list_, &user_maps_}) list->SetHeights(kListFieldHeight, kListEntryHeight);
    ShowWindow(context_.Item(IDC_BUSY_INDICATOR), SW_HIDE);
    ShowSwitchedOff();
}

void LightingPanel::ShowSwitchedOff() {
    for (const PanelControl& c : kControls) {
        const bool shown = std::find(std::begin(kShownSwitchedOff), std::end(kShownSwitchedOff), c.id) !=
                           std::end(kShownSwitchedOff);
        // The busy indicator shows and hides with Apply, whatever the panel does.
        if (!shown && c.id != IDC_BUSY_INDICATOR) ShowWindow(context_.Item(c.id), SW_HIDE);
    }
}

void LightingPanel::ShowGroups(const PanelGroups& groups) {
    const std::pair<std::span<const int>, bool> shown[] = {{kModeListGroup, groups.mode_list},
                                                           {kBrightnessGroup, groups.brightness},
                                                           {kSpeedGroup, groups.speed},
                                                           {kDirectionGroup, groups.direction},
                                                           {kPerKeyGroup, groups.per_key}};
    for (auto [ids, show] : shown) {
        for (int id : ids) ShowWindow(context_.Item(id), show ? SW_SHOWNA : SW_HIDE);
    }
}

void LightingPanel::FillUserMapList() {
    HWND list = context_.Item(IDC_USER_MAP_LIST);
    SendMessageW(list, CB_RESETCONTENT, 0, 0);
    for (int n = 1; n <= kUserMapCount; ++n) {
        const std::wstring name = L"USER_MODE" + std::to_wstring(n);
        SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    }
}

void LightingPanel::ApplyCaptions() {
    for (const Caption& c : kCaptions)
        SetWindowTextW(context_.Item(c.id), context_.Text(L"LIGHT", c.key).c_str());
}

}  // namespace kv::ui
