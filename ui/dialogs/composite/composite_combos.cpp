#include "ui/dialogs/composite/composite_combos.h"

#include "ui/dialogs/composite/composite_ids.h"

namespace kv::ui {

namespace {

constexpr int kListEntryPadding = 6;  // the list's entries are a little taller than the text

}  // namespace

CompositeCombos::CompositeCombos() {
    const ComboColors colors;
    field_brush_.Reset(CreateSolidBrush(colors.field));
    list_brush_.Reset(CreateSolidBrush(colors.list));
}

void CompositeCombos::Attach(HWND dialog) {
    dialog_ = dialog;
    for (auto [combo, id] : {std::pair{&mouse_, IDC_COMP_MOUSE_LIST}, std::pair{&media_, IDC_COMP_MEDIA_LIST},
                             std::pair{&function_, IDC_COMP_FUNCTION_LIST}}) {
        HWND list = GetDlgItem(dialog, id);
        if (!list) continue;
        combo->Attach(dialog, id);
        RECT box{};
        GetWindowRect(list, &box);
        TEXTMETRICW metrics{};
        {
            WindowDc dc(list);
            SelectGuard font(dc.get(), reinterpret_cast<HGDIOBJ>(SendMessageW(list, WM_GETFONT, 0, 0)));
            GetTextMetricsW(dc.get(), &metrics);
        }
        combo->SetHeights(box.bottom - box.top, metrics.tmHeight + kListEntryPadding);
    }
}

CSkinCombo* CompositeCombos::ComboOf(int id) {
    switch (id) {
        case IDC_COMP_MOUSE_LIST:
            return &mouse_;
        case IDC_COMP_MEDIA_LIST:
            return &media_;
        case IDC_COMP_FUNCTION_LIST:
            return &function_;
        default:
            return nullptr;
    }
}

bool CompositeCombos::InMacroSelector(HWND control) const {
    HWND selector = GetDlgItem(dialog_, IDC_COMP_MACRO_LIST);
    return selector && (control == selector || GetParent(control) == selector ||
                        GetWindow(control, GW_OWNER) == selector);
}

bool CompositeCombos::Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (!dialog_) return false;
    if (message == WM_DRAWITEM) {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        CSkinCombo* combo = ComboOf(static_cast<int>(wParam));
        if (!combo || item.CtlType != ODT_COMBOBOX) return false;
        combo->DrawItem(item);
        result = TRUE;
        return true;
    }
    if (message != WM_CTLCOLOREDIT && message != WM_CTLCOLORLISTBOX) return false;
    // The skinned lists colour their own open lists; the selector's field and list come here.
    HWND control = reinterpret_cast<HWND>(lParam);
    if (!InMacroSelector(control)) return false;
    const bool list = message == WM_CTLCOLORLISTBOX;
    const ComboColors colors;
    HDC dc = reinterpret_cast<HDC>(wParam);
    SetTextColor(dc, IsWindowEnabled(control) ? colors.text : colors.chevron);
    SetBkColor(dc, list ? colors.list : colors.field);
    result = reinterpret_cast<LRESULT>(list ? list_brush_.get() : field_brush_.get());
    return true;
}

}  // namespace kv::ui
