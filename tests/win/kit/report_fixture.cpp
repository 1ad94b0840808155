#include "tests/win/kit/report_fixture.h"

namespace kv::ui::test {

void ReportTest::SetUp() {
    HWND control = host.CreateChild(WC_LISTVIEWW, 1019, LVS_REPORT | LVS_SHOWSELALWAYS, RECT{0, 0, 400, 300});
    ASSERT_TRUE(list.Attach(control));
    list.InsertColumn(0, L"Name", LVCFMT_LEFT, 120);
    list.InsertColumn(1, L"Value", LVCFMT_LEFT, 120);
    list.SetOwner(&host, &quiet);
}

void ReportTest::AddRows(std::initializer_list<const wchar_t*> names) {
    for (const wchar_t* name : names) {
        const int row = list.InsertRow(list.RowCount(), name);
        list.SetCellText(row, 1, std::wstring(L"v") + name);
    }
}

POINT ReportTest::CellPoint(int row, int column) {
    RECT cell{};
    cell.top = column;
    cell.left = LVIR_LABEL;
    SendMessageW(list.hwnd(), LVM_GETSUBITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&cell));
    return {cell.left + 8, (cell.top + cell.bottom) / 2};
}

POINT ReportTest::TickPoint(int row) {
    POINT at = CellPoint(row, 0);
    for (int x = 0; x < 40; ++x) {
        LVHITTESTINFO hit{};
        hit.pt = {x, at.y};
        SendMessageW(list.hwnd(), LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
        if (hit.iItem == row && (hit.flags & LVHT_ONITEMSTATEICON)) return hit.pt;
    }
    ADD_FAILURE() << "no tick box on row " << row;
    return at;
}

void ReportTest::ClickAt(POINT at) {
    SendMessageW(list.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    SendMessageW(list.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    Pump();
}

void ReportTest::ClickHeader(int column) {
    HWND header = reinterpret_cast<HWND>(SendMessageW(list.hwnd(), LVM_GETHEADER, 0, 0));
    RECT item{};
    SendMessageW(header, HDM_GETITEMRECT, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item));
    const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    SendMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(header, WM_LBUTTONUP, 0, at);
    Pump();
}

void ReportTest::Key(HWND target, UINT key) {
    SendMessageW(target, WM_KEYDOWN, key, 1);
    Pump();
}

std::vector<std::wstring> ReportTest::Column(int column) {
    std::vector<std::wstring> texts;
    for (int row = 0; row < list.RowCount(); ++row) texts.push_back(list.GetCellText(row, column));
    return texts;
}

std::vector<int> ReportTest::Ticked() {
    std::vector<int> rows;
    for (int row = list.FindRow(kRowTicked); row >= 0; row = list.FindRow(kRowTicked, row))
        rows.push_back(row);
    return rows;
}

}  // namespace kv::ui::test
