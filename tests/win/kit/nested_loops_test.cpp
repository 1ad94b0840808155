// Nested modal loops end from inside themselves (as a tray Exit would arrive),
// innermost first, and report that they were ended rather than answered.
#include "ui/kit/nested_loops.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/win/kit/kit_fixture.h"
#include "ui/kit/dialog_template.h"
#include "ui/kit/file_dialog.h"

namespace kv::ui::test {
namespace {

// Runs once inside whatever loop is dispatching when it fires.
struct LoopEnder {
    static inline int depth_seen = -1;
    static void CALLBACK Fire(HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        depth_seen = NestedLoopDepth();
        EndNestedLoops();
    }
    LoopEnder() {
        depth_seen = -1;
        SetTimer(nullptr, 0, 50, &Fire);
    }
};

struct BoxTemplate {
    MemoryDialogTemplate boxTemplate{WS_POPUP | WS_VISIBLE, 120, 80};
};

// A modal dialog that shows a message box from its initialisation, as a
// handler deep in a sub-dialog would.
class AskingDialog : private BoxTemplate, public Dialog {
  public:
    AskingDialog() : Dialog(DialogTemplate::FromMemory(boxTemplate.get())) {}
    int answer = -1;
    std::vector<std::string> order;

  protected:
    BOOL OnInitDialog() override {
        PostMessageW(hwnd_, WM_APP, 0, 0);
        return TRUE;
    }
    bool Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
        if (message != WM_APP) return Dialog::Route(message, wParam, lParam, result);
        answer = NestedMessageBox(hwnd_, L"Delete it?", L"", MB_YESNO | MB_DEFBUTTON2);
        order.push_back("box returned");
        result = 0;
        return true;
    }
};

TEST(NestedLoops, AMessageBoxEndedFromInsideAnswersNeitherOkNorYes) {
    LoopEnder ender;
    const int answer = NestedMessageBox(nullptr, L"Still there?", L"", MB_YESNO);
    EXPECT_EQ(LoopEnder::depth_seen, 1);
    EXPECT_EQ(answer, 0);
    EXPECT_EQ(NestedLoopDepth(), 0);
}

TEST(NestedLoops, ADialogAndItsBoxEndInnermostFirst) {
    AskingDialog dialog;
    LoopEnder ender;
    INT_PTR result = 0;
    {
        NestedLoop loop([&] {
            dialog.order.push_back("dialog ended");
            dialog.End(IDCANCEL);
        });
        result = dialog.DoModal(nullptr);
    }
    EXPECT_EQ(LoopEnder::depth_seen, 2) << "the timer should fire inside the box inside the dialog";
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(dialog.answer, 0);
    EXPECT_EQ(dialog.order, (std::vector<std::string>{"dialog ended", "box returned"}))
        << "the dialog is asked to end first, but the box returns before the dialog's loop does";
    EXPECT_EQ(NestedLoopDepth(), 0);
}

TEST(NestedLoops, APopupMenuEnds) {
    HostDialog owner;
    HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING, 100, L"Restore");
    LoopEnder ender;
    NestedPopupMenu(menu, TPM_LEFTALIGN, 10, 10, owner.hwnd());
    DestroyMenu(menu);
    EXPECT_EQ(LoopEnder::depth_seen, 1);
    EXPECT_EQ(NestedLoopDepth(), 0);
}

TEST(NestedLoops, AFileDialogEndedFromInsideChoosesNothing) {
    LoopEnder ender;
    const auto chosen = ChooseFile(nullptr, FileDialogKind::kOpen,
                                   {L"(*.kvp)|*.kvp|(*.*)|*.*||", L"kvp", L"*.kvp", L"", false});
    EXPECT_EQ(LoopEnder::depth_seen, 1);
    EXPECT_FALSE(chosen.has_value());
}

// Ends whatever loop runs when it fires, should a refused one be shown after all.
struct HangGuard {
    static inline bool fired = false;
    static void CALLBACK Fire(HWND, UINT, UINT_PTR, DWORD) {
        fired = true;
        EndNestedLoops();
        EndMenu();
    }
    HangGuard() : id(SetTimer(nullptr, 0, 2000, &Fire)) { fired = false; }
    ~HangGuard() { KillTimer(nullptr, id); }
    UINT_PTR id;
};

// Once the program is ending, a box, menu or file dialog that a handler still
// starts is not shown at all and answers as if it had been ended.
TEST(NestedLoops, RefusedLoopsEndBeforeTheyShow) {
    HostDialog owner;
    HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING, 100, L"Restore");
    bool asked = false;
    SetMessageBoxAnswerer([&](const std::wstring&, UINT) {
        asked = true;
        return IDYES;
    });
    const struct {
        const char* name;
        std::function<bool()> run;  // true when it answered as ended
    } cases[] = {
        {"message box", [] { return NestedMessageBox(nullptr, L"Still there?", L"", MB_YESNO) == 0; }},
        {"popup menu", [&] { return NestedPopupMenu(menu, TPM_LEFTALIGN, 10, 10, owner.hwnd()) == FALSE; }},
        {"file dialog",
         [] {
             return !ChooseFile(nullptr, FileDialogKind::kSave,
                                {L"(*.kvp)|*.kvp||", L"kvp", L"*.kvp", L"", true})
                         .has_value();
         }},
        {"a loop of its own",
         [] {
             NestedLoop loop([] {});
             return loop.EndRequested();
         }},
    };
    RefuseNestedLoops(true);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        HangGuard guard;
        EXPECT_TRUE(c.run());
        EXPECT_FALSE(HangGuard::fired) << "it was shown and waited";
        EXPECT_EQ(NestedLoopDepth(), 0);
    }
    RefuseNestedLoops(false);
    SetMessageBoxAnswerer(nullptr);
    DestroyMenu(menu);
    EXPECT_FALSE(asked) << "a refused box still went to the answerer";
    NestedLoop later([] {});
    EXPECT_FALSE(later.EndRequested()) << "loops stay refused";
}

// What an exit request leaves to do comes once every loop has returned, not inside the innermost.
TEST(NestedLoops, WhatWaitsForTheirEndRunsOnceTheLastHasReturned) {
    static std::vector<std::string> order;
    order.clear();
    WhenNestedLoopsEnd([] { order.push_back("at once"); });
    EXPECT_EQ(order, (std::vector<std::string>{"at once"})) << "no loop is up";
    order.clear();
    struct Request {
        static void CALLBACK Fire(HWND, UINT, UINT_PTR id, DWORD) {
            KillTimer(nullptr, id);
            WhenNestedLoopsEnd([] { order.push_back("then"); });
            EndNestedLoops();
        }
    };
    SetTimer(nullptr, 0, 50, &Request::Fire);
    {
        NestedLoop outer([] {});
        NestedMessageBox(nullptr, L"Still there?", L"", MB_OK);
        order.push_back("box returned");
    }
    order.push_back("outer returned");
    EXPECT_EQ(order, (std::vector<std::string>{"box returned", "then", "outer returned"}));
}

TEST(NestedLoops, AnswererStandsInForBoxes) {
    std::wstring asked;
    SetMessageBoxAnswerer([&](const std::wstring& text, UINT) {
        asked = text;
        return IDYES;
    });
    EXPECT_EQ(NestedMessageBox(nullptr, L"Apply?", L"", MB_YESNO), IDYES);
    SetMessageBoxAnswerer(nullptr);
    EXPECT_EQ(asked, L"Apply?");
}

TEST(FileDialogFilter, BarsBecomeNuls) {
    struct Case {
        const wchar_t* bars;
        std::wstring expected;
    };
    using namespace std::string_literals;
    const Case cases[] = {
        {L"(*.kvp)|*.kvp|(*.*)|*.*||", L"(*.kvp)\0*.kvp\0(*.*)\0*.*\0\0"s},
        {L"MyType Files (*.exe)|*.exe||", L"MyType Files (*.exe)\0*.exe\0\0"s},
        {L"", L"\0\0"s},
    };
    for (const Case& c : cases) EXPECT_EQ(NulSeparatedFilter(c.bars), c.expected) << c.bars;
}

}  // namespace
}  // namespace kv::ui::test
