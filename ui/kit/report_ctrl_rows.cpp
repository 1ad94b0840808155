// Rows of the report list: records, texts, colours, states, moves, deletion.
#include <algorithm>
#include <climits>

#include "ui/kit/report_ctrl.h"
#include "ui/kit/report_ctrl_parts.h"

namespace kv::ui {

int CReportCtrl::ColumnCount() const {
    HWND header = reinterpret_cast<HWND>(SendMessageW(hwnd_, LVM_GETHEADER, 0, 0));
    return header ? static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

int CReportCtrl::InsertColumn(int position, const std::wstring& header, int format, int width) {
    EndEdit(true);
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_FMT | LVCF_WIDTH;
    column.fmt = format;
    column.cx = width;
    column.pszText = const_cast<wchar_t*>(header.c_str());
    const int index = static_cast<int>(SendMessageW(hwnd_, LVM_INSERTCOLUMNW, static_cast<WPARAM>(position),
                                                    reinterpret_cast<LPARAM>(&column)));
    if (index < 0) return index;
    for (auto& record : records_) {
        const auto at = static_cast<size_t>(std::min<int>(index, static_cast<int>(record->text.size())));
        record->text.insert(record->text.begin() + static_cast<ptrdiff_t>(at), DefaultText());
        record->back.insert(record->back.begin() + static_cast<ptrdiff_t>(at), DefaultBack());
    }
    return index;
}

bool CReportCtrl::DeleteColumn(int column) {
    EndEdit(true);
    if (!SendMessageW(hwnd_, LVM_DELETECOLUMN, static_cast<WPARAM>(column), 0)) return false;
    for (auto& record : records_) {
        if (column >= 0 && static_cast<size_t>(column) < record->text.size()) {
            record->text.erase(record->text.begin() + column);
            record->back.erase(record->back.begin() + column);
        }
    }
    return true;
}

int CReportCtrl::RowCount() const { return static_cast<int>(SendMessageW(hwnd_, LVM_GETITEMCOUNT, 0, 0)); }

CReportCtrl::Row* CReportCtrl::RecordOf(int row) const {
    if (row < 0 || row >= RowCount()) return nullptr;
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    SendMessageW(hwnd_, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    return reinterpret_cast<Row*>(item.lParam);
}

void CReportCtrl::FreeRecord(Row* record) {
    std::erase_if(records_, [record](const std::unique_ptr<Row>& owned) { return owned.get() == record; });
}

int CReportCtrl::InsertRow(int position, const std::wstring& text) {
    EndEdit(true);
    auto record = std::make_unique<Row>();
    const auto columns = static_cast<size_t>(std::max(ColumnCount(), 1));
    record->text.assign(columns, DefaultText());
    record->back.assign(columns, DefaultBack());

    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = position;
    item.pszText = const_cast<wchar_t*>(text.c_str());
    item.lParam = reinterpret_cast<LPARAM>(record.get());
    const int index =
        static_cast<int>(SendMessageW(hwnd_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    if (index >= 0) records_.push_back(std::move(record));
    return index;
}

void CReportCtrl::SetRowData(int row, void* data) {
    if (Row* record = RecordOf(row)) record->ownerData = data;
}

void* CReportCtrl::GetRowData(int row) const {
    const Row* record = RecordOf(row);
    return record ? record->ownerData : nullptr;
}

void CReportCtrl::SetCellText(int row, int column, const std::wstring& text) {
    EndEdit(true);
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = const_cast<wchar_t*>(text.c_str());
    SendMessageW(hwnd_, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

std::wstring CReportCtrl::GetCellText(int row, int column) const {
    std::wstring buffer(1024, L'\0');
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = buffer.data();
    item.cchTextMax = static_cast<int>(buffer.size());
    const auto length =
        SendMessageW(hwnd_, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    buffer.resize(static_cast<size_t>(std::max<LRESULT>(length, 0)));
    return buffer;
}

void CReportCtrl::ForEachCell(int row, int column, const std::function<void(Row&, int)>& action) {
    const int first = row == kAllCells ? 0 : row, last = row == kAllCells ? RowCount() - 1 : row;
    for (int r = first; r <= last; ++r) {
        Row* record = RecordOf(r);
        if (!record) continue;
        const int columns = static_cast<int>(record->text.size());
        const int from = column == kAllCells ? 0 : column, to = column == kAllCells ? columns - 1 : column;
        for (int c = std::max(from, 0); c <= to && c < columns; ++c) action(*record, c);
    }
    InvalidateRect(hwnd_, nullptr, FALSE);
}

void CReportCtrl::SetCellTextColor(int row, int column, COLORREF color) {
    const COLORREF value = color == kDefaultColor ? DefaultText() : color;
    ForEachCell(row, column, [value](Row& record, int c) { record.text[static_cast<size_t>(c)] = value; });
}

void CReportCtrl::SetCellBackColor(int row, int column, COLORREF color) {
    const COLORREF value = color == kDefaultColor ? DefaultBack() : color;
    ForEachCell(row, column, [value](Row& record, int c) { record.back[static_cast<size_t>(c)] = value; });
}

COLORREF CReportCtrl::GetCellTextColor(int row, int column) const {
    const Row* record = RecordOf(row);
    if (!record || column < 0 || static_cast<size_t>(column) >= record->text.size()) return kDefaultColor;
    return record->text[static_cast<size_t>(column)];
}

COLORREF CReportCtrl::GetCellBackColor(int row, int column) const {
    const Row* record = RecordOf(row);
    if (!record || column < 0 || static_cast<size_t>(column) >= record->back.size()) return kDefaultColor;
    return record->back[static_cast<size_t>(column)];
}

int CReportCtrl::FindRowByText(const std::wstring& text) const {
    const std::wstring wanted = text.substr(0, kCompareLimit);
    for (int row = 0; row < RowCount(); ++row) {
        const std::wstring cell = GetCellText(row, 0).substr(0, kCompareLimit);
        if (CompareStringOrdinal(cell.c_str(), static_cast<int>(cell.size()), wanted.c_str(),
                                 static_cast<int>(wanted.size()), TRUE) == CSTR_EQUAL)
            return row;
    }
    return -1;
}

unsigned CReportCtrl::RawState(int row) const {
    return static_cast<unsigned>(SendMessageW(hwnd_, LVM_GETITEMSTATE, static_cast<WPARAM>(row),
                                              LVIS_SELECTED | LVIS_FOCUSED | LVIS_STATEIMAGEMASK));
}

bool CReportCtrl::GetTick(int row) const {
    return (RawState(row) & LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2);
}

void CReportCtrl::PutTick(int row, bool on) {
    ListView_SetItemState(hwnd_, row, INDEXTOSTATEIMAGEMASK(on ? 2 : 1), LVIS_STATEIMAGEMASK);
}

bool CReportCtrl::HasState(int row, unsigned states) const {
    if (row < 0 || row >= RowCount()) return false;
    const unsigned raw = RawState(row);
    if ((states & kRowSelected) && !(raw & LVIS_SELECTED)) return false;
    if ((states & kRowFocused) && !(raw & LVIS_FOCUSED)) return false;
    if ((states & kRowTicked) && !GetTick(row)) return false;
    return true;
}

int CReportCtrl::CountRows(unsigned states) const {
    int count = 0;
    for (int row = 0; row < RowCount(); ++row) count += HasState(row, states) ? 1 : 0;
    return count;
}

int CReportCtrl::FindRow(unsigned states, int after) const {
    for (int row = std::max(after + 1, 0); row < RowCount(); ++row)
        if (HasState(row, states)) return row;
    return -1;
}

void CReportCtrl::SetRowState(int row, unsigned states, bool on) {
    if (row < 0 || row >= RowCount()) return;
    UINT mask = 0;
    if (states & kRowSelected) mask |= LVIS_SELECTED;
    if (states & kRowFocused) mask |= LVIS_FOCUSED;
    if (mask) ListView_SetItemState(hwnd_, row, on ? mask : 0, mask);
    if (states & kRowTicked) {
        PutTick(row, on);
        if (hooks_.checkChanged) hooks_.checkChanged(row, *this);
    }
}

bool CReportCtrl::DeleteRow(int row, bool selectNext) {
    if (row < 0 || row >= RowCount()) return false;
    EndEdit(editRow_ != row);  // an edit of the row itself is dropped with it
    const int count = RowCount();
    if (selectNext && count > 1) {
        const int next = row + 1 < count ? row + 1 : row - 1;
        WithQuietFlag([&] {
            ListView_SetItemState(hwnd_, next, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        });
    }
    Row* record = RecordOf(row);
    const bool deleted = SendMessageW(hwnd_, LVM_DELETEITEM, static_cast<WPARAM>(row), 0) != 0;
    if (deleted) FreeRecord(record);
    return deleted;
}

void CReportCtrl::DeleteAllRows() {
    EndEdit(true);
    SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0);
    SendMessageW(hwnd_, LVM_DELETEALLITEMS, 0, 0);
    records_.clear();
    SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

CReportCtrl::Snapshot CReportCtrl::TakeSnapshot(int row) const {
    Snapshot snapshot;
    const int columns = std::max(ColumnCount(), 1);
    for (int column = 0; column < columns; ++column) {
        snapshot.texts.push_back(GetCellText(row, column));
        LVITEMW item{};
        item.mask = LVIF_IMAGE;
        item.iItem = row;
        item.iSubItem = column;
        SendMessageW(hwnd_, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
        snapshot.images.push_back(item.iImage);
    }
    snapshot.record = reinterpret_cast<LPARAM>(RecordOf(row));
    snapshot.state = RawState(row);
    return snapshot;
}

void CReportCtrl::Restore(int row, const Snapshot& snapshot) {
    for (size_t column = 0; column < snapshot.texts.size(); ++column) {
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_IMAGE | (column == 0 ? LVIF_PARAM : 0u);
        item.iItem = row;
        item.iSubItem = static_cast<int>(column);
        item.pszText = const_cast<wchar_t*>(snapshot.texts[column].c_str());
        item.iImage = snapshot.images[column];
        item.lParam = snapshot.record;
        SendMessageW(hwnd_, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    ListView_SetItemState(hwnd_, row, snapshot.state, LVIS_SELECTED | LVIS_FOCUSED | LVIS_STATEIMAGEMASK);
}

int CReportCtrl::MoveRow(int from, int to) {
    EndEdit(true);
    const int count = RowCount();
    if (from < 0 || from >= count) return -1;
    to = std::clamp(to, 0, count - 1);
    if (to == from) return from;
    const Snapshot snapshot = TakeSnapshot(from);
    int index = -1;
    WithQuietFlag([&] {
        SendMessageW(hwnd_, LVM_DELETEITEM, static_cast<WPARAM>(from), 0);  // the record stays ours
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = to;
        item.pszText = const_cast<wchar_t*>(snapshot.texts[0].c_str());
        item.lParam = snapshot.record;
        index = static_cast<int>(SendMessageW(hwnd_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
        if (index >= 0) Restore(index, snapshot);
    });
    return index;
}

}  // namespace kv::ui
