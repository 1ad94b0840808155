// In-place editing of one cell of the report list.
#include "ui/kit/message_map.h"
#include "ui/kit/report_ctrl.h"
#include "ui/kit/report_ctrl_parts.h"

namespace kv::ui {

namespace {

DWORD AlignmentOf(int columnFormat) {
    switch (columnFormat & LVCFMT_JUSTIFYMASK) {
        case LVCFMT_CENTER:
            return ES_CENTER;
        case LVCFMT_RIGHT:
            return ES_RIGHT;
        default:
            return ES_LEFT;
    }
}

}  // namespace

bool CReportCtrl::EditBoxControl::Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    static constexpr MessageRoute<EditBoxControl> kMessages[] = {
        {WM_KEYDOWN, &EditBoxControl::OnKeyDown},
        {WM_CHAR, &EditBoxControl::OnChar},
        {WM_GETDLGCODE, &EditBoxControl::OnGetDlgCode},
    };
    static constexpr MessageMap<EditBoxControl> kMap{kMessages};
    return kMap.Route(*this, message, wParam, lParam, result);
}

LRESULT CReportCtrl::EditBoxControl::OnKeyDown(WPARAM wParam, LPARAM lParam) {
    if (list_.HandleKey(static_cast<UINT>(wParam))) return 0;
    return CallDefault(WM_KEYDOWN, wParam, lParam);
}

// The characters of the keys the list took would only beep.
LRESULT CReportCtrl::EditBoxControl::OnChar(WPARAM wParam, LPARAM lParam) {
    if (wParam == L'\t' || wParam == L'\r' || wParam == 0x1B) return 0;
    return CallDefault(WM_CHAR, wParam, lParam);
}

HWND CReportCtrl::EditBox() const { return editBox_ ? editBox_->hwnd() : nullptr; }

void CReportCtrl::StartEdit(int row, int column) {
    if (!editingEnabled_ || row < 0 || row >= RowCount() || column < 0 || column >= ColumnCount()) return;
    if (row == editRow_ && column == editColumn_) return;
    EndEdit(true);
    editRow_ = row;
    editColumn_ = column;
    SelectOnly(row);

    DWORD extraStyle = 0;
    if (hooks_.beginEdit && hooks_.beginEdit(hwnd_, *this, extraStyle) == 0) return;

    LVCOLUMNW info{};
    info.mask = LVCF_FMT;
    SendMessageW(hwnd_, LVM_GETCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&info));
    const auto alignment = static_cast<int>(AlignmentOf(info.fmt));
    if (editBox_ && alignment != editAlignment_) editBox_.reset();

    RECT cell{};
    cell.top = column;
    cell.left = LVIR_LABEL;
    SendMessageW(hwnd_, LVM_GETSUBITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&cell));
    if (column > 0 && SendMessageW(hwnd_, LVM_GETIMAGELIST, LVSIL_SMALL, 0)) {
        LVITEMW item{};
        item.mask = LVIF_IMAGE;
        item.iItem = row;
        item.iSubItem = column;
        SendMessageW(hwnd_, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
        if (item.iImage >= 0) cell.left += 16;
    }

    const DWORD style =
        WS_CHILD | WS_BORDER | ES_AUTOHSCROLL | ES_NOHIDESEL | static_cast<DWORD>(alignment) | extraStyle;
    if (!editBox_) {
        editBox_ = std::make_unique<EditBoxControl>(*this);
        if (!editBox_->Create(L"EDIT", hwnd_, 0, style, cell)) {
            editBox_.reset();
            editRow_ = editColumn_ = -1;
            return;
        }
        editAlignment_ = alignment;
        SendMessageW(editBox_->hwnd(), WM_SETFONT, SendMessageW(hwnd_, WM_GETFONT, 0, 0), FALSE);
    } else {
        // The digits-only style and the like can change from one edit to the next.
        SetWindowLongPtrW(editBox_->hwnd(), GWL_STYLE, static_cast<LONG_PTR>(style));
        MoveWindow(editBox_->hwnd(), cell.left, cell.top, cell.right - cell.left, cell.bottom - cell.top,
                   FALSE);
    }
    HWND edit = editBox_->hwnd();
    SetWindowTextW(edit, GetCellText(row, column).c_str());
    ShowWindow(edit, SW_SHOW);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    SendMessageW(edit, EM_SCROLLCARET, 0, 0);
    SetFocus(edit);
    SendMessageW(edit, EM_LIMITTEXT, kEditLimit, 0);
}

int CReportCtrl::EndEdit(bool keep) {
    // An owner's hook may set cell texts, which end edits themselves.
    if (endingEdit_) return 0;
    struct Guard {
        bool& flag;
        explicit Guard(bool& f) : flag(f) { flag = true; }
        ~Guard() { flag = false; }
    } guard(endingEdit_);

    int changed = 0;
    if (hooks_.endEdit && hooks_.endEdit(hwnd_, *this, keep, changed) == 0) {
        editRow_ = editColumn_ = -1;
        return changed;
    }
    if (!IsEditing() || !editBox_) {
        editRow_ = editColumn_ = -1;
        return 0;
    }
    HWND edit = editBox_->hwnd();
    auto editText = [edit] {
        std::wstring text(static_cast<size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
        text.resize(static_cast<size_t>(GetWindowTextW(edit, text.data(), static_cast<int>(text.size()))));
        return text;
    };
    changed = keep && editText() != GetCellText(editRow_, editColumn_) ? 1 : 0;
    if (changed) {
        if (!hooks_.endEditCheck || hooks_.endEditCheck(edit, *this) != 0) {
            const std::wstring text = editText();
            LVITEMW item{};
            item.iSubItem = editColumn_;
            item.pszText = const_cast<wchar_t*>(text.c_str());
            SendMessageW(hwnd_, LVM_SETITEMTEXTW, static_cast<WPARAM>(editRow_),
                         reinterpret_cast<LPARAM>(&item));
        } else {
            changed = 0;  // a rejected text leaves the cell as it was
        }
    }
    const bool hadFocus = GetFocus() == edit;
    ShowWindow(edit, SW_HIDE);
    if (hadFocus) SetFocus(hwnd_);
    editRow_ = editColumn_ = -1;
    return changed;
}

}  // namespace kv::ui
