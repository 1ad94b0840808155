// In-place editing of the report list: when an edit starts, how it ends, and
// the owner's hooks.
#include "tests/win/kit/report_fixture.h"

namespace kv::ui::test {
namespace {

std::wstring TextOf(HWND window) {
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    return text;
}

class ReportEditTest : public ReportTest {
  protected:
    void SetUp() override {
        ReportTest::SetUp();
        list.SetTickMode(TickMode::None);
        list.EnableEditing(true);
        AddRows({L"alpha", L"beta", L"gamma"});
    }
    HWND VisibleEditBox() {
        HWND edit = list.EditBox();
        return edit && (GetWindowLongPtrW(edit, GWL_STYLE) & WS_VISIBLE) ? edit : nullptr;
    }
};

TEST_F(ReportEditTest, FirstClickSelectsSecondClickEdits) {
    Click(1, 0);
    EXPECT_TRUE(list.HasState(1, kRowSelected | kRowFocused));
    EXPECT_FALSE(list.IsEditing());

    Click(1, 0);
    ASSERT_TRUE(list.IsEditing());
    EXPECT_EQ(list.EditedRow(), 1);
    EXPECT_EQ(list.EditedColumn(), 0);
    HWND edit = VisibleEditBox();
    ASSERT_TRUE(edit);
    EXPECT_EQ(TextOf(edit), L"beta");
    DWORD start = 9, end = 9;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 4u);
    EXPECT_EQ(GetFocus(), edit);
}

TEST_F(ReportEditTest, ClickDuringAnEditEndsItWithoutStartingAnother) {
    Click(1, 0);
    Click(1, 0);
    SetWindowTextW(list.EditBox(), L"BETA");
    Click(1, 1);
    EXPECT_FALSE(list.IsEditing());
    EXPECT_EQ(list.GetCellText(1, 0), L"BETA");  // kept
    Click(1, 1);
    EXPECT_TRUE(list.IsEditing());
    EXPECT_EQ(list.EditedColumn(), 1);
}

TEST_F(ReportEditTest, EditBoxTakesAtMostAHundredCharacters) {
    list.StartEdit(0, 0);
    HWND edit = VisibleEditBox();
    ASSERT_TRUE(edit);
    SetWindowTextW(edit, L"");
    for (int i = 0; i < 101; ++i) SendMessageW(edit, WM_CHAR, L'x', 1);
    EXPECT_EQ(GetWindowTextLengthW(edit), 100);
}

TEST_F(ReportEditTest, EnterKeepsEscapeDiscardsAndTheCheckMayReject) {
    struct Case {
        const char* name;
        const wchar_t* typed;
        UINT key;
        int checkAnswer;
        const wchar_t* cell;
        int checkCalls;
    };
    const Case cases[] = {
        {"enter, changed, accepted", L"delta", VK_RETURN, 1, L"delta", 1},
        {"enter, unchanged", L"alpha", VK_RETURN, 1, L"alpha", 0},
        {"enter, rejected", L"delta", VK_RETURN, 0, L"alpha", 1},
        {"escape", L"delta", VK_ESCAPE, 1, L"alpha", 0},
        {"tab does nothing", L"delta", VK_TAB, 1, L"alpha", 0},
    };
    for (const Case& c : cases) {
        list.SetCellText(0, 0, L"alpha");
        int checkCalls = 0;
        ReportHooks hooks;
        hooks.endEditCheck = [&](HWND, CReportCtrl&) { return ++checkCalls, c.checkAnswer; };
        list.SetHooks(hooks);
        list.StartEdit(0, 0);
        HWND edit = VisibleEditBox();
        ASSERT_TRUE(edit) << c.name;
        SetWindowTextW(edit, c.typed);
        Key(edit, c.key);
        EXPECT_EQ(list.GetCellText(0, 0), c.cell) << c.name;
        EXPECT_EQ(checkCalls, c.checkCalls) << c.name;
        EXPECT_EQ(list.IsEditing(), c.key == VK_TAB) << c.name;
        list.EndEdit(false);
    }
}

TEST_F(ReportEditTest, EndEditAnswersWhetherTheCellChanged) {
    ReportHooks hooks;
    hooks.endEditCheck = [](HWND edit, CReportCtrl&) {
        SetWindowTextW(edit, L"rewritten");  // the owner may correct the text
        return 1;
    };
    list.SetHooks(hooks);
    list.StartEdit(2, 1);
    SetWindowTextW(list.EditBox(), L"typed");
    EXPECT_EQ(list.EndEdit(true), 1);
    EXPECT_EQ(list.GetCellText(2, 1), L"rewritten");
    list.StartEdit(2, 1);
    EXPECT_EQ(list.EndEdit(true), 0);
}

TEST_F(ReportEditTest, OwnerEditorReplacesTheEditBox) {
    int ends = 0;
    ReportHooks hooks;
    hooks.beginEdit = [](HWND, CReportCtrl&, DWORD&) { return 0; };
    hooks.endEdit = [&](HWND, CReportCtrl& ctrl, bool keep, int& changed) {
        ++ends;
        if (ctrl.EditedColumn() == 1 && keep) {
            ctrl.SetCellText(ctrl.EditedRow(), 1, L"chosen");  // ends edits itself: must not recurse
            changed = 1;
        }
        return 0;
    };
    list.SetHooks(hooks);
    list.StartEdit(1, 1);
    EXPECT_TRUE(list.IsEditing());
    EXPECT_FALSE(VisibleEditBox());
    const int before = ends;
    Key(list.hwnd(), VK_RETURN);
    EXPECT_EQ(ends, before + 1);
    EXPECT_FALSE(list.IsEditing());
    EXPECT_EQ(list.GetCellText(1, 1), L"chosen");
}

TEST_F(ReportEditTest, BeginEditAddsTheOwnersStyle) {
    ReportHooks hooks;
    hooks.beginEdit = [](HWND, CReportCtrl&, DWORD& style) { return style = ES_NUMBER, 1; };
    list.SetHooks(hooks);
    list.StartEdit(0, 1);
    ASSERT_TRUE(VisibleEditBox());
    EXPECT_TRUE(GetWindowLongPtrW(list.EditBox(), GWL_STYLE) & ES_NUMBER);
}

TEST_F(ReportEditTest, ScrollingDuringAnEditDiscardsIt) {
    list.StartEdit(0, 0);
    SetWindowTextW(list.EditBox(), L"lost");
    SendMessageW(list.hwnd(), WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_FALSE(list.IsEditing());
    EXPECT_EQ(list.GetCellText(0, 0), L"alpha");
}

TEST_F(ReportEditTest, NothingStartsWhileEditingIsOffOrOutsideTheList) {
    list.EnableEditing(false);
    list.StartEdit(0, 0);
    EXPECT_FALSE(list.IsEditing());
    list.EnableEditing(true);
    list.StartEdit(3, 0);
    list.StartEdit(0, 2);
    EXPECT_FALSE(list.IsEditing());
}

TEST_F(ReportEditTest, SwitchingEditingOffKeepsTheRunningEdit) {
    list.StartEdit(0, 0);
    SetWindowTextW(list.EditBox(), L"kept");
    list.EnableEditing(false);
    EXPECT_FALSE(list.IsEditing());
    EXPECT_EQ(list.GetCellText(0, 0), L"kept");
}

}  // namespace
}  // namespace kv::ui::test
