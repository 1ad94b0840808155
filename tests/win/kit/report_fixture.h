// A report list in a host dialog, with helpers that click cells and tick boxes
// the way the mouse does.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "tests/win/kit/kit_fixture.h"
#include "ui/kit/report_ctrl.h"

namespace kv::ui::test {

class ReportTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void AddRows(std::initializer_list<const wchar_t*> names);
    POINT CellPoint(int row, int column);
    POINT TickPoint(int row);
    void ClickAt(POINT at);
    void Click(int row, int column) { ClickAt(CellPoint(row, column)); }
    void ClickTick(int row) { ClickAt(TickPoint(row)); }
    void ClickHeader(int column);
    void Key(HWND target, UINT key);
    std::vector<std::wstring> Column(int column);
    std::vector<int> Ticked();

    HostDialog host;
    CReportCtrl list;
    int quiet = 0;
};

}  // namespace kv::ui::test
