// A drop-down list drawn flat in the skin's colours instead of the system's
// white box with its 3-D button: the closed field with the chosen entry and a
// chevron, and the entries of the open list. The combo must be owner-drawn
// (CBS_OWNERDRAWFIXED with CBS_HASSTRINGS); its parent hands it WM_DRAWITEM.
#pragma once

#include <windows.h>

#include "ui/kit/gdi.h"
#include "ui/kit/window.h"

namespace kv::ui {

struct ComboColors {
    COLORREF field = RGB(0x2B, 0x2E, 0x33);
    COLORREF edge = RGB(0x55, 0x5A, 0x62);
    COLORREF activeEdge = RGB(0xFF, 0x8C, 0x1A);  // under the mouse, focused or open
    COLORREF text = RGB(0xE9, 0xEB, 0xEE);
    COLORREF chevron = RGB(0x9A, 0xA1, 0xAB);
    COLORREF list = RGB(0x1A, 0x1D, 0x22);
    COLORREF selection = RGB(0x4A, 0x30, 0x19);
    COLORREF selectionText = RGB(0xFF, 0xB3, 0x5C);
};

class CSkinCombo : public Control {
  public:
    void SetColors(const ComboColors& colors);
    const ComboColors& Colors() const { return colors_; }
    // Height of the closed box, border included, and of each entry of the list.
    void SetHeights(int field, int entry);
    // The parent's WM_DRAWITEM for this combo: the field's text or an entry of the list.
    void DrawItem(const DRAWITEMSTRUCT& item) const;

  protected:
    bool Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnAttached() override;

  private:
    LRESULT OnPaint(WPARAM, LPARAM);
    LRESULT OnPrintClient(WPARAM wParam, LPARAM);
    LRESULT OnEraseBackground(WPARAM, LPARAM) { return 1; }
    LRESULT OnListColours(WPARAM wParam, LPARAM);
    LRESULT OnSetFocus(WPARAM wParam, LPARAM lParam);
    LRESULT OnKillFocus(WPARAM wParam, LPARAM lParam);
    LRESULT OnMouseMove(WPARAM wParam, LPARAM lParam);
    LRESULT OnMouseLeave(WPARAM, LPARAM);

    void Paint(HDC dc) const;
    void DrawEntry(HDC dc, RECT box, int index, COLORREF background, COLORREF text) const;

    ComboColors colors_;
    GdiBrush listBrush_;
    bool hover_ = false;
};

}  // namespace kv::ui
