#include "ui/dialogs/composite/composite_chrome.h"

#include <initializer_list>

#include "ui/dialogs/composite/composite_ids.h"
#include "ui/kit/skin_placement.h"

namespace kv::ui {

namespace {

using composite::Page;

struct Placed {
    int id;
    const wchar_t* skinKey;
};
constexpr Placed kButtons[] = {
    {IDOK, L"CONTROL_OK"},
    {IDCANCEL, L"CONTROL_CANCEL"},
    {IDC_COMP_APPLY, L"CONTROL_APPLY"},
    {IDC_COMP_TAB_KEY, L"CONTROL_KEY"},
    {IDC_COMP_TAB_MACRO, L"CONTROL_MACRO"},
    {IDC_COMP_TAB_MEDIA, L"CONTROL_MEDIA"},
    {IDC_COMP_TAB_FUNCTION, L"CONTROL_FUNCTION"},
    {IDC_COMP_CLEAR, L"CONTROL_CLEAR"},
    {IDC_COMP_OSK, L"CONTROL_OSK"},
    {IDC_COMP_TITLE, L"CONTROL_TITLE"},
    {IDC_COMP_MASK, L"CONTROL_MASK"},
};

struct PageControls {
    Page page;
    int tab;
    std::initializer_list<int> ids;
};
const PageControls kPages[] = {
    {Page::kKey,
     IDC_COMP_TAB_KEY,
     {IDC_COMP_KEY_BOX, IDC_COMP_KEYBOARD_LABEL, IDC_COMP_MOUSE_LABEL, IDC_COMP_KEYBOARD_CHOICE,
      IDC_COMP_MOUSE_CHOICE, IDC_COMP_MOUSE_LIST, IDC_COMP_KEY_LABEL}},
    {Page::kMacro,
     IDC_COMP_TAB_MACRO,
     {IDC_COMP_MACRO_ADD, IDC_COMP_MACRO_DELETE, IDC_COMP_ACTIONS, IDC_COMP_RECORD, IDC_COMP_ACTION_DELETE,
      IDC_COMP_ACTION_CLEAR, IDC_COMP_ACTION_TOP, IDC_COMP_ACTION_UP, IDC_COMP_ACTION_DOWN,
      IDC_COMP_ACTION_BOTTOM, IDC_COMP_RECORD_DELAYS, IDC_COMP_CYCLES, IDC_COMP_MACRO_LIST,
      IDC_COMP_CYCLES_LABEL, IDC_COMP_RECORD_DELAYS_LABEL, IDC_COMP_MACRO_LABEL}},
    {Page::kMedia, IDC_COMP_TAB_MEDIA, {IDC_COMP_MEDIA_LIST, IDC_COMP_MEDIA_LABEL}},
    {Page::kFunction, IDC_COMP_TAB_FUNCTION, {IDC_COMP_FUNCTION_LIST, IDC_COMP_FUNCTION_LABEL}},
};

}  // namespace

void CompositeChrome::Attach(HWND dialog, const std::wstring& skinFile) {
    dialog_ = dialog;
    buttons_.clear();
    const CompositeCanvases& canvases = context_.Canvases();
    for (const Placed& p : kButtons) {
        auto button = std::make_unique<CPngButton>();
        button->Attach(dialog, p.id);
        PlaceSkinnedButton(*button, skinFile, L"BUTTONINFO", p.skinKey,
                           p.id == IDC_COMP_MASK ? canvases.PageSet(Page::kKey) : canvases.KeySet());
        buttons_[p.id] = std::move(button);
    }
    PlaceControl(GetDlgItem(dialog, IDC_COMP_HEADING), skinFile, L"BUTTONINFO", L"KEY_SETTING");
}

void CompositeChrome::SetMacroOnly(bool macroOnly) {
    macro_only_ = macroOnly;
    for (int id :
         {IDC_COMP_TAB_KEY, IDC_COMP_TAB_MEDIA, IDC_COMP_TAB_FUNCTION, IDC_COMP_TITLE, IDC_COMP_CLEAR}) {
        Button(id).SetStateCanvases(
            macroOnly ? context_.Canvases().Macro2Set() : context_.Canvases().KeySet(), true);
        EnableWindow(Button(id).hwnd(), macroOnly ? FALSE : TRUE);
    }
}

void CompositeChrome::ApplyTexts(bool macroOnly) {
    const struct {
        int id;
        std::wstring text;
        int points;
    } captions[] = {
        {IDOK, context_.Text(L"TEXT", L"MACRO_OK"), 9},
        {IDCANCEL, context_.Text(L"TEXT", L"MACRO_CANCLE"), 9},
        {IDC_COMP_APPLY, context_.Text(L"TEXT", L"APPLY_PROMPT"), 9},
        {IDC_COMP_TAB_KEY, macroOnly ? L"" : context_.Text(L"TEXT", L"SINGLE_KEY"), 9},
        {IDC_COMP_TAB_MACRO, context_.Text(L"TEXT", L"MACRO_SETTING"), 9},
        {IDC_COMP_TAB_MEDIA, macroOnly ? L"" : context_.Text(L"TEXT", L"MULTI_MEDIA"), 9},
        {IDC_COMP_TAB_FUNCTION, macroOnly ? L"" : context_.Text(L"TEXT", L"FUNCTION_KEY"), 9},
        {IDC_COMP_TITLE,
         macroOnly ? context_.Text(L"TEXT", L"COMPOSITE_MACRO_TITLE")
                   : context_.Text(L"TEXT", L"COMPOSITE_TITLE"),
         11},
    };
    for (const auto& c : captions) {
        CPngButton& button = Button(c.id);
        SetWindowTextW(button.hwnd(), c.text.c_str());
        if (c.id == IDC_COMP_TITLE) {
            // The title sits beside its picture and never changes colour.
            const COLORREF text = RGB(233, 235, 238);
            button.SetTextMargins(36, 0, 0, 0);
            button.SetTextStyle(true, c.points, kCompositeCaptionFont, {text, text, text, text, text},
                                DT_LEFT | DT_VCENTER | DT_SINGLELINE);
        } else {
            // Apply's face does not change when it is off; its caption does.
            StateColors colors = kCompositeCaptionColors;
            if (c.id == IDC_COMP_APPLY) colors.disabled = RGB(0x5A, 0x5F, 0x66);
            button.SetTextStyle(true, c.points, kCompositeCaptionFont, colors,
                                DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        }
    }
    Button(IDC_COMP_CLEAR).SetTooltip(context_.Text(L"TEXT", L"COMPOSITE_PROMPT_CLEAR"));
    Button(IDC_COMP_OSK).SetTooltip(context_.Text(L"TEXT", L"COMPOSITE_PROMPT_OSK"));
    SetDlgItemTextW(dialog_, IDC_COMP_HEADING,
                    (macroOnly ? context_.Text(L"TEXT", L"MACRO_EDIT_TISHI")
                               : context_.Text(L"TEXT", L"KEY_SETTING_TISHI"))
                        .c_str());
}

void CompositeChrome::ShowPage(Page page) {
    for (const PageControls& p : kPages) {
        const bool shown = p.page == page;
        for (int id : p.ids) {
            // Macro-only mode never shows the other pages' labels.
            const bool label =
                id == IDC_COMP_KEY_LABEL || id == IDC_COMP_MEDIA_LABEL || id == IDC_COMP_FUNCTION_LABEL;
            // The mouse list comes with the key page only while the mouse is chosen.
            const bool mouseOff = id == IDC_COMP_MOUSE_LIST &&
                                  IsDlgButtonChecked(dialog_, IDC_COMP_MOUSE_CHOICE) != BST_CHECKED;
            ShowWindow(GetDlgItem(dialog_, id),
                       shown && !(label && macro_only_) && !mouseOff ? SW_SHOWNA : SW_HIDE);
        }
        Button(p.tab).SetChecked(shown, true);
    }
    Button(IDC_COMP_MASK).SetStateCanvases(context_.Canvases().PageSet(page), true);
}

void CompositeChrome::EnableApply(bool on) { EnableWindow(Button(IDC_COMP_APPLY).hwnd(), on ? TRUE : FALSE); }

void CompositeChrome::Release() {
    buttons_.clear();
    dialog_ = nullptr;
}

}  // namespace kv::ui
