// Sorting the report list by a column.
#include <algorithm>
#include <numeric>

#include "ui/kit/report_ctrl.h"
#include "ui/kit/report_ctrl_parts.h"

namespace kv::ui {

void CReportCtrl::SortByColumn(int column) {
    if (!sortable_) return;
    if (hooks_.beforeSort) hooks_.beforeSort(hwnd_, *this);
    const bool ascending = column != sortColumn_ || !ascending_;
    EndEdit(true);
    if (column < 0 || column >= ColumnCount() || !headerClickable_) return;
    sortColumn_ = column;
    ascending_ = ascending;

    const int count = RowCount();
    std::vector<Snapshot> rows;
    rows.reserve(static_cast<size_t>(count));
    for (int row = 0; row < count; ++row) rows.push_back(TakeSnapshot(row));
    std::vector<size_t> order(rows.size());
    std::iota(order.begin(), order.end(), size_t{0});
    // Plain UTF-16 code unit order: "B" sorts before "a".
    std::sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        const std::wstring& left = rows[a].texts[static_cast<size_t>(column)];
        const std::wstring& right = rows[b].texts[static_cast<size_t>(column)];
        return ascending ? left < right : right < left;
    });
    WithQuietFlag([&] {
        for (size_t i = 0; i < order.size(); ++i) Restore(static_cast<int>(i), rows[order[i]]);
    });
    if (hooks_.afterSort) hooks_.afterSort(hwnd_, *this);
}

}  // namespace kv::ui
