// Report list ticks, sorting, moves, deletion, colours and lookup.
#include "tests/win/kit/report_fixture.h"
#include "ui/kit/window_capture.h"

namespace kv::ui::test {
namespace {

class ReportRowsTest : public ReportTest {
  protected:
    void SetUp() override {
        ReportTest::SetUp();
        hooks.checkChanged = [this](int row, CReportCtrl&) { checkChanges.push_back(row); };
        list.SetHooks(hooks);
    }
    ReportHooks hooks;
    std::vector<int> checkChanges;
};

TEST_F(ReportRowsTest, OneOfManyTicksAtMostOneRow) {
    list.SetTickMode(TickMode::OneOfMany);
    AddRows({L"a", L"b", L"c"});
    ClickTick(0);
    EXPECT_EQ(Ticked(), std::vector<int>{0});
    ClickTick(2);
    EXPECT_EQ(Ticked(), std::vector<int>{2});
    EXPECT_EQ(checkChanges, std::vector<int>{0});  // the control unticked row 0 itself
    EXPECT_TRUE(list.HasState(2, kRowSelected | kRowFocused));
    EXPECT_EQ(list.CountRows(kRowSelected), 1);
    ClickTick(2);
    EXPECT_TRUE(Ticked().empty());
}

TEST_F(ReportRowsTest, IndependentTicksAndQuietSelection) {
    list.SetTickMode(TickMode::Independent);
    AddRows({L"a", L"b"});
    ClickTick(0);
    ClickTick(1);
    EXPECT_EQ(Ticked(), (std::vector<int>{0, 1}));
    EXPECT_TRUE(checkChanges.empty());  // the list view's own toggle
    EXPECT_TRUE(list.HasState(1, kRowSelected | kRowFocused));
    EXPECT_EQ(list.CountRows(kRowSelected), 1);
    EXPECT_EQ(quiet, 0);  // raised only while the control selected the row
}

TEST_F(ReportRowsTest, FixedTicksCannotBeClicked) {
    list.SetTickMode(TickMode::Fixed);
    AddRows({L"a", L"b"});
    list.SetRowState(1, kRowTicked, true);
    checkChanges.clear();
    ClickTick(0);
    ClickTick(1);
    EXPECT_EQ(Ticked(), std::vector<int>{1});
    EXPECT_EQ(checkChanges, (std::vector<int>{0, 1}));
}

TEST_F(ReportRowsTest, SpaceBarNeverChangesATick) {
    list.SetTickMode(TickMode::Independent);
    AddRows({L"a", L"b"});
    list.SetRowState(0, kRowSelected | kRowFocused, true);
    SetFocus(list.hwnd());
    Key(list.hwnd(), VK_SPACE);
    SendMessageW(list.hwnd(), WM_CHAR, L' ', 1);
    EXPECT_TRUE(Ticked().empty());
}

TEST_F(ReportRowsTest, OwnerTicksReportTheChange) {
    AddRows({L"a", L"b"});
    list.SetRowState(1, kRowTicked, true);
    list.SetRowState(1, kRowTicked, false);
    EXPECT_EQ(checkChanges, (std::vector<int>{1, 1}));
    EXPECT_TRUE(Ticked().empty());
}

TEST_F(ReportRowsTest, HeaderClickSortsByCodeUnitsAndThenReverses) {
    AddRows({L"b", L"A", L"a"});
    int data[3] = {0, 1, 2};
    for (int row = 0; row < 3; ++row) list.SetRowData(row, &data[row]);
    int before = 0, after = 0;
    hooks.beforeSort = [&](HWND, CReportCtrl&) { ++before; };
    hooks.afterSort = [&](HWND, CReportCtrl&) { ++after; };
    list.SetHooks(hooks);

    ClickHeader(0);
    EXPECT_EQ(Column(0), (std::vector<std::wstring>{L"A", L"a", L"b"}));
    EXPECT_EQ(Column(1), (std::vector<std::wstring>{L"vA", L"va", L"vb"}));  // rows move whole
    EXPECT_EQ(list.GetRowData(0), &data[1]);
    ClickHeader(0);
    EXPECT_EQ(Column(0), (std::vector<std::wstring>{L"b", L"a", L"A"}));
    EXPECT_EQ(list.GetRowData(0), &data[0]);
    EXPECT_EQ(before, 2);
    EXPECT_EQ(after, 2);
    EXPECT_FALSE(list.SortAscending());

    ClickHeader(1);  // another column starts ascending again
    EXPECT_EQ(Column(0), (std::vector<std::wstring>{L"A", L"a", L"b"}));
}

TEST_F(ReportRowsTest, UnclickableHeaderDoesNotSort) {
    AddRows({L"b", L"a"});
    list.SortByColumn(0);
    list.SetHeaderClickable(false);
    EXPECT_EQ(list.SortColumn(), -1);
    EXPECT_TRUE(list.SortAscending());
    list.SortByColumn(0);
    list.SortByColumn(1);
    EXPECT_EQ(list.SortColumn(), -1);
}

TEST_F(ReportRowsTest, MovedRowKeepsEverythingAndStaysInRange) {
    struct Case {
        const char* name;
        int from;
        int (CReportCtrl::*move)(int, int);
        int n, to;
    };
    const Case cases[] = {
        {"first up stays first", 0, &CReportCtrl::MoveUp, 1, 0},
        {"last down stays last", 3, &CReportCtrl::MoveDown, 1, 3},
        {"down two", 0, &CReportCtrl::MoveDown, 2, 2},
        {"up far", 2, &CReportCtrl::MoveUp, 10, 0},
    };
    for (const Case& c : cases) {
        list.DeleteAllRows();
        AddRows({L"a", L"b", L"c", L"d"});
        int owner = 7;
        list.SetRowData(c.from, &owner);
        list.SetCellTextColor(c.from, 1, RGB(1, 2, 3));
        list.SetCellBackColor(c.from, 0, RGB(4, 5, 6));
        list.SetRowState(c.from, kRowTicked | kRowSelected, true);
        const std::wstring name = list.GetCellText(c.from, 0);

        EXPECT_EQ((list.*c.move)(c.from, c.n), c.to) << c.name;
        EXPECT_EQ(list.GetCellText(c.to, 0), name) << c.name;
        EXPECT_EQ(list.GetCellText(c.to, 1), L"v" + name) << c.name;
        EXPECT_EQ(list.GetRowData(c.to), &owner) << c.name;
        EXPECT_EQ(list.GetCellTextColor(c.to, 1), RGB(1, 2, 3)) << c.name;
        EXPECT_EQ(list.GetCellBackColor(c.to, 0), RGB(4, 5, 6)) << c.name;
        EXPECT_TRUE(list.HasState(c.to, kRowTicked | kRowSelected)) << c.name;
        EXPECT_EQ(list.RowCount(), 4) << c.name;
    }
    list.DeleteAllRows();
    AddRows({L"a", L"b", L"c"});
    EXPECT_EQ(list.MoveToBottom(0), 2);
    EXPECT_EQ(list.MoveToTop(2), 0);
    EXPECT_EQ(Column(0), (std::vector<std::wstring>{L"a", L"b", L"c"}));
}

TEST_F(ReportRowsTest, DeleteSelectsTheNextRowOrTheNewLast) {
    struct Case {
        const char* name;
        int rows, deleted, selected;
    };
    const Case cases[] = {
        {"middle row", 3, 1, 1},  // the old third row, now second
        {"last row", 3, 2, 1},
        {"only row", 1, 0, -1},
    };
    for (const Case& c : cases) {
        list.DeleteAllRows();
        for (int i = 0; i < c.rows; ++i) list.InsertRow(i, std::to_wstring(i));
        EXPECT_TRUE(list.DeleteRow(c.deleted, true)) << c.name;
        EXPECT_EQ(list.RowCount(), c.rows - 1) << c.name;
        EXPECT_EQ(list.FindRow(kRowSelected), c.selected) << c.name;
    }
}

TEST_F(ReportRowsTest, DeletingTheEditedRowDropsItsEdit) {
    AddRows({L"a", L"b"});
    list.EnableEditing(true);
    list.StartEdit(0, 1);
    SetWindowTextW(list.EditBox(), L"typed");
    list.DeleteRow(1, false);  // another row: the edit is kept
    EXPECT_EQ(list.GetCellText(0, 1), L"typed");
    list.StartEdit(0, 1);
    SetWindowTextW(list.EditBox(), L"gone");
    list.DeleteRow(0, false);
    EXPECT_FALSE(list.IsEditing());
    EXPECT_EQ(list.RowCount(), 0);
}

TEST_F(ReportRowsTest, ColoursApplyOnlyToRowsThatExist) {
    list.SetCellTextColor(kAllCells, 1, RGB(9, 9, 9));
    AddRows({L"a", L"b"});
    EXPECT_EQ(list.GetCellTextColor(0, 1), GetSysColor(COLOR_WINDOWTEXT));
    list.SetCellTextColor(kAllCells, 1, RGB(9, 9, 9));
    list.SetCellBackColor(1, kAllCells, RGB(8, 8, 8));
    EXPECT_EQ(list.GetCellTextColor(0, 1), RGB(9, 9, 9));
    EXPECT_EQ(list.GetCellTextColor(0, 0), GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(list.GetCellBackColor(1, 0), RGB(8, 8, 8));
    EXPECT_EQ(list.GetCellBackColor(0, 0), GetSysColor(COLOR_WINDOW));
    list.SetCellBackColor(1, 0, kDefaultColor);
    EXPECT_EQ(list.GetCellBackColor(1, 0), GetSysColor(COLOR_WINDOW));
}

TEST_F(ReportRowsTest, CellColoursAreDrawn) {
    list.SetTickMode(TickMode::None);
    AddRows({L"a", L"b"});
    list.SetCellBackColor(1, 1, RGB(0, 0, 200));
    const PixelImage shot = CaptureWindow(list.hwnd());
    const POINT colored = CellPoint(1, 1), plain = CellPoint(1, 0);
    EXPECT_EQ(RgbAt(shot, colored.x + 40, colored.y), 0x0000C8u);
    EXPECT_NE(RgbAt(shot, plain.x + 40, plain.y), 0x0000C8u);
}

TEST_F(ReportRowsTest, NewColumnsGetDefaultColoursInPlace) {
    AddRows({L"a"});
    list.SetCellTextColor(0, 1, RGB(1, 1, 1));
    list.InsertColumn(1, L"Middle", LVCFMT_LEFT, 50);
    EXPECT_EQ(list.GetCellTextColor(0, 1), GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(list.GetCellTextColor(0, 2), RGB(1, 1, 1));
    list.DeleteColumn(1);
    EXPECT_EQ(list.GetCellTextColor(0, 1), RGB(1, 1, 1));
}

TEST_F(ReportRowsTest, FindsRowsByNameInAnyCase) {
    AddRows({L"Gaming", L"Office"});
    EXPECT_EQ(list.FindRowByText(L"office"), 1);
    EXPECT_EQ(list.FindRowByText(L"GAMING"), 0);
    EXPECT_EQ(list.FindRowByText(L"Office2"), -1);
}

}  // namespace
}  // namespace kv::ui::test
