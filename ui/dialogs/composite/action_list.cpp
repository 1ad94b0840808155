#include "ui/dialogs/composite/action_list.h"

#include <algorithm>

#include "model/keys/key_names.h"
#include "ui/dialogs/composite/composite_ids.h"
#include "ui/dialogs/composite/wide_text.h"
#include "ui/dialogs/skin_palette.h"
#include "ui/kit/message_map.h"
#include "ui/kit/skin_placement.h"

namespace kv::ui {

namespace {

constexpr int kColumnWidth = 170;
constexpr int kKeyColumn = 0, kDirectionColumn = 1, kDelayColumn = 2;
// The key and direction cells stand out from the delay cells, a grey step
// above the list's field as the system's grey would on a light list.
constexpr COLORREF kRecordedCellBack = RGB(0x2E, 0x32, 0x39);

struct RowButton {
    int id;
    const wchar_t* skinKey;
};
constexpr RowButton kRowButtons[] = {
    {IDC_COMP_ACTION_DELETE, L"FUNC_MACRO_DELETE2"}, {IDC_COMP_ACTION_CLEAR, L"FUNC_MACRO_CLEAR"},
    {IDC_COMP_ACTION_TOP, L"FUNC_MACRO_UP_TOP"},     {IDC_COMP_ACTION_UP, L"FUNC_MACRO_UP"},
    {IDC_COMP_ACTION_DOWN, L"FUNC_MACRO_DOWN"},      {IDC_COMP_ACTION_BOTTOM, L"FUNC_MACRO_DOWN_BOTTOM"},
};

}  // namespace

std::wstring DirectionText(uint16_t direction) {
    return direction == model::kRelease ? L"  \u2191" : L"\u2193";
}

bool ActionList::Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    static constexpr CommandRoute<ActionList> kCommands[] = {
        {IDC_COMP_ACTION_DELETE, BN_CLICKED, &ActionList::OnDeleteRow},
        {IDC_COMP_ACTION_CLEAR, BN_CLICKED, &ActionList::OnClearRows},
        {IDC_COMP_ACTION_TOP, BN_CLICKED, &ActionList::OnTop},
        {IDC_COMP_ACTION_UP, BN_CLICKED, &ActionList::OnUp},
        {IDC_COMP_ACTION_DOWN, BN_CLICKED, &ActionList::OnDown},
        {IDC_COMP_ACTION_BOTTOM, BN_CLICKED, &ActionList::OnBottom},
    };
    static constexpr MessageMap<ActionList> kMap{{}, kCommands};
    return kMap.Route(*this, message, wParam, lParam, result);
}

void ActionList::Attach(HWND dialog, const std::wstring& skinFile) {
    list_.Attach(dialog, IDC_COMP_ACTIONS);
    PlaceControl(list_.hwnd(), skinFile, L"BUTTONINFO", L"FUNC_MACRO_LIST2");
    if (list_.ColumnCount() == 0) {
        for (int column = 0; column < 3; ++column) list_.InsertColumn(column, L"", LVCFMT_LEFT, kColumnWidth);
    }
    list_.SetTickMode(TickMode::None);
    list_.SetHeaderClickable(false);
    list_.SetSortable(false);
    list_.SetGridLines(true);
    list_.SetPalette(kSkinListPalette);
    list_.SetOwner(&context_, &quiet_);
    list_.EnableEditing(true);
    ReportHooks hooks;
    hooks.beginEdit = [this](HWND, CReportCtrl& list, DWORD& style) { return BeginEdit(list, style); };
    hooks.endEdit = [this](HWND, CReportCtrl& list, bool keep, int& changed) {
        return EndEditHook(list, keep, changed);
    };
    hooks.endEditCheck = [this](HWND edit, CReportCtrl& list) { return CheckDelay(edit, list); };
    list_.SetHooks(std::move(hooks));

    buttons_.clear();
    for (const RowButton& b : kRowButtons) {
        auto button = std::make_unique<CPngButton>();
        button->Attach(dialog, b.id);
        PlaceSkinnedButton(*button, skinFile, L"BUTTONINFO", b.skinKey, context_.Canvases().MacroSet());
        buttons_.push_back(std::move(button));
    }
}

void ActionList::ApplyTexts() {
    const std::wstring heads[] = {context_.Text(L"TEXT", L"MACRO_KEYS_TISHI"),
                                  context_.Text(L"TEXT", L"MACRO_ACTION_TISHI"),
                                  context_.Text(L"TEXT", L"MACRO_DELAY_MS")};
    for (int column = 0; column < 3; ++column) {
        LVCOLUMNW info{};
        info.mask = LVCF_TEXT;
        info.pszText = const_cast<wchar_t*>(heads[column].c_str());
        SendMessageW(list_.hwnd(), LVM_SETCOLUMNW, static_cast<WPARAM>(column),
                     reinterpret_cast<LPARAM>(&info));
    }
    const std::wstring tips[] = {context_.Text(L"TEXT", L"A_DELETE"), context_.Text(L"TEXT", L"A_CLEAR"),
                                 context_.Text(L"TEXT", L"A_TOP"),    context_.Text(L"TEXT", L"A_UP"),
                                 context_.Text(L"TEXT", L"A_DOWN"),   context_.Text(L"TEXT", L"A_BOTTOM")};
    for (size_t i = 0; i < buttons_.size(); ++i) {
        SetWindowTextW(buttons_[i]->hwnd(), L"");
        buttons_[i]->SetTooltip(tips[i]);
    }
    // Key names follow the language too.
    for (int row = 0; row < RowCount(); ++row)
        if (const model::MacroAction* action = ActionAt(row)) ShowAction(row, *action);
}

void ActionList::EnableButtons(bool on) {
    for (const auto& button : buttons_) EnableWindow(button->hwnd(), on ? TRUE : FALSE);
}

int ActionList::RowCount() const { return list_.hwnd() ? list_.RowCount() : 0; }

model::MacroAction* ActionList::MutableAt(int row) const {
    return static_cast<model::MacroAction*>(list_.GetRowData(row));
}

const model::MacroAction* ActionList::ActionAt(int row) const { return MutableAt(row); }

void ActionList::Free(const model::MacroAction* action) {
    std::erase_if(actions_, [action](const auto& owned) { return owned.get() == action; });
}

void ActionList::ShowAction(int row, const model::MacroAction& action) {
    list_.SetCellText(row, kKeyColumn, Wide(model::KeyDisplayName(context_.Host().Texts(), action.key_code)));
    list_.SetCellText(row, kDirectionColumn, DirectionText(action.direction));
    list_.SetCellText(row, kDelayColumn, std::to_wstring(action.delay_ms));
}

int ActionList::AddRow(int position, const model::MacroAction& action) {
    auto owned = std::make_unique<model::MacroAction>(action);
    if (owned->direction != model::kRelease) owned->direction = model::kPress;
    const int row = list_.InsertRow(position, L"");
    if (row < 0) return row;
    list_.SetRowData(row, owned.get());
    ShowAction(row, *owned);
    list_.SetCellBackColor(row, kKeyColumn, kRecordedCellBack);
    list_.SetCellBackColor(row, kDirectionColumn, kRecordedCellBack);
    actions_.push_back(std::move(owned));
    return row;
}

void ActionList::RemoveAll() {
    if (list_.hwnd()) list_.DeleteAllRows();
    actions_.clear();
}

void ActionList::Release() {
    chooser_.Destroy();
    actions_.clear();
}

void ActionList::Fill(const model::MacroRecord& macro) {
    RemoveAll();
    const int count = std::min<int>(macro.action_count, model::kMaxMacroActions);
    SendMessageW(list_.hwnd(), WM_SETREDRAW, FALSE, 0);
    for (int i = 0; i < count; ++i) AddRow(i, macro.actions[i]);
    SendMessageW(list_.hwnd(), WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list_.hwnd(), nullptr, TRUE);
}

void ActionList::WriteBack(model::MacroRecord& macro) const {
    const int count = std::min(RowCount(), model::kMaxMacroActions);
    for (int row = 0; row < count; ++row) macro.actions[row] = *ActionAt(row);
    macro.action_count = static_cast<uint16_t>(count);
}

void ActionList::SelectRow(int row) {
    for (int i = list_.FindRow(kRowSelected); i >= 0; i = list_.FindRow(kRowSelected, i))
        list_.SetRowState(i, kRowSelected, false);
    list_.SetRowState(row, kRowSelected | kRowFocused, true);
    ListView_EnsureVisible(list_.hwnd(), row, FALSE);
    SetFocus(list_.hwnd());
}

bool ActionList::InsertRecorded(const composite::RecordedAction& recorded) {
    const int count = RowCount();
    if (count >= model::kMaxMacroActions) return false;
    const int selected = list_.FindRow(kRowSelected);
    const int position = selected >= 0 ? selected + 1 : count;
    model::MacroAction action{0, recorded.code, recorded.direction};
    if (position > 0) {
        // An action's delay is the pause after it: the measured pause belongs
        // to the row before, and the new row continues with that row's old one.
        model::MacroAction* before = MutableAt(position - 1);
        if (position < count) action.delay_ms = before->delay_ms;
        before->delay_ms = recorded.pause_ms;
        list_.SetCellText(position - 1, kDelayColumn, std::to_wstring(recorded.pause_ms));
    }
    const int row = AddRow(position, action);
    if (row < 0) return false;
    SelectRow(row);
    context_.MarkChanged();
    return true;
}

void ActionList::OnDeleteRow(WORD) {
    const int row = list_.FindRow(kRowSelected);
    if (row < 0) return;
    const model::MacroAction* action = ActionAt(row);
    list_.DeleteRow(row, true);
    Free(action);
    context_.MarkChanged();
}

void ActionList::OnClearRows(WORD) {
    if (RowCount() == 0) return;
    const int answer =
        context_.Ask(context_.Text(L"TEXT", L"MACRO_ACTION_CLEAR_CONFIRM"), MB_YESNO | MB_DEFBUTTON2);
    if (!context_.IsOpen() || answer != IDYES) return;
    RemoveAll();
    context_.MarkChanged();
}

void ActionList::Move(const std::function<int(int)>& move) {
    const int row = list_.FindRow(kRowSelected);
    if (row < 0) return;
    const int moved = move(row);
    if (moved >= 0) {
        ListView_EnsureVisible(list_.hwnd(), moved, FALSE);
        SetFocus(list_.hwnd());
    }
    context_.MarkChanged();
}

void ActionList::PreviewKey(const MSG& message) {
    if (list_.hwnd()) list_.PreTranslate(message);
}

}  // namespace kv::ui
