#include "ui/dialogs/composite/composite_gdi.h"

#include <initializer_list>

#include "ui/dialogs/composite/composite_ids.h"

namespace kv::ui {

namespace {

constexpr COLORREF kLabelText = RGB(228, 228, 228);
constexpr COLORREF kFieldBack = RGB(0x11, 0x13, 0x16);  // the skin's field colour
constexpr COLORREF kFieldText = RGB(0xE9, 0xEB, 0xEE);
constexpr COLORREF kFieldTextOff = RGB(0x5A, 0x5F, 0x66);

GdiFont MakeFont(HDC screen, int tenthsOfPoints) {
    const int height = -MulDiv(tenthsOfPoints, GetDeviceCaps(screen, LOGPIXELSY), 720);
    return GdiFont(CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                               OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                               L"Arial Unicode MS"));
}

// The dialog's own boxes sit on fields the skin draws; the lists keep the system's look.
bool IsField(HWND control) {
    const int id = GetDlgCtrlID(control);
    return id == IDC_COMP_KEY_BOX || id == IDC_COMP_CYCLES;
}

bool IsClass(HWND control, const wchar_t* name) {
    wchar_t found[16] = {};
    GetClassNameW(control, found, 16);
    return lstrcmpiW(found, name) == 0;
}

}  // namespace

void CompositeGdi::Create(HDC screen, const DecodedImage& background) {
    key_font_ = MakeFont(screen, 180);
    list_font_ = MakeFont(screen, 120);
    action_font_ = MakeFont(screen, 80);
    label_font_ = MakeFont(screen, 108);
    background_.Reset(CreatePatternBrush(background.bitmap.get()));
}

void CompositeGdi::ApplyFonts(HWND dialog) const {
    const struct {
        HFONT font;
        std::initializer_list<int> ids;
    } fonts[] = {
        {key_font_.get(), {IDC_COMP_KEY_BOX}},
        {list_font_.get(),
         {IDC_COMP_MEDIA_LIST, IDC_COMP_MOUSE_LIST, IDC_COMP_FUNCTION_LIST, IDC_COMP_MACRO_LIST}},
        {action_font_.get(), {IDC_COMP_ACTIONS}},
        {label_font_.get(),
         {IDC_COMP_HEADING, IDC_COMP_KEY_LABEL, IDC_COMP_MACRO_LABEL, IDC_COMP_MEDIA_LABEL,
          IDC_COMP_FUNCTION_LABEL, IDC_COMP_CYCLES_LABEL, IDC_COMP_RECORD_DELAYS_LABEL,
          IDC_COMP_KEYBOARD_LABEL, IDC_COMP_MOUSE_LABEL, IDC_COMP_CYCLES}},
    };
    for (const auto& f : fonts)
        for (int id : f.ids)
            SendDlgItemMessageW(dialog, id, WM_SETFONT, reinterpret_cast<WPARAM>(f.font), FALSE);
}

HBRUSH CompositeGdi::Colors(HWND dialog, HDC dc, HWND control) const {
    if (IsField(control)) {
        SetTextColor(dc, IsWindowEnabled(control) ? kFieldText : kFieldTextOff);
        SetBkColor(dc, kFieldBack);
        SetDCBrushColor(dc, kFieldBack);
        return static_cast<HBRUSH>(GetStockObject(DC_BRUSH));
    }
    if (GetParent(control) != dialog || (!IsClass(control, L"Static") && !IsClass(control, L"Button")))
        return nullptr;
    // The brush is the whole dialog's picture: line it up with the control.
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    SetBrushOrgEx(dc, -rect.left, -rect.top, nullptr);
    SetTextColor(dc, kLabelText);
    SetBkMode(dc, TRANSPARENT);
    return background_.get();
}

}  // namespace kv::ui
