#include "ui/dialogs/dialog_buttons.h"

#include "ui/kit/skin_placement.h"

namespace kv::ui {

namespace {

// The skin set's caption colours: light text on the dark pills, dark text on
// the accent face (whose hover face is dark with an accent rim), grey when disabled.
constexpr StateColors kPlainColors{RGB(0xE9, 0xEB, 0xEE), RGB(0xFF, 0xFF, 0xFF), RGB(0xFF, 0xB3, 0x5C),
                                   RGB(0x5A, 0x5F, 0x66), RGB(0xFF, 0xB3, 0x5C)};
constexpr StateColors kAccentColors{RGB(0x1A, 0x12, 0x08), RGB(0xFF, 0x8C, 0x1A), RGB(0x1A, 0x12, 0x08),
                                    RGB(0x5A, 0x5F, 0x66), RGB(0x1A, 0x12, 0x08)};
constexpr int kCaptionPoints = 9;
constexpr int kAccentCaptionPoints = 10;

}  // namespace

void SetCaption(CPngButton& button, const std::wstring& text, CaptionFace face, int iconWidth) {
    SetWindowTextW(button.hwnd(), text.c_str());
    button.SetTextMargins(iconWidth, 0, 0, -2);  // the faces' lower lip is a shadow
    const bool accent = face == CaptionFace::kAccent;
    button.SetTextStyle(true, accent ? kAccentCaptionPoints : kCaptionPoints, L"Arial Unicode MS",
                        accent ? kAccentColors : kPlainColors,
                        DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    // Thin dark strokes all but vanish into the bright accent face.
    button.SetTextWeight(accent ? FW_BOLD : FW_NORMAL);
}

bool PlaceButtons(HWND dialog, const std::wstring& skinFile, std::span<CPngButton> buttons,
                  std::span<const ButtonPlace> places, std::span<const std::wstring> captions,
                  const StateCanvases& faces) {
    for (size_t i = 0; i < buttons.size() && i < places.size() && i < captions.size(); ++i) {
        if (!buttons[i].Attach(dialog, places[i].id)) return false;
        PlaceSkinnedButton(buttons[i], skinFile, L"BUTTONINFO", places[i].skinKey, faces);
        SetCaption(buttons[i], captions[i], places[i].face, places[i].iconWidth);
    }
    return true;
}

}  // namespace kv::ui
