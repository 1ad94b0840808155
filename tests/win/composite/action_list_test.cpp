// Editing a macro's actions by hand: the three cell editors, Enter and
// Escape, deleting, clearing and moving rows.
#include <gtest/gtest.h>

#include "model/keys/list_numbers.h"
#include "tests/win/composite/composite_fixture.h"

namespace kv::ui::test {
namespace {

using model::MacroAction;

constexpr int kIndexA = 0x1E;
constexpr int kKey = 0, kDirection = 1, kDelay = 2;

class ActionListTest : public CompositeTest {
  public:
    void SetUp() override {
        CompositeTest::SetUp();
        SetWorkingMacros(
            {MakeMacro(1, u"Keys", {{100, 0x1E, 0}, {200, 0x30, 0}, {300, 0x2E, 0}, {0, 0x20, 1}})});
        SetEntry(0, kIndexA, {4, 1, 1, 0, 0});
    }

    // The macro's keys, in row order, once the dialog has committed them.
    std::vector<MacroAction> Committed() {
        const auto macro = WorkingMacros().at(0);
        return {macro.actions, macro.actions + macro.action_count};
    }

    // Opens the editor of a cell as the mouse does: select the row, click the cell.
    HWND EditCell(int row, int column) {
        SelectAction(row);
        ClickCell(row, column);
        return CellEditor();
    }

    void Choose(HWND chooser, int entry) {
        SendMessageW(chooser, CB_SETCURSEL, static_cast<WPARAM>(entry), 0);
        SendMessageW(Item(IDC_COMP_ACTIONS), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(chooser), CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(chooser));
        PumpDialog();
    }
};

TEST_F(ActionListTest, DelaysAreRoundedAndLimited) {
    const struct {
        const wchar_t* typed;
        const wchar_t* shown;
        uint32_t stored;
        bool message;
    } cases[] = {
        {L"125", L"120", 120, false},
        {L"40000", L"40000", 40000, false},
        {L"45000", L"40000", 40000, true},
        {L"-5", L"40000", 40000, true},
        {L"99999999999", L"40000", 40000, true},
    };
    for (const auto& c : cases) {
        SetUp();
        Open(kButtonA, [&] {
            HWND edit = EditCell(1, kDelay);
            ASSERT_NE(edit, nullptr) << c.typed;
            EXPECT_TRUE(GetWindowLongPtrW(edit, GWL_STYLE) & ES_NUMBER);
            SetWindowTextW(edit, c.typed);
            PressKey(edit, VK_RETURN);
            EXPECT_EQ(CellEditor(), nullptr) << "Enter ends the edit";
            EXPECT_EQ(Cell(1, kDelay), c.shown) << c.typed;
            EXPECT_TRUE(dialog->IsOpen()) << "Enter never reaches the dialog's OK";
            Click(IDOK);
        });
        EXPECT_EQ(Committed()[1].delay_ms, c.stored) << c.typed;
        ASSERT_EQ(boxes.size(), c.message ? 1u : 0u) << c.typed;
        if (c.message) {
            EXPECT_EQ(boxes[0].text, L"The longest delay is 40000 ms.");
        }
        boxes.clear();
    }
}

TEST_F(ActionListTest, EscapeDiscardsAnEditAndNeverCancelsTheDialog) {
    Open(kButtonA, [&] {
        HWND edit = EditCell(0, kDelay);
        ASSERT_NE(edit, nullptr);
        SetWindowTextW(edit, L"5000");
        PressKey(edit, VK_ESCAPE);
        EXPECT_EQ(Cell(0, kDelay), L"100");
        PressKey(Item(IDC_COMP_ACTIONS), VK_ESCAPE);
        PressKey(Item(IDC_COMP_ACTIONS), VK_RETURN);
        EXPECT_TRUE(dialog->IsOpen());
        Click(IDOK);
    });
    EXPECT_EQ(Committed()[0].delay_ms, 100u);
}

TEST_F(ActionListTest, TheKeyChooserStoresTheChosenKey) {
    Open(kButtonA, [&] {
        HWND chooser = EditCell(2, kKey);
        ASSERT_NE(chooser, nullptr);
        EXPECT_EQ(SendMessageW(chooser, CB_GETCOUNT, 0, 0), 111);
        EXPECT_EQ(SendMessageW(chooser, CB_GETCURSEL, 0, 0), model::ListNumberOf(0x2E)) << "C is preselected";
        Choose(chooser, model::ListNumberOf(0x39));  // Space
        EXPECT_EQ(CellEditor(), nullptr) << "a choice ends the edit";
        EXPECT_EQ(Cell(2, kKey), host.texts.Get(L"IDS_KEYBOARD_SPACE"));
        Click(IDOK);
    });
    EXPECT_EQ(Committed()[2].key_code, 0x39);
}

TEST_F(ActionListTest, TheDirectionChooserStoresPressOrRelease) {
    Open(kButtonA, [&] {
        HWND chooser = EditCell(1, kDirection);
        ASSERT_NE(chooser, nullptr);
        Choose(chooser, 1);
        EXPECT_EQ(Cell(1, kDirection), L"  \u2191");
        chooser = EditCell(3, kDirection);
        ASSERT_NE(chooser, nullptr);
        SendMessageW(chooser, CB_SETCURSEL, 0, 0);
        PressKey(chooser, VK_ESCAPE);
        EXPECT_EQ(Cell(3, kDirection), L"  \u2191") << "Escape keeps the old direction";
        Click(IDOK);
    });
    const auto actions = Committed();
    EXPECT_EQ(actions[1].direction, model::kRelease);
    EXPECT_EQ(actions[3].direction, model::kRelease);
}

TEST_F(ActionListTest, RowsMoveAndStaySelected) {
    const struct {
        const char* name;
        int button, row;
        std::vector<uint16_t> keys;
        int selected;
    } cases[] = {
        {"to the top", IDC_COMP_ACTION_TOP, 2, {0x2E, 0x1E, 0x30, 0x20}, 0},
        {"up", IDC_COMP_ACTION_UP, 2, {0x1E, 0x2E, 0x30, 0x20}, 1},
        {"down", IDC_COMP_ACTION_DOWN, 1, {0x1E, 0x2E, 0x30, 0x20}, 2},
        {"to the bottom", IDC_COMP_ACTION_BOTTOM, 0, {0x30, 0x2E, 0x20, 0x1E}, 3},
        {"the first row up stays", IDC_COMP_ACTION_UP, 0, {0x1E, 0x30, 0x2E, 0x20}, 0},
        {"the last row down stays", IDC_COMP_ACTION_DOWN, 3, {0x1E, 0x30, 0x2E, 0x20}, 3},
    };
    for (const auto& c : cases) {
        SetUp();
        Open(kButtonA, [&] {
            SelectAction(c.row);
            Click(c.button);
            EXPECT_EQ(SelectedAction(), c.selected) << c.name;
            EXPECT_TRUE(dialog->Changed()) << c.name;
            Click(IDOK);
        });
        std::vector<uint16_t> keys;
        for (const auto& a : Committed()) keys.push_back(a.key_code);
        EXPECT_EQ(keys, c.keys) << c.name;
    }
}

TEST_F(ActionListTest, DeletingARowSelectsTheNextOrTheNewLast) {
    const struct {
        int row;
        int selected;
        std::vector<uint16_t> keys;
    } cases[] = {{1, 1, {0x1E, 0x2E, 0x20}}, {3, 2, {0x1E, 0x30, 0x2E}}};
    for (const auto& c : cases) {
        SetUp();
        Open(kButtonA, [&] {
            SelectAction(c.row);
            Click(IDC_COMP_ACTION_DELETE);
            EXPECT_EQ(SelectedAction(), c.selected) << c.row;
            Click(IDOK);
        });
        std::vector<uint16_t> keys;
        for (const auto& a : Committed()) keys.push_back(a.key_code);
        EXPECT_EQ(keys, c.keys) << c.row;
    }
}

TEST_F(ActionListTest, ClearingAsksFirst) {
    for (int answer : {IDNO, IDYES}) {
        SetUp();
        answers = {answer};
        Open(kButtonA, [&] {
            Click(IDC_COMP_ACTION_CLEAR);
            Click(IDOK);
        });
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, host.texts.Get(L"MACRO_ACTION_CLEAR_CONFIRM"));
        EXPECT_EQ(boxes[0].flags & (MB_YESNO | MB_DEFBUTTON2), static_cast<UINT>(MB_YESNO | MB_DEFBUTTON2));
        EXPECT_EQ(Committed().size(), answer == IDYES ? 0u : 4u);
        boxes.clear();
    }
}

}  // namespace
}  // namespace kv::ui::test
