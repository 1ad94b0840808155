// The image buttons of the sub-dialogs: their places and their captions,
// which come from the language file and are drawn over faces that carry no text.
#pragma once

#include <windows.h>

#include <span>
#include <string>

#include "ui/kit/png_button.h"
#include "ui/kit/state_canvas.h"

namespace kv::ui {

enum class CaptionFace {
    kPlain,   // a dark pill
    kAccent,  // the accent-coloured main button
};

// Shows `text` on the button; `iconWidth` keeps the caption clear of an icon
// at the face's left edge.
void SetCaption(CPngButton& button, const std::wstring& text, CaptionFace face, int iconWidth = 0);

// Where one button of a dialog goes and how its caption looks.
struct ButtonPlace {
    int id;
    const wchar_t* skinKey;  // in the skin file's "BUTTONINFO"
    CaptionFace face;
    int iconWidth;
};

// Takes the dialog's buttons, places them from the skin with the faces and
// gives each its caption (buttons, places and captions in the same order).
// False when a control is missing from the template.
bool PlaceButtons(HWND dialog, const std::wstring& skinFile, std::span<CPngButton> buttons,
                  std::span<const ButtonPlace> places, std::span<const std::wstring> captions,
                  const StateCanvases& faces);

}  // namespace kv::ui
