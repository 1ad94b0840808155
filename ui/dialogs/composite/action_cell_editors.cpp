// The action list's three cell editors: a drop-down of the 111 assignable
// keys, a drop-down of the two directions and a digits-only delay box.
#include <string>

#include "model/keys/key_names.h"
#include "model/keys/list_numbers.h"
#include "ui/dialogs/composite/action_list.h"
#include "ui/dialogs/composite/composite_rules.h"
#include "ui/dialogs/composite/wide_text.h"

namespace kv::ui {

namespace {

constexpr int kKeyColumn = 0, kDirectionColumn = 1, kDelayColumn = 2;
constexpr int kAssignableKeys = 111;
constexpr int kChooserId = 0x7A01;
constexpr int kKeyChooserRows = 20, kDirectionChooserRows = 6;

}  // namespace

int ActionList::BeginEdit(CReportCtrl& list, DWORD& extraStyle) {
    const int row = list.EditedRow(), column = list.EditedColumn();
    if (column == kDelayColumn) {
        if (before_delay_edit_) before_delay_edit_();
        extraStyle |= ES_NUMBER;
        return 1;
    }
    OpenChooser(list, row, column);
    return 0;
}

void ActionList::OpenChooser(CReportCtrl& list, int row, int column) {
    RECT cell{};
    cell.top = column;
    cell.left = LVIR_LABEL;
    SendMessageW(list.hwnd(), LVM_GETSUBITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&cell));
    const int rows = column == kKeyColumn ? kKeyChooserRows : kDirectionChooserRows;
    RECT rect = cell;
    rect.bottom = cell.top + (cell.bottom - cell.top) * rows;
    if (!chooser_.CreateOver(list.hwnd(), kChooserId, rect)) return;
    HWND combo = chooser_.hwnd();
    const model::MacroAction* action = ActionAt(row);
    int current = -1;
    if (column == kKeyColumn) {
        for (int n = 0; n < kAssignableKeys; ++n) {
            const std::wstring name =
                Wide(model::ListEntryName(context_.Host().Texts(), static_cast<uint16_t>(n)));
            SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
        }
        if (action) current = model::ListNumberOf(action->key_code);
        if (current >= kAssignableKeys) current = -1;
    } else {
        for (uint16_t direction : {model::kPress, model::kRelease})
            SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(DirectionText(direction).c_str()));
        if (action) current = action->direction == model::kRelease ? 1 : 0;
    }
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(current), 0);
    ShowWindow(combo, SW_SHOW);
    SetFocus(combo);
    SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
    chooser_.PostEnterOnSelect(list.hwnd());
}

int ActionList::EndEditHook(CReportCtrl& list, bool keep, int& changed) {
    const int row = list.EditedRow(), column = list.EditedColumn();
    if (column != kKeyColumn && column != kDirectionColumn) return 1;  // the delay box, or no edit
    const int chosen =
        chooser_.hwnd() ? static_cast<int>(SendMessageW(chooser_.hwnd(), CB_GETCURSEL, 0, 0)) : -1;
    const bool hadFocus = chooser_.hwnd() && GetFocus() == chooser_.hwnd();
    chooser_.Destroy();
    if (hadFocus) SetFocus(list.hwnd());
    model::MacroAction* action = MutableAt(row);
    if (!keep || !action || chosen < 0) return 0;
    if (column == kKeyColumn) {
        const model::KeyCode code = model::KeyCodeOfListNumber(static_cast<uint16_t>(chosen));
        if (chosen >= kAssignableKeys || code == 0 || code == action->key_code) return 0;
        action->key_code = code;
        list.SetCellText(row, kKeyColumn, Wide(model::KeyDisplayName(context_.Host().Texts(), code)));
    } else {
        const uint16_t direction = chosen == 1 ? model::kRelease : model::kPress;
        if (direction == action->direction) return 0;
        action->direction = direction;
        list.SetCellText(row, kDirectionColumn, DirectionText(direction));
    }
    changed = 1;
    context_.MarkChanged();
    return 0;
}

int ActionList::CheckDelay(HWND edit, CReportCtrl& list) {
    const int row = list.EditedRow();
    const composite::DelayEntry entry = composite::DelayFromText(WindowText(edit));
    if (entry.over_limit) {
        context_.Ask(
            FormatNumber(context_.Text(L"TEXT", L"MACRO_ACTION_ERR_DELAY_MAX"), composite::kMaxDelayMs),
            MB_OK | MB_ICONWARNING);
        if (!context_.IsOpen()) return 0;
    }
    model::MacroAction* action = MutableAt(row);
    if (!action) return 0;
    action->delay_ms = entry.delay_ms;
    SetWindowTextW(edit, std::to_wstring(entry.delay_ms).c_str());
    context_.MarkChanged();
    return 1;
}

}  // namespace kv::ui
