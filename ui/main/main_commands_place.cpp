// Dressing the command buttons from the skin.
#include "ui/kit/skin_placement.h"
#include "ui/main/main_commands.h"
#include "ui/main/main_style.h"
#include "ui/main/main_window_ids.h"

namespace kv::ui {

namespace {

using C = MainCanvases;

constexpr int kProfileCaptionEscapement = 268;  // tenths of a degree

}  // namespace

void MainCommands::Attach() {
    HWND d = context_.hwnd;
    const std::pair<CPngButton*, int> buttons[] = {
        {&ok_, IDOK},
        {&cancel_, IDCANCEL},
        {&apply_, IDC_APPLY},
        {&default_, IDC_DEFAULT},
        {&profile_manager_, IDC_PROFILE_MANAGER},
        {&macro_, IDC_MACRO},
        {&maker_link_, IDC_MAKER_LINK},
        {&facebook_, IDC_FACEBOOK},
        {&twitter_, IDC_TWITTER},
        {&help_, IDC_HELP_BUTTON},
        {&minimize_, IDC_MINIMIZE},
        {&close_, IDC_CLOSE},
        {&menu_, IDC_MENU},
        {&version_, IDC_VERSION},
        {&switch_, IDC_SWITCH},
    };
    for (auto [button, id] : buttons) button->Attach(d, id);
}

void MainCommands::PlaceTitleAndCommands() {
    const MainCanvases& c = context_.canvases;
    const StateCanvases link = c.Faces(C::N, C::O, C::X, C::N, C::N);
    const StateCanvases plain = c.Faces(C::N, C::O, C::D, C::N, C::N);
    const std::wstring& skin = context_.skin;

    PlaceSkinnedButton(maker_link_, skin, kSkinButtonSection, L"TORVIK_LINK", link);
    maker_link_.SetTooltip(links_.link);
    PlaceSkinnedButton(facebook_, skin, kSkinButtonSection, L"FACEBOOK_LINK", link);
    facebook_.SetTooltip(links_.facebook);
    PlaceSkinnedButton(twitter_, skin, kSkinButtonSection, L"TWITTER_LINK", link);
    twitter_.SetTooltip(links_.twitter);

    PlaceSkinnedButton(profile_manager_, skin, kSkinButtonSection, L"FUNC_PROFILES", plain);
    profile_manager_.SetTextRotation(kProfileCaptionEscapement, true);
    SetCaptionStyle(profile_manager_, kCaptionPoints, kCaptionFont, DT_BOTTOM | DT_SINGLELINE);

    PlaceSkinnedButton(macro_, skin, kSkinButtonSection, L"FUNC_MACRO", plain);
    PlaceSkinnedButton(ok_, skin, kSkinButtonSection, L"CONTROL_OK", plain);
    PlaceSkinnedButton(cancel_, skin, kSkinButtonSection, L"CONTROL_CANCEL", plain);

    const std::pair<CPngButton*, const wchar_t*> title[] = {{&help_, L"CONTROL_HELP"},
                                                            {&close_, L"CONTROL_CLOSE"},
                                                            {&minimize_, L"CONTROL_MINIMIZE"},
                                                            {&menu_, L"CONTROL_MENU"}};
    const wchar_t* tips[] = {L"MAIN_HELP_PROMPT", L"MAIN_CLOSE_PROMPT", L"MAIN_MINIMIZE_PROMPT",
                             L"MAIN_MENU_PROMPT"};
    for (size_t i = 0; i < std::size(title); ++i) {
        PlaceSkinnedButton(*title[i].first, skin, kSkinButtonSection, title[i].second, plain);
        title[i].first->SetTooltip(context_.Text(tips[i]));
    }
    PlaceSkinnedButton(apply_, skin, kSkinButtonSection, L"CONTROL2_APPLY",
                       c.Faces(C::N, C::O, C::D, C::X, C::N));
}

void MainCommands::PlaceVersion() {
    const MainCanvases& c = context_.canvases;
    PlaceSkinnedButton(version_, context_.skin, kSkinButtonSection, L"TORVIK_VER",
                       c.Faces(C::N, C::N, C::N, C::N, C::N));
    SetWindowTextW(version_.hwnd(), L"");
    SetCaptionStyle(version_, kVersionPoints, kVersionFont, DT_VCENTER | DT_SINGLELINE);
    EnableWindow(version_.hwnd(), FALSE);
}

void MainCommands::PlaceDefaultAndSwitch() {
    const StateCanvases faces = context_.canvases.Faces(C::N, C::O, C::D, C::N, C::X);
    PlaceSkinnedButton(default_, context_.skin, kSkinButtonSection, L"FUNC_DEFAULT", faces);
    PlaceSkinnedButton(switch_, context_.skin, kSkinButtonSection, L"FUNC_SWITCH", faces);
}

void MainCommands::StyleSwitch() {
    SetCaptionStyle(switch_, kCaptionPoints, kCaptionFont, DT_VCENTER | DT_SINGLELINE);
}

void MainCommands::ApplyTexts() {
    const std::pair<CPngButton*, const wchar_t*> tips[] = {{&minimize_, L"MAIN_MINIMIZE_PROMPT"},
                                                           {&menu_, L"MAIN_MENU_PROMPT"},
                                                           {&close_, L"MAIN_CLOSE_PROMPT"}};
    for (auto [button, key] : tips) button->SetTooltip(context_.Text(key));
    const std::pair<CPngButton*, const wchar_t*> captions[] = {{&macro_, L"PROFILE_MACRO"},
                                                               {&default_, L"PROFILE_DEFAULT"},
                                                               {&ok_, L"PROFILE_OK"},
                                                               {&cancel_, L"PROFILE_CANCLE"},
                                                               {&apply_, L"PROFILE_APPLY"}};
    for (auto [button, key] : captions) {
        SetWindowTextW(button->hwnd(), context_.Text(key).c_str());
        SetCaptionStyle(*button, kCaptionPoints, kCaptionFont, kCentredCaption);
    }
}

}  // namespace kv::ui
