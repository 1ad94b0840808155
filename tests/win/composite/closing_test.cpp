// A close request (the keyboard going, the program ending) that arrives while
// one of the dialog's message boxes is up: the handler under the box leaves
// the dialog alone, and the clean-up waits until the loop has returned.
#include <gtest/gtest.h>

#include "tests/win/composite/composite_fixture.h"
#include "ui/kit/nested_loops.h"

namespace kv::ui::test {
namespace {

constexpr int kIndexA = 0x1E, kIndexB = 0x30;

class ClosingTest : public CompositeTest {
  public:
    void SetUp() override {
        CompositeTest::SetUp();
        SetWorkingMacros(
            {MakeMacro(1, u"One", {{10, 0x1E, 0}, {0, 0x1E, 1}}), MakeMacro(2, u"Two", {{20, 0x30, 0}})});
        SetEntry(0, kIndexA, {4, 1, 1, 0, 0});
        SetEntry(1, kIndexB, {4, 1, 1, 0, 0});  // another key uses macro 1
    }
};

TEST_F(ClosingTest, AHandlerComingBackFromItsBoxLeavesAClosedDialogAlone) {
    const struct {
        const char* name;
        std::function<void(ClosingTest&)> act;
        std::function<void(ClosingTest&)> check;
    } cases[] = {
        {"deleting a macro other keys use", [](ClosingTest& t) { t.Click(IDC_COMP_MACRO_DELETE); },
         [](ClosingTest& t) { EXPECT_EQ(t.ComboCount(IDC_COMP_MACRO_LIST), 2); }},
        {"clearing the actions", [](ClosingTest& t) { t.Click(IDC_COMP_ACTION_CLEAR); },
         [](ClosingTest& t) { EXPECT_EQ(t.ActionRows(), 2); }},
        {"a delay above the limit",
         [](ClosingTest& t) {
             t.SelectAction(0);
             t.ClickCell(0, 2);
             HWND edit = t.CellEditor();
             ASSERT_NE(edit, nullptr);
             SetWindowTextW(edit, L"50000");
             t.PressKey(edit, VK_RETURN);
         },
         [](ClosingTest& t) { EXPECT_EQ(t.Cell(0, 2), L"10"); }},
    };
    for (const auto& c : cases) {
        SetUp();
        during_box = [this] { dialog->CloseIfOpen(); };
        answers = {IDYES};
        const INT_PTR result = Open(kButtonA, [&] {
            c.act(*this);
            EXPECT_FALSE(dialog->IsOpen()) << c.name;
            c.check(*this);
        });
        EXPECT_EQ(boxes.size(), 1u) << c.name;
        EXPECT_EQ(result, IDCANCEL) << c.name;
        EXPECT_EQ(WorkingMacros().size(), 2u) << c.name;
        EXPECT_EQ(Entry(1, kIndexB).kind, 4) << c.name;
        EXPECT_EQ(KeyboardHooks::LiveHooks(), 0) << c.name;
        boxes.clear();
    }
}

// The same with a real message box, ended as the main window ends every
// nested loop when the program exits.
TEST_F(ClosingTest, EndingEveryLoopClosesTheBoxThenTheDialog) {
    SetMessageBoxAnswerer(nullptr);
    static bool ended = false;
    ended = false;
    struct Ender {
        static void CALLBACK Fire(HWND, UINT, UINT_PTR id, DWORD) {
            KillTimer(nullptr, id);
            ended = NestedLoopDepth() == 2;  // the dialog, and the box inside it
            EndNestedLoops();
        }
    };
    const INT_PTR result = Open(kButtonA, [&] {
        SetTimer(nullptr, 0, 200, &Ender::Fire);
        Click(IDC_COMP_MACRO_DELETE);
        EXPECT_TRUE(ended) << "the timer should have fired inside the box";
        EXPECT_FALSE(dialog->IsOpen());
        EXPECT_EQ(ComboCount(IDC_COMP_MACRO_LIST), 2)
            << "a box ended from outside answers neither Yes nor No";
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(NestedLoopDepth(), 0);
    EXPECT_EQ(WorkingMacros().size(), 2u);
}

TEST_F(ClosingTest, TheDialogOpensAgainAfterAClose) {
    Open(kButtonA, [&] { dialog->CloseIfOpen(); });
    SetEntry(0, kIndexA, {7, 0, 4, 0, 0});
    Open(kButtonA, [&] {
        EXPECT_EQ(dialog->CurrentPage(), composite::Page::kMedia);
        EXPECT_EQ(ComboRow(IDC_COMP_MEDIA_LIST), 4);
        ChooseRow(IDC_COMP_MEDIA_LIST, 8);
        Click(IDOK);
    });
    EXPECT_EQ(Entry(0, kIndexA), (model::KeyAssignment{7, 0, 8, 0, 0}));
}

}  // namespace
}  // namespace kv::ui::test
