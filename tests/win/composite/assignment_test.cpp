// Every kind of assignment through the dialog's pages, and what OK, Apply and
// Cancel leave in the working set.
#include <gtest/gtest.h>

#include <mutex>

#include "model/keys/g_keys.h"
#include "tests/win/composite/composite_fixture.h"

namespace kv::ui::test {
namespace {

using composite::Page;
using model::KeyAssignment;

constexpr int kIndexA = 0x1E;
constexpr uint32_t kVkB = 0x42;

// A fresh press as the thread keyboard hook sees it.
LPARAM PressFlags(uint32_t scan) { return static_cast<LPARAM>(1u | (scan << 16)); }

TEST_F(CompositeTest, OpensOnThePageOfTheStoredKind) {
    const struct {
        KeyAssignment stored;
        Page page;
        int list;  // the list whose row shows the stored value, or 0
        int row;
    } cases[] = {
        {{0, 0, 0, 0, 0}, Page::kKey, 0, 0},
        {{2, 0, 0x30, 0, 0}, Page::kKey, 0, 0},
        {{7, 0, 5, 0, 0}, Page::kMedia, IDC_COMP_MEDIA_LIST, 5},
        {{7, 0, 40, 0, 0}, Page::kMedia, IDC_COMP_MEDIA_LIST, 0},  // beyond the list: the first row
        {{8, 0, 10, 0, 0}, Page::kFunction, IDC_COMP_FUNCTION_LIST, 10},
        {{3, 0, 0x80, 0, 0}, Page::kKey, 0, 0},
    };
    for (const auto& c : cases) {
        SetEntry(0, kIndexA, c.stored);
        Open(kButtonA, [&] {
            EXPECT_EQ(dialog->CurrentPage(), c.page) << c.stored.kind;
            EXPECT_TRUE(Visible(c.page == Page::kKey     ? IDC_COMP_KEY_BOX
                                : c.page == Page::kMedia ? IDC_COMP_MEDIA_LIST
                                                         : IDC_COMP_FUNCTION_LIST));
            EXPECT_FALSE(Visible(IDC_COMP_ACTIONS));
            if (c.list) {
                EXPECT_EQ(ComboRow(c.list), c.row) << c.stored.kind;
            }
            EXPECT_FALSE(Enabled(IDC_COMP_APPLY)) << "nothing changed yet";
        });
    }
}

TEST_F(CompositeTest, OkStoresWhatThePagesChose) {
    struct Case {
        const char* name;
        KeyAssignment stored;
        std::function<void(CompositeTest&)> steps;
        KeyAssignment expected;
    };
    const Case cases[] = {
        {"another key, captured by the hook",
         {},
         [](CompositeTest& t) {
             KeyboardHooks::ThreadProc(HC_ACTION, kVkB, PressFlags(0x30));
             (void)t;
         },
         {2, 0, 0x30, 0, 0}},
        {"the key itself is its default",
         {2, 0, 0x30, 0, 0},
         [](CompositeTest&) { KeyboardHooks::ThreadProc(HC_ACTION, 0x41, PressFlags(0x1E)); },
         {0, 0, 0, 0, 0}},
        {"the middle mouse button",
         {},
         [](CompositeTest& t) {
             t.Click(IDC_COMP_MOUSE_CHOICE);
             t.ChooseRow(IDC_COMP_MOUSE_LIST, 2);
         },
         {2, 0, 0x173, 0, 0}},
        {"the mouse choice without touching the list",
         {},
         [](CompositeTest& t) { t.Click(IDC_COMP_MOUSE_CHOICE); },
         {2, 0, 0x171, 0, 0}},
        {"wheel down",
         {},
         [](CompositeTest& t) {
             t.Click(IDC_COMP_MOUSE_CHOICE);
             t.ChooseRow(IDC_COMP_MOUSE_LIST, 4);
         },
         {2, 0, 0x162, 0, 0}},
        {"a media function",
         {},
         [](CompositeTest& t) {
             t.Click(IDC_COMP_TAB_MEDIA);
             t.ChooseRow(IDC_COMP_MEDIA_LIST, 6);
         },
         {7, 0, 6, 0, 0}},
        {"a keyboard function",
         {},
         [](CompositeTest& t) {
             t.Click(IDC_COMP_TAB_FUNCTION);
             t.ChooseRow(IDC_COMP_FUNCTION_LIST, 3);
         },
         {8, 0, 3, 0, 0}},
        {"Clear gives the default",
         {7, 0, 5, 0, 0},
         [](CompositeTest& t) { t.Click(IDC_COMP_CLEAR); },
         {0, 0, 0, 0, 0}},
        {"a media entry unchanged stays", {7, 0, 5, 0, 0}, [](CompositeTest&) {}, {7, 0, 5, 0, 0}},
        {"a program path's value is no key to send",
         {3, 0, 0x30, 0, 0},
         [](CompositeTest& t) { t.Click(IDC_COMP_KEYBOARD_CHOICE); },
         {0, 0, 0, 0, 0}},
        {"a macro page without macros stores the default",
         {},
         [](CompositeTest& t) { t.Click(IDC_COMP_TAB_MACRO); },
         {0, 0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        SetEntry(0, kIndexA, c.stored);
        const int pending = host.pending;
        const INT_PTR result = Open(kButtonA, [&] {
            c.steps(*this);
            Click(IDOK);
        });
        EXPECT_EQ(result, IDOK) << c.name;
        EXPECT_EQ(Entry(0, kIndexA), c.expected) << c.name;
        EXPECT_EQ(host.pending, pending + 1) << c.name;
    }
}

// OK on a key the dialog cannot make (a program path, a text block) used to
// empty its string slot; the string now stays while the kind does.
TEST_F(CompositeTest, AProgramPathOrTextStaysWithItsEntry) {
    const struct {
        const char* name;
        KeyAssignment stored;
        bool change_page;
        bool string_kept;
    } cases[] = {
        {"a program path, nothing changed", {3, 0, 0x40, 0, 0}, false, true},
        {"a text block, nothing changed", {6, 0, 0x80, 0, 0}, false, true},
        {"a program path given a media function", {3, 0, 0x40, 0, 0}, true, false},
    };
    const int entry = model::EntryNumber(0, kIndexA);
    for (const auto& c : cases) {
        SetEntry(0, kIndexA, c.stored);
        {
            std::lock_guard lock(host.sets.WorkingConfigLock());
            host.sets.Working().strings.Set(entry, u"C:\\Tools\\run.exe");
        }
        Open(kButtonA, [&] {
            if (c.change_page) Click(IDC_COMP_TAB_MEDIA);
            Click(IDOK);
        });
        std::lock_guard lock(host.sets.WorkingConfigLock());
        EXPECT_EQ(host.sets.Working().strings.Text(entry).empty(), !c.string_kept) << c.name;
        if (c.string_kept) {
            EXPECT_EQ(Entry(0, kIndexA), c.stored) << c.name;
        } else {
            EXPECT_EQ(Entry(0, kIndexA).kind, model::kKindMedia) << c.name;
        }
    }
}

TEST_F(CompositeTest, CancelAndTheCloseRequestLeaveTheWorkingSetAlone) {
    for (bool closeRequest : {false, true}) {
        SetEntry(0, kIndexA, {7, 0, 5, 0, 0});
        const INT_PTR result = Open(kButtonA, [&] {
            Click(IDC_COMP_TAB_FUNCTION);
            ChooseRow(IDC_COMP_FUNCTION_LIST, 2);
            if (closeRequest)
                dialog->CloseIfOpen();
            else
                Click(IDCANCEL);
            EXPECT_FALSE(dialog->IsOpen());
        });
        EXPECT_EQ(result, IDCANCEL);
        EXPECT_EQ(Entry(0, kIndexA), (KeyAssignment{7, 0, 5, 0, 0}));
        EXPECT_EQ(host.pending, 0);
    }
}

TEST_F(CompositeTest, ApplyWritesAndKeepsTheDialogOpen) {
    Open(kButtonA, [&] {
        Click(IDC_COMP_TAB_MEDIA);
        EXPECT_TRUE(Enabled(IDC_COMP_APPLY));
        ChooseRow(IDC_COMP_MEDIA_LIST, 9);
        Click(IDC_COMP_APPLY);
        EXPECT_TRUE(dialog->IsOpen());
        EXPECT_FALSE(Enabled(IDC_COMP_APPLY));
        EXPECT_EQ(Entry(0, kIndexA), (KeyAssignment{7, 0, 9, 0, 0}));
        EXPECT_EQ(host.refreshes, 1);
        ChooseRow(IDC_COMP_MEDIA_LIST, 1);
        Click(IDCANCEL);
    });
    EXPECT_EQ(Entry(0, kIndexA), (KeyAssignment{7, 0, 9, 0, 0}))
        << "Cancel after Apply keeps what was applied";
}

TEST_F(CompositeTest, GButtonsEditTheEntryOfTheCurrentLayer) {
    for (model::GLayer layer : {model::GLayer::kA, model::GLayer::kB}) {
        host.layer = layer;
        host.profile = 2;
        Open(kButtonG1, [&] {
            Click(IDC_COMP_TAB_FUNCTION);
            ChooseRow(IDC_COMP_FUNCTION_LIST, 4);
            Click(IDOK);
        });
        const int index = model::GKeyIndex(layer, 1);
        EXPECT_EQ(Entry(2, index),
                  (KeyAssignment{8, model::GIdOf(static_cast<model::KeyIndex>(index)), 4, 0, 0}));
        EXPECT_EQ(Entry(0, index).kind, 0) << "another profile is not touched";
    }
}

TEST_F(CompositeTest, TheClickedButtonHoversWhileTheDialogIsOpen) {
    Open(kButtonA, [&] {
        ASSERT_EQ(host.hovers.size(), 1u);
        EXPECT_TRUE(host.hovers[0].on);
    });
    ASSERT_EQ(host.hovers.size(), 2u);
    EXPECT_EQ(host.hovers[1].id, kButtonA);
    EXPECT_FALSE(host.hovers[1].on);
}

TEST_F(CompositeTest, AControlThatIsNoKeyOpensNothing) {
    EXPECT_EQ(dialog->SelectKey(1174), 0);  // the Fn button
    EXPECT_TRUE(host.hovers.empty());
}

}  // namespace
}  // namespace kv::ui::test
