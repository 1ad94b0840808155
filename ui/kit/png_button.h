// An image button with no drawing of its own: its face is cut out of a
// whole-dialog state canvas at the button's skin position, one canvas per
// state (normal, over, down, disabled, checked).
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "ui/kit/state_canvas.h"
#include "ui/kit/tooltip.h"
#include "ui/kit/window.h"

namespace kv::ui {

// The canvases of the five states, owned by the dialog; one canvas may serve several states.
struct StateCanvases {
    const StateCanvas* normal = nullptr;
    const StateCanvas* over = nullptr;
    const StateCanvas* down = nullptr;
    const StateCanvas* disabled = nullptr;
    const StateCanvas* checked = nullptr;
};

struct StateColors {
    COLORREF normal = RGB(0, 0, 0);
    COLORREF over = RGB(0, 0, 0);
    COLORREF down = RGB(0, 0, 0);
    COLORREF disabled = RGB(0, 0, 0);
    COLORREF checked = RGB(0, 0, 0);
};

struct CaptionStyle {
    bool show = false;
    int pointSize = 8;
    std::wstring faceName = L"Tahoma Unicode MS";
    StateColors colors;
    UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
};

class CPngButton : public Control {
  public:
    // Called after every paint with the button and whether it showed its normal face.
    using DrawCallback = std::function<void(HWND button, bool normalFace)>;

    void SetStateImages(int x, int y, const StateCanvases& faces, bool redraw);
    void SetStateCanvases(const StateCanvases& faces, bool redraw);
    void SetSourceOffset(int x, int y, bool redraw);
    void SetAltImages(const StateCanvas* imageA, const StateCanvas* imageB, bool altMode, int selector,
                      bool redraw);
    void SetFrame(COLORREF color, int width, bool on);
    void SetChecked(bool checked, bool redraw);
    void SetTextStyle(bool show, int pointSize, const std::wstring& faceName, const StateColors& colors,
                      UINT format);
    void SetTextMargins(int left, int right, int top, int bottom);
    // The caption's font weight (FW_NORMAL unless set); rotated captions keep their own.
    void SetTextWeight(int weight);
    void SetTextRotation(int escapement, bool rotate);
    void SetTooltip(const std::wstring& text);
    void SetDrawCallback(DrawCallback callback) { drawCallback_ = std::move(callback); }
    // Shows the over face whatever the mouse does (a dialog opened by this
    // button is up), until released.
    void HoldHover(bool held);

    bool IsChecked() const { return checked_; }
    bool IsHovered() const { return hover_ || hoverHeld_; }
    bool InFrameMode() const { return frameOn_; }
    int FrameWidth() const { return frameWidth_; }
    POINT SourceOffset() const { return offset_; }
    const Tooltip& tooltip() const { return tooltip_; }

  protected:
    bool Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnAttached() override;

  private:
    LRESULT OnPaint(WPARAM, LPARAM);
    LRESULT OnPrintClient(WPARAM, LPARAM);
    LRESULT OnEraseBackground(WPARAM, LPARAM) { return 1; }
    LRESULT OnDoubleClick(WPARAM, LPARAM);
    LRESULT OnSetState(WPARAM, LPARAM);
    LRESULT OnGetCheck(WPARAM, LPARAM);
    LRESULT OnSetCheck(WPARAM, LPARAM);
    LRESULT OnEnable(WPARAM, LPARAM);
    LRESULT OnSetText(WPARAM, LPARAM);
    LRESULT OnMouseMove(WPARAM, LPARAM);
    LRESULT OnMouseHover(WPARAM, LPARAM);
    LRESULT OnMouseLeave(WPARAM, LPARAM);
    LRESULT OnDestroy(WPARAM, LPARAM);

    void Paint(HDC dc);
    void DrawCaption(HDC dc, const RECT& client, COLORREF color);
    void Redraw();

    StateCanvases faces_;
    POINT offset_{0, 0};
    bool hover_ = false, pressed_ = false, checked_ = false, tracking_ = false;
    bool hoverHeld_ = false;

    const StateCanvas* altA_ = nullptr;
    const StateCanvas* altB_ = nullptr;
    bool altMode_ = false;
    int altSelector_ = 0;

    bool frameOn_ = false;
    COLORREF frameColor_ = RGB(0, 0, 0);
    int frameWidth_ = 2;

    CaptionStyle caption_;
    COLORREF textColor_ = RGB(0, 0, 0);  // the last chosen caption colour
    RECT margins_{0, 0, 0, 0};           // left, top, right, bottom additions
    int textWeight_ = FW_NORMAL;
    int escapement_ = 0;
    bool rotate_ = false;

    Tooltip tooltip_;
    DrawCallback drawCallback_;
};

}  // namespace kv::ui
