// How the main window's captions look: one set of text colours for every
// captioned button, and the faces the skin is drawn for.
#pragma once

#include <windows.h>

#include "ui/kit/png_button.h"

namespace kv::ui {

// Normal, over, down, disabled, checked.
inline constexpr StateColors kCaptionColors{RGB(255, 255, 255), RGB(255, 130, 0), RGB(255, 155, 4),
                                            RGB(255, 255, 255), RGB(0, 100, 255)};
inline constexpr wchar_t kCaptionFont[] = L"Arial Unicode MS";
inline constexpr wchar_t kVersionFont[] = L"Verdana Unicode MS";
inline constexpr int kCaptionPoints = 10;
inline constexpr int kVersionPoints = 8;
inline constexpr UINT kCentredCaption = DT_CENTER | DT_VCENTER | DT_SINGLELINE;

// Shows the button's caption in the window's caption style.
inline void SetCaptionStyle(CPngButton& button, int points, const wchar_t* face, UINT format) {
    button.SetTextStyle(true, points, face, kCaptionColors, format);
}

}  // namespace kv::ui
