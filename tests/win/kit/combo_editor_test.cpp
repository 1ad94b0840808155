// The drop-down cell editor: choosing an entry ends the edit keeping the
// choice, Escape ends it discarding, as the owners' hooks expect.
#include "tests/win/kit/report_fixture.h"
#include "ui/kit/combo_for_list.h"

namespace kv::ui::test {
namespace {

class ComboEditorTest : public ReportTest {
  protected:
    void SetUp() override {
        ReportTest::SetUp();
        list.SetTickMode(TickMode::None);
        list.EnableEditing(true);
        AddRows({L"a"});
        list.SetCellText(0, 1, L"Down");
        ReportHooks hooks;
        hooks.beginEdit = [this](HWND listWindow, CReportCtrl& ctrl, DWORD&) {
            RECT cell{};
            cell.top = ctrl.EditedColumn();
            cell.left = LVIR_LABEL;
            SendMessageW(listWindow, LVM_GETSUBITEMRECT, static_cast<WPARAM>(ctrl.EditedRow()),
                         reinterpret_cast<LPARAM>(&cell));
            cell.bottom += 6 * (cell.bottom - cell.top);
            combo.CreateOver(listWindow, 5000, cell);
            for (const wchar_t* choice : {L"Down", L"Up"})
                SendMessageW(combo.hwnd(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(choice));
            SendMessageW(combo.hwnd(), CB_SETCURSEL, 0, 0);
            ShowWindow(combo.hwnd(), SW_SHOW);
            combo.PostEnterOnSelect(listWindow);
            return 0;
        };
        hooks.endEdit = [this](HWND, CReportCtrl& ctrl, bool keep, int& changed) {
            ++ends;
            if (!combo.hwnd()) return 1;
            const auto choice = SendMessageW(combo.hwnd(), CB_GETCURSEL, 0, 0);
            if (keep && choice == 1) {
                ctrl.SetCellText(ctrl.EditedRow(), 1, L"Up");
                changed = 1;
            }
            combo.Destroy();
            return 0;
        };
        list.SetHooks(hooks);
    }

    // What a user's choice in the open list sends: the combo tells its parent.
    void Choose(int index) {
        SendMessageW(combo.hwnd(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        SendMessageW(list.hwnd(), WM_COMMAND, MAKEWPARAM(5000, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(combo.hwnd()));
        Pump();
    }

    CComboBox4ListCtrl combo;
    int ends = 0;
};

TEST_F(ComboEditorTest, ChoosingAnEntryEndsTheEditKeepingIt) {
    list.StartEdit(0, 1);
    ASSERT_TRUE(combo.hwnd());
    Choose(1);
    EXPECT_FALSE(list.IsEditing());
    EXPECT_EQ(list.GetCellText(0, 1), L"Up");
    EXPECT_EQ(combo.hwnd(), nullptr);
}

TEST_F(ComboEditorTest, EscapeInTheComboDiscardsTheChoice) {
    list.StartEdit(0, 1);
    ASSERT_TRUE(combo.hwnd());
    SendMessageW(combo.hwnd(), CB_SETCURSEL, 1, 0);
    SendMessageW(combo.hwnd(), WM_KEYDOWN, VK_ESCAPE, 1);
    Pump();
    EXPECT_FALSE(list.IsEditing());
    EXPECT_EQ(list.GetCellText(0, 1), L"Down");
    EXPECT_EQ(combo.hwnd(), nullptr);
}

TEST_F(ComboEditorTest, LosingTheFocusKeepsTheEditorOpen) {
    list.StartEdit(0, 1);
    ASSERT_TRUE(combo.hwnd());
    SendMessageW(combo.hwnd(), WM_KILLFOCUS, 0, 0);
    Pump();
    EXPECT_TRUE(list.IsEditing());
    EXPECT_TRUE(combo.hwnd());
}

}  // namespace
}  // namespace kv::ui::test
