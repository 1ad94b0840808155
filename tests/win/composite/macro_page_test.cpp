// The macro page: adding, renaming and deleting macros, the play count, the
// limits, and what Apply commits to the working macro list.
#include <gtest/gtest.h>

#include <string>

#include "tests/win/composite/composite_fixture.h"

namespace kv::ui::test {
namespace {

using model::KeyAssignment;
using model::MacroAction;

constexpr int kIndexA = 0x1E, kIndexB = 0x30;

std::u16string NameOf(const model::MacroRecord& m) { return std::u16string(m.name); }

std::vector<std::u16string> Names(const std::vector<model::MacroRecord>& macros) {
    std::vector<std::u16string> names;
    for (const auto& m : macros) names.push_back(NameOf(m));
    return names;
}

class MacroPageTest : public CompositeTest {
  public:
    void SetUp() override {
        CompositeTest::SetUp();
        SetWorkingMacros({MakeMacro(1, u"One", {{10, 0x1E, 0}, {0, 0x1E, 1}}, 3),
                          MakeMacro(2, u"Two", {{20, 0x30, 0}}, 4),
                          MakeMacro(3, u"Three", {{30, 0x2E, 0}, {30, 0x2E, 1}, {0, 0x2E, 0}}, 5)});
    }
};

TEST_F(MacroPageTest, OpensOnTheStoredMacroWithItsActions) {
    SetEntry(0, kIndexA, {4, 9, 2, 0, 0});
    Open(kButtonA, [&] {
        EXPECT_EQ(dialog->CurrentPage(), composite::Page::kMacro);
        EXPECT_EQ(ComboCount(IDC_COMP_MACRO_LIST), 3);
        EXPECT_EQ(ComboRow(IDC_COMP_MACRO_LIST), 1);
        EXPECT_EQ(TextOf(IDC_COMP_CYCLES), L"4") << "the macro's own play count";
        ASSERT_EQ(ActionRows(), 1);
        EXPECT_EQ(Cell(0, 0), host.texts.Get(L"IDS_KEYBOARD_B"));
        EXPECT_EQ(Cell(0, 1), L"\u2193");
        EXPECT_EQ(Cell(0, 2), L"20");
        EXPECT_TRUE(Enabled(IDC_COMP_RECORD));
    });
}

TEST_F(MacroPageTest, AnotherKindVisitingTheMacroPageWorksOnTheFirstMacro) {
    SetEntry(0, kIndexA, {7, 0, 3, 0, 0});
    Open(kButtonA, [&] {
        Click(IDC_COMP_TAB_MACRO);
        EXPECT_EQ(ComboRow(IDC_COMP_MACRO_LIST), 0);
        EXPECT_EQ(ActionRows(), 2);
        TypeMacroName(L"Renamed");
        Click(IDOK);
    });
    EXPECT_EQ(Entry(0, kIndexA), (KeyAssignment{4, 3, 1, 0, 0}));
    EXPECT_EQ(Names(WorkingMacros()), (std::vector<std::u16string>{u"Renamed", u"Two", u"Three"}));
}

TEST_F(MacroPageTest, AddedMacrosAreNumberedAndCommitted) {
    SetWorkingMacros({});
    Open(kButtonA, [&] {
        Click(IDC_COMP_TAB_MACRO);
        for (int i = 0; i < 3; ++i) Click(IDC_COMP_MACRO_ADD);
        EXPECT_EQ(ComboRow(IDC_COMP_MACRO_LIST), 2);
        EXPECT_EQ(ActionRows(), 0);
        EXPECT_EQ(TextOf(IDC_COMP_CYCLES), L"1");
        Click(IDOK);
    });
    const auto macros = WorkingMacros();
    EXPECT_EQ(Names(macros), (std::vector<std::u16string>{u"Macro 1", u"Macro 2", u"Macro 3"}));
    for (size_t i = 0; i < macros.size(); ++i) {
        EXPECT_EQ(macros[i].id, i + 1);
        EXPECT_EQ(macros[i].new_flag, 0) << "committed macros are no longer new";
        EXPECT_EQ(macros[i].play_count, 1);
    }
    EXPECT_EQ(Entry(0, kIndexA), (KeyAssignment{4, 1, 3, 0, 0}));
}

TEST_F(MacroPageTest, AddSkipsANameThatBeginsAnExistingOne) {
    SetWorkingMacros({MakeMacro(5, u"macro 10", {})});
    Open(kButtonA, [&] {
        Click(IDC_COMP_TAB_MACRO);
        Click(IDC_COMP_MACRO_ADD);
        EXPECT_EQ(ComboText(IDC_COMP_MACRO_LIST, 1), L"Macro 2") << "\"Macro 1\" would begin \"macro 10\"";
        Click(IDOK);
    });
    EXPECT_EQ(WorkingMacros()[1].id, 1) << "the lowest free id";
}

TEST_F(MacroPageTest, TheHundredAndFirstMacroIsRefused) {
    std::vector<model::MacroRecord> full;
    for (uint16_t id = 1; id <= 100; ++id) {
        std::u16string name(2, u'M');
        name[1] = static_cast<char16_t>(u'0' + id % 10);
        full.push_back(MakeMacro(id, name, {}));
    }
    SetWorkingMacros(full);
    Open(kButtonA, [&] {
        Click(IDC_COMP_TAB_MACRO);
        Click(IDC_COMP_MACRO_ADD);
        EXPECT_EQ(ComboCount(IDC_COMP_MACRO_LIST), 100);
        Click(IDOK);
    });
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, L"At most 100 macros can be stored.");
    EXPECT_EQ(WorkingMacros().size(), 100u);
}

TEST_F(MacroPageTest, TypingNamesTheSelectedMacroUpToAHundredCharacters) {
    const std::wstring longName(150, L'n');
    Open(kButtonA, [&] {
        Click(IDC_COMP_TAB_MACRO);
        ChooseRow(IDC_COMP_MACRO_LIST, 2);
        TypeMacroName(longName);
        EXPECT_EQ(ComboText(IDC_COMP_MACRO_LIST, 2), longName.substr(0, 100));
        Click(IDOK);
    });
    EXPECT_EQ(NameOf(WorkingMacros()[2]), std::u16string(100, u'n'));
}

TEST_F(MacroPageTest, TypingIntoAnEmptyListMakesAMacro) {
    SetWorkingMacros({});
    Open(kButtonA, [&] {
        Click(IDC_COMP_TAB_MACRO);
        TypeMacroName(L"Typed");
        EXPECT_EQ(ComboCount(IDC_COMP_MACRO_LIST), 1);
        Click(IDOK);
    });
    ASSERT_EQ(WorkingMacros().size(), 1u);
    EXPECT_EQ(NameOf(WorkingMacros()[0]), u"Typed");
    EXPECT_EQ(WorkingMacros()[0].id, 1);
}

TEST_F(MacroPageTest, ThePlayCountStaysBetweenOneAnd255) {
    const struct {
        const wchar_t* typed;
        const wchar_t* shown;
        int stored;
    } cases[] = {{L"300", L"255", 255}, {L"0", L"1", 1}, {L"99999999999", L"255", 255}, {L"17", L"17", 17}};
    for (const auto& c : cases) {
        SetEntry(0, kIndexA, {4, 1, 1, 0, 0});
        Open(kButtonA, [&] {
            TypeCycles(c.typed);
            EXPECT_EQ(TextOf(IDC_COMP_CYCLES), c.shown) << c.typed;
            Click(IDOK);
        });
        EXPECT_EQ(Entry(0, kIndexA).g_id, c.stored) << c.typed;
        EXPECT_EQ(WorkingMacros()[0].play_count, c.stored) << c.typed;
    }
}

TEST_F(MacroPageTest, SwitchingMacrosKeepsEachOnesEdits) {
    Open(kButtonA, [&] {
        Click(IDC_COMP_TAB_MACRO);
        SelectAction(0);
        Click(IDC_COMP_ACTION_DELETE);
        TypeCycles(L"9");
        ChooseRow(IDC_COMP_MACRO_LIST, 2);
        EXPECT_EQ(ActionRows(), 3);
        ChooseRow(IDC_COMP_MACRO_LIST, 0);
        EXPECT_EQ(ActionRows(), 1);
        EXPECT_EQ(TextOf(IDC_COMP_CYCLES), L"9");
        Click(IDOK);
    });
    const auto macros = WorkingMacros();
    EXPECT_EQ(macros[0].action_count, 1);
    EXPECT_EQ(macros[0].play_count, 9);
    EXPECT_EQ(macros[2].action_count, 3);
}

// Deleting selects the row before (the first row after the first); the
// deleted macro's rows are never written over the macro that moves up.
TEST_F(MacroPageTest, DeleteSelectsTheNeighbourAndCopiesNothingOverIt) {
    const struct {
        int deleted;
        int selected_after;
        std::vector<std::u16string> left;
    } cases[] = {
        {0, 0, {u"Two", u"Three"}},
        {1, 0, {u"One", u"Three"}},
        {2, 1, {u"One", u"Two"}},
    };
    for (const auto& c : cases) {
        SetUp();
        Open(kButtonA, [&] {
            Click(IDC_COMP_TAB_MACRO);
            ChooseRow(IDC_COMP_MACRO_LIST, c.deleted);
            Click(IDC_COMP_MACRO_DELETE);
            EXPECT_EQ(ComboRow(IDC_COMP_MACRO_LIST), c.selected_after) << c.deleted;
            Click(IDOK);
        });
        const auto macros = WorkingMacros();
        EXPECT_EQ(Names(macros), c.left) << c.deleted;
        for (const auto& m : macros) {
            const int expected = m.id == 1 ? 2 : m.id == 2 ? 1 : 3;
            EXPECT_EQ(m.action_count, expected) << "macro " << m.id << " after deleting row " << c.deleted;
            EXPECT_EQ(m.play_count, m.id + 2) << "macro " << m.id << " after deleting row " << c.deleted;
        }
    }
}

TEST_F(MacroPageTest, DeletingAMacroOtherKeysUseAsksAndResetsThem) {
    const struct {
        const char* name;
        int profile, key;
        int answer;
        bool asked, deleted;
    } cases[] = {
        {"a key of another profile, No", 1, kIndexB, IDNO, true, false},
        {"a key of another profile, Yes", 1, kIndexB, IDYES, true, true},
        {"G1 of layer A of this profile", 0, 256, IDYES, true, true},
        {"only the key being edited", 0, kIndexA, IDYES, false, true},
    };
    for (const auto& c : cases) {
        SetUp();
        SetEntry(c.profile, c.key, {4, 1, 2, 0, 0});
        answers = {c.answer};
        Open(kButtonA, [&] {
            Click(IDC_COMP_TAB_MACRO);
            ChooseRow(IDC_COMP_MACRO_LIST, 1);
            Click(IDC_COMP_MACRO_DELETE);
            Click(IDOK);
        });
        ASSERT_EQ(boxes.size(), c.asked ? 1u : 0u) << c.name;
        if (c.asked) {
            EXPECT_EQ(boxes[0].text, host.texts.Get(L"MACRO_DELETE_CONFIRM_OF_KEYS")) << c.name;
            EXPECT_EQ(boxes[0].flags & (MB_YESNO | MB_DEFBUTTON2),
                      static_cast<UINT>(MB_YESNO | MB_DEFBUTTON2));
        }
        EXPECT_EQ(WorkingMacros().size(), c.deleted ? 2u : 3u) << c.name;
        if (c.key != kIndexA) {
            EXPECT_EQ(Entry(c.profile, c.key).kind, c.deleted ? 0 : 4) << c.name;
        }
        boxes.clear();
    }
}

TEST_F(MacroPageTest, AMacroMadeInThisOpeningIsDeletedWithoutAQuestion) {
    Open(kButtonA, [&] {
        Click(IDC_COMP_TAB_MACRO);
        Click(IDC_COMP_MACRO_ADD);
        Click(IDC_COMP_MACRO_DELETE);
        EXPECT_EQ(ComboCount(IDC_COMP_MACRO_LIST), 3);
    });
    EXPECT_TRUE(boxes.empty());
}

TEST_F(MacroPageTest, DeletingTheLastMacroCommitsTheEmptyList) {
    SetWorkingMacros({MakeMacro(1, u"Only", {{0, 0x1E, 0}})});
    SetEntry(2, kIndexB, {4, 1, 1, 0, 0});
    answers = {IDYES};
    Open(kButtonA, [&] {
        Click(IDC_COMP_TAB_MACRO);
        Click(IDC_COMP_MACRO_DELETE);
        EXPECT_EQ(ActionRows(), 0);
        EXPECT_FALSE(Enabled(IDC_COMP_RECORD)) << "no macro, nothing to record into";
        Click(IDOK);
    });
    EXPECT_TRUE(WorkingMacros().empty());
    EXPECT_EQ(Entry(2, kIndexB).kind, 0);
    EXPECT_EQ(Entry(0, kIndexA).kind, 0) << "a macro key without macros is the default";
}

TEST_F(MacroPageTest, MacrosFromAFileAreClampedWhenTheListIsFilled) {
    model::MacroRecord big = MakeMacro(1, u"", {});
    for (int i = 0; i < model::kMaxMacroActions; ++i)
        big.actions[i] = {10, 0x1E, static_cast<uint16_t>(i % 2)};
    big.action_count = 2500;
    std::fill(std::begin(big.name), std::end(big.name), u'x');  // no terminator
    SetWorkingMacros({big});
    SetEntry(0, kIndexA, {4, 1, 1, 0, 0});
    Open(kButtonA, [&] {
        EXPECT_EQ(ActionRows(), model::kMaxMacroActions);
        EXPECT_EQ(ComboText(IDC_COMP_MACRO_LIST, 0), std::wstring(model::kMacroNameMaxUnits, L'x'));
        Click(IDOK);
    });
    EXPECT_EQ(WorkingMacros()[0].action_count, model::kMaxMacroActions);
    EXPECT_EQ(WorkingMacros()[0].name[model::kMacroNameMaxUnits], u'\0');
}

TEST_F(MacroPageTest, AFailedCommitChangesNothingAndKeepsTheDialogOpen) {
    SetEntry(0, kIndexA, {7, 0, 2, 0, 0});
    dialog->SetCommitter(
        [](model::ConfigSets&, std::span<model::MacroRecord>) { return model::MacroCommitResult{}; });
    const INT_PTR result = Open(kButtonA, [&] {
        Click(IDC_COMP_TAB_MACRO);
        Click(IDC_COMP_MACRO_ADD);
        Click(IDOK);
        EXPECT_TRUE(dialog->IsOpen());
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, host.texts.Get(L"MACRO_ERR_APPLY"));
        Click(IDCANCEL);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(Entry(0, kIndexA), (KeyAssignment{7, 0, 2, 0, 0}))
        << "the key does not start playing another macro";
    EXPECT_EQ(WorkingMacros().size(), 3u);
    EXPECT_EQ(host.pending, 0);
}

}  // namespace
}  // namespace kv::ui::test
