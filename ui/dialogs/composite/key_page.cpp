#include "ui/dialogs/composite/key_page.h"

#include <algorithm>

#include "model/keys/key_names.h"
#include "ui/dialogs/composite/composite_ids.h"
#include "ui/dialogs/composite/composite_rules.h"
#include "ui/dialogs/composite/key_events.h"
#include "ui/dialogs/composite/wide_text.h"
#include "ui/kit/gdi.h"
#include "ui/kit/message_map.h"
#include "ui/kit/skin_placement.h"

namespace kv::ui {

bool KeyPage::Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    static constexpr CommandRoute<KeyPage> kCommands[] = {
        {IDC_COMP_KEYBOARD_CHOICE, BN_CLICKED, &KeyPage::OnKeyboardChoice},
        {IDC_COMP_MOUSE_CHOICE, BN_CLICKED, &KeyPage::OnMouseChoice},
        {IDC_COMP_MOUSE_LIST, CBN_SELCHANGE, &KeyPage::OnMouseListChanged},
    };
    static constexpr MessageMap<KeyPage> kMap{{}, kCommands};
    return kMap.Route(*this, message, wParam, lParam, result);
}

void KeyPage::Attach(HWND dialog, const std::wstring& skinFile) {
    dialog_ = dialog;
    const struct {
        int id;
        const wchar_t* key;
    } placed[] = {
        {IDC_COMP_KEY_LABEL, L"TISHI_SINGLE_STATIC"},
        {IDC_COMP_KEY_BOX, L"FUNC_KEY_INPUT"},
        {IDC_COMP_KEYBOARD_CHOICE, L"FUNC_KEY_RADIO_KB"},
        {IDC_COMP_KEYBOARD_LABEL, L"FUNC_KEY_RADIO_KB_STATIC"},
        {IDC_COMP_MOUSE_CHOICE, L"FUNC_KEY_RADIO_MOU"},
        {IDC_COMP_MOUSE_LABEL, L"FUNC_KEY_RADIO_MOU_STATIC"},
        {IDC_COMP_MOUSE_LIST, L"FUNC_KEY_MOUSE_SELECT"},
    };
    for (const auto& p : placed) PlaceControl(GetDlgItem(dialog, p.id), skinFile, L"BUTTONINFO", p.key);
    // The choices' texts are the labels beside them.
    SetDlgItemTextW(dialog, IDC_COMP_KEYBOARD_CHOICE, L"");
    SetDlgItemTextW(dialog, IDC_COMP_MOUSE_CHOICE, L"");
}

void KeyPage::CentreKeyBox() {
    HWND box = GetDlgItem(dialog_, IDC_COMP_KEY_BOX);
    RECT rect{};
    GetWindowRect(box, &rect);
    MapWindowPoints(nullptr, dialog_, reinterpret_cast<POINT*>(&rect), 2);
    TEXTMETRICW metrics{};
    {
        WindowDc dc(box);
        SelectGuard font(dc.get(), reinterpret_cast<HFONT>(SendMessageW(box, WM_GETFONT, 0, 0)));
        GetTextMetricsW(dc.get(), &metrics);
    }
    const int height = std::min<int>(metrics.tmHeight + 2, rect.bottom - rect.top);
    const int top = rect.top + (rect.bottom - rect.top - height) / 2;
    MoveWindow(box, rect.left, top, rect.right - rect.left, height, FALSE);
}

void KeyPage::ApplyTexts() {
    SetDlgItemTextW(dialog_, IDC_COMP_KEY_LABEL, context_.Text(L"TEXT", L"SINGLE_STATIC").c_str());
    SetDlgItemTextW(dialog_, IDC_COMP_KEYBOARD_LABEL, context_.Text(L"TEXT", L"IDS_MACRO_KB_KEY").c_str());
    SetDlgItemTextW(dialog_, IDC_COMP_MOUSE_LABEL, context_.Text(L"TEXT", L"IDS_MACRO_MOU_KEY").c_str());
    HWND list = GetDlgItem(dialog_, IDC_COMP_MOUSE_LIST);
    const int row = MouseRow();
    SendMessageW(list, CB_RESETCONTENT, 0, 0);
    for (model::KeyCode code : composite::kMouseRowCodes) {
        const std::wstring name = Wide(model::KeyDisplayName(context_.Host().Texts(), code));
        SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    }
    SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(row), 0);
    if (!mouse_choice_) ShowKey();
}

void KeyPage::Reset(const model::KeyAssignment& stored) {
    // Only a key entry's value is a key code (a program path's value is an offset).
    captured_ = stored.kind == model::kKindKey ? static_cast<model::KeyCode>(stored.value) : 0;
    mouse_choice_ = false;
    SendDlgItemMessageW(dialog_, IDC_COMP_MOUSE_LIST, CB_SETCURSEL, 0, 0);
}

int KeyPage::MouseRow() const {
    const int row = static_cast<int>(SendDlgItemMessageW(dialog_, IDC_COMP_MOUSE_LIST, CB_GETCURSEL, 0, 0));
    return row >= 0 && row < static_cast<int>(composite::kMouseRowCodes.size()) ? row : 0;
}

void KeyPage::Enter(uint16_t kind) {
    const int mouse_row = composite::MouseRowOf(captured_);
    if (kind == model::kKindKey && (mouse_choice_ || mouse_row >= 0)) {
        if (!mouse_choice_)
            SendDlgItemMessageW(dialog_, IDC_COMP_MOUSE_LIST, CB_SETCURSEL, static_cast<WPARAM>(mouse_row),
                                0);
        ShowChoice(true);
        return;
    }
    ShowChoice(false);
    if (kind != model::kKindKey) SetDlgItemTextW(dialog_, IDC_COMP_KEY_BOX, L"");
}

void KeyPage::Clear() {
    captured_ = 0;
    ShowChoice(false);
}

void KeyPage::ShowChoice(bool mouse) {
    mouse_choice_ = mouse;
    CheckDlgButton(dialog_, IDC_COMP_KEYBOARD_CHOICE, mouse ? BST_UNCHECKED : BST_CHECKED);
    CheckDlgButton(dialog_, IDC_COMP_MOUSE_CHOICE, mouse ? BST_CHECKED : BST_UNCHECKED);
    EnableWindow(GetDlgItem(dialog_, IDC_COMP_KEY_BOX), mouse ? FALSE : TRUE);
    // The mouse list shows only with its choice ticked, and only on this page.
    HWND list = GetDlgItem(dialog_, IDC_COMP_MOUSE_LIST);
    EnableWindow(list, mouse ? TRUE : FALSE);
    const bool onPage =
        (GetWindowLongW(GetDlgItem(dialog_, IDC_COMP_MOUSE_CHOICE), GWL_STYLE) & WS_VISIBLE) != 0;
    ShowWindow(list, mouse && onPage ? SW_SHOWNA : SW_HIDE);
    ShowKey();
}

void KeyPage::ShowKey() {
    const std::wstring name = mouse_choice_ || captured_ == 0
                                  ? L""
                                  : Wide(model::KeyDisplayName(context_.Host().Texts(), captured_));
    SetDlgItemTextW(dialog_, IDC_COMP_KEY_BOX, name.c_str());
}

void KeyPage::OnKeyboardChoice(WORD) {
    ShowChoice(false);
    context_.SetKind(model::kKindKey);
    context_.MarkChanged();
}

void KeyPage::OnMouseChoice(WORD) {
    ShowChoice(true);
    context_.SetKind(model::kKindKey);
    context_.MarkChanged();
}

void KeyPage::OnMouseListChanged(WORD) {
    context_.SetKind(model::kKindKey);
    context_.MarkChanged();
}

void KeyPage::Take(model::KeyCode code) {
    captured_ = code;
    ShowKey();
    context_.SetKind(model::kKindKey);
    context_.MarkChanged();
}

bool KeyPage::OnThreadKey(WPARAM vk, LPARAM flags) {
    if (!context_.Listening()) return false;
    const bool keyboard = IsDlgButtonChecked(dialog_, IDC_COMP_KEYBOARD_CHOICE) == BST_CHECKED;
    const composite::CaptureVerdict verdict =
        composite::CaptureThreadKey(static_cast<uint32_t>(vk), static_cast<uint32_t>(flags), keyboard);
    if (verdict.taken) Take(verdict.taken);
    return verdict.swallow;
}

bool KeyPage::OnLowLevelKey(WPARAM message, const KBDLLHOOKSTRUCT& event) {
    if (!context_.Listening()) return false;
    const composite::CaptureVerdict verdict =
        composite::CaptureLowLevelKey(static_cast<uint32_t>(message), event.vkCode);
    if (verdict.taken) Take(verdict.taken);
    return verdict.swallow;
}

}  // namespace kv::ui
