// The fonts and the brush of the key assignment dialog, made once for the
// dialog's lifetime (not per paint, not per opening), and the colours its
// labels, check boxes and boxes ask for.
#pragma once

#include <windows.h>

#include "ui/kit/gdi.h"
#include "ui/kit/image_file.h"

namespace kv::ui {

class CompositeGdi {
  public:
    // The first opening: the fonts for the screen's resolution, the brush
    // from the dialog's background picture (read at start-up, kept all run).
    void Create(HDC screen, const DecodedImage& background);
    bool Created() const { return static_cast<bool>(label_font_); }

    // Each opening: every control gets its font.
    void ApplyFonts(HWND dialog) const;

    // WM_CTLCOLORSTATIC and WM_CTLCOLOREDIT: labels and check boxes show the
    // dialog beneath them; boxes are dark fields with light text. Null for
    // any other control (it keeps the system's colours).
    HBRUSH Colors(HWND dialog, HDC dc, HWND control) const;

    HFONT LabelFont() const { return label_font_.get(); }
    HFONT KeyFont() const { return key_font_.get(); }

  private:
    GdiFont key_font_;     // the captured key, 18 points
    GdiFont list_font_;    // the drop-down lists, 12 points
    GdiFont action_font_;  // the action list, 8 points
    GdiFont label_font_;   // labels and the play count, 10.8 points
    GdiBrush background_;  // the dialog's picture, for what lies beneath labels and check boxes
};

}  // namespace kv::ui
