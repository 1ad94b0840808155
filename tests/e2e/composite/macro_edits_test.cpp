// Macros edited in the dialog of the real program, checked in the simulated
// keyboard's macro area after the main window's Apply: add, rename, record
// with real keys, edit cells, move and delete rows, clear, delete a macro
// that keys play; and the list's limits (100 macros, 2000 actions).
#include <gtest/gtest.h>

#include <algorithm>

#include "composite_driver.h"
#include "model/keys/key_buttons.h"
#include "model/keys/text_format.h"
#include "model/macro/macro_image.h"
#include "ui/dialogs/composite/composite_ids.h"

namespace kv::e2e {
namespace {

using namespace ids;

constexpr int kDelayColumn = 2;
constexpr uint16_t kCodeA = 0x1E, kCodeLShift = 0x2A, kCodeLWin = 0x15B;
constexpr uint16_t kCodeS = 0x1F, kCodeD = 0x20, kCodeF = 0x21, kCodeG = 0x22;

int ButtonOf(uint16_t code) {
    for (const model::KeyButton& b : model::KeyButtons())
        if (b.code == code) return b.control_id;
    return 0;
}

std::wstring WithNumber(const wchar_t* key, int value) {
    const std::wstring text = EnglishText(key);
    const std::u16string formatted = model::FormatWithNumber(std::u16string(text.begin(), text.end()), value);
    return std::wstring(formatted.begin(), formatted.end());
}

struct Step {
    uint16_t key;
    uint16_t direction;
    bool operator==(const Step&) const = default;
};
std::vector<Step> Steps(const model::MacroRecord& macro) {
    std::vector<Step> steps;
    for (int i = 0; i < macro.action_count; ++i)
        steps.push_back({macro.actions[i].key_code, macro.actions[i].direction});
    return steps;
}
void PrintTo(const Step& s, std::ostream* os) { *os << std::hex << s.key << (s.direction ? " up" : " down"); }

const model::MacroRecord* Find(const std::vector<model::MacroRecord>& macros, const std::u16string& name) {
    for (const model::MacroRecord& m : macros)
        if (NameOf(m) == name) return &m;
    return nullptr;
}

// Profile 0: S and D play "ab" (the first macro).
std::vector<std::string> Prepared(const KeyMapPokes& keys) {
    return {keys.Key(0, kCodeS, "05 01 00"), keys.Key(0, kCodeD, "05 01 00"), MacroAreaAb()};
}

class MacroEdits : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { copy_ = new KeyboardCopy(Prepared); }
    static void TearDownTestSuite() {
        delete copy_;
        copy_ = nullptr;
    }
    void SetUp() override {
        ASSERT_TRUE(copy_->Ready()) << copy_->Problem();
        const std::optional<std::string> matrix = SimCommand(copy_->Copy().SimPipe(), "dump matrix");
        ASSERT_TRUE(matrix);
        pokes_.emplace(ParseDump(*matrix));
    }
    void TearDown() override {
        if (HWND dialog = AssignmentDialog(copy_->Pid())) PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        WaitUntilDialogCloses(copy_->Pid());
    }
    HWND OpenMacroPage(uint16_t key) {
        HWND dialog = OpenAssignmentDialog(*copy_, ButtonOf(key));
        if (!dialog || !Click(dialog, IDC_COMP_TAB_MACRO) ||
            !WaitFor([&] { return IsShown(dialog, IDC_COMP_ACTIONS); }, 10s))
            return nullptr;
        return dialog;
    }
    void OkAndApply(HWND dialog) {
        ASSERT_TRUE(Click(dialog, kOk));
        ASSERT_TRUE(WaitUntilDialogCloses(copy_->Pid()));
        ASSERT_TRUE(ApplyInMain(copy_->Main()));
    }
    std::vector<model::MacroRecord> Macros() {
        return KeyboardMacros(*copy_).value_or(std::vector<model::MacroRecord>{});
    }
    bool Answer(const std::wstring& text, int answer) {
        return AnswerMessageBox(copy_->Pid(), text, answer, 10s);
    }
    std::vector<int> Entry(uint16_t key) {
        const model::MatrixEntry e = KeyboardEntry(*copy_, 0, pokes_->PositionOfKey(key));
        return {e.type, e.sub, e.value};
    }

    static KeyboardCopy* copy_;
    std::optional<KeyMapPokes> pokes_;
};
KeyboardCopy* MacroEdits::copy_ = nullptr;

// Add names the macro, a typed name renames it, real keys are recorded (a
// modifier, a letter, the Windows key through the low-level hook), cells are
// edited, rows move and go; F plays the result.
TEST_F(MacroEdits, AddRenameRecordEditMoveAndDeleteRows) {
    HWND dialog = OpenMacroPage(kCodeF);
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(Click(dialog, IDC_COMP_MACRO_ADD));
    ASSERT_TRUE(WaitFor([&] { return ComboItems(dialog, IDC_COMP_MACRO_LIST).size() == 2; }, 10s));
    EXPECT_EQ(ComboItems(dialog, IDC_COMP_MACRO_LIST)[1], EnglishText(L"MACRO_NEW_PREFIX") + L"1");
    EXPECT_EQ(ComboSelection(dialog, IDC_COMP_MACRO_LIST), 1);

    Type(dialog, IDC_COMP_MACRO_LIST, L"Typed");
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_COMP_MACRO_LIST, CBN_EDITCHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_COMP_MACRO_LIST)));

    ASSERT_TRUE(Click(dialog, IDC_COMP_RECORD));
    ASSERT_TRUE(WaitFor(
        [&] { return TextOf(dialog, IDC_COMP_RECORD) == EnglishText(L"MACRO_ACTION_STOP_RECORD"); }, 10s));
    // The Windows key comes through the low-level hook, the others through the
    // thread's: each press is taken in before the next, as a user's would be.
    ASSERT_TRUE(PressKeys(dialog, {VK_LSHIFT, 'A'}));
    ASSERT_TRUE(WaitFor([&] { return ActionRowCount(dialog) == 4; }, 10s))
        << ActionRowCount(dialog) << " rows";
    ASSERT_TRUE(PressKeys(dialog, {VK_LWIN}));
    ASSERT_TRUE(WaitFor([&] { return ActionRowCount(dialog) == 6; }, 10s))
        << ActionRowCount(dialog) << " rows";
    ASSERT_TRUE(Click(dialog, IDC_COMP_RECORD));
    ASSERT_TRUE(
        WaitFor([&] { return TextOf(dialog, IDC_COMP_RECORD) == EnglishText(L"MACRO_ACTION_RECORD"); }, 10s));

    // Delays: 123 is kept as 120; above 40000 the limit is shown and kept.
    HWND edit = OpenCellEditor(dialog, 0, kDelayColumn);
    ASSERT_TRUE(edit);
    SetWindowTextW(edit, L"123");
    PostMessageW(edit, WM_KEYDOWN, VK_RETURN, 0);
    ASSERT_TRUE(WaitFor([&] { return CellEditor(dialog) == nullptr; }, 10s));
    edit = OpenCellEditor(dialog, 1, kDelayColumn);
    ASSERT_TRUE(edit);
    SetWindowTextW(edit, L"45000");
    PostMessageW(edit, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_TRUE(Answer(WithNumber(L"MACRO_ACTION_ERR_DELAY_MAX", 40000), IDOK));
    ASSERT_TRUE(WaitFor([&] { return CellEditor(dialog) == nullptr; }, 10s));
    EXPECT_TRUE(AssignmentDialog(copy_->Pid())) << "Enter in a cell reached the dialog's OK";

    // Rows: Shift down, A down, A up, Shift up, Win down, Win up. Row 5 to the
    // top, then back to the bottom; row 0 down and up again; row 4 goes.
    ASSERT_TRUE(SelectActionRow(dialog, 5));
    ASSERT_TRUE(Click(dialog, IDC_COMP_ACTION_TOP));
    ASSERT_TRUE(WaitFor([&] { return SelectedActionRow(dialog) == 0; }, 10s));
    ASSERT_TRUE(Click(dialog, IDC_COMP_ACTION_BOTTOM));
    ASSERT_TRUE(WaitFor([&] { return SelectedActionRow(dialog) == 5; }, 10s));
    ASSERT_TRUE(SelectActionRow(dialog, 0));
    ASSERT_TRUE(Click(dialog, IDC_COMP_ACTION_DOWN));
    ASSERT_TRUE(WaitFor([&] { return SelectedActionRow(dialog) == 1; }, 10s));
    ASSERT_TRUE(Click(dialog, IDC_COMP_ACTION_UP));
    ASSERT_TRUE(WaitFor([&] { return SelectedActionRow(dialog) == 0; }, 10s));
    ASSERT_TRUE(Click(dialog, IDC_COMP_ACTION_DOWN));  // A down first, then Shift down
    ASSERT_TRUE(WaitFor([&] { return SelectedActionRow(dialog) == 1; }, 10s));
    ASSERT_TRUE(SelectActionRow(dialog, 4));
    ASSERT_TRUE(Click(dialog, IDC_COMP_ACTION_DELETE));
    ASSERT_TRUE(WaitFor([&] { return ActionRowCount(dialog) == 5; }, 10s));
    OkAndApply(dialog);

    const std::vector<model::MacroRecord> macros = Macros();
    ASSERT_EQ(macros.size(), 2u);
    const model::MacroRecord* typed = Find(macros, u"Typed");
    ASSERT_TRUE(typed) << "the renamed macro is not in the keyboard";
    EXPECT_EQ(Steps(*typed), (std::vector<Step>{{kCodeA, model::kPress},
                                                {kCodeLShift, model::kPress},
                                                {kCodeA, model::kRelease},
                                                {kCodeLShift, model::kRelease},
                                                {kCodeLWin, model::kRelease}}));
    // The delays moved with their rows: 40000 on A down, 120 on Shift down.
    EXPECT_EQ(typed->actions[0].delay_ms, 40000u);
    EXPECT_EQ(typed->actions[1].delay_ms, 120u);
    EXPECT_EQ(Entry(kCodeF), (std::vector<int>{0x05, 0x01, 0x01})) << "F plays the second macro";
}

TEST_F(MacroEdits, ClearEmptiesTheActionListAfterTheQuestion) {
    HWND dialog = OpenMacroPage(kCodeF);
    ASSERT_TRUE(dialog);
    ASSERT_EQ(TextOf(dialog, IDC_COMP_MACRO_LIST), L"Typed");
    ASSERT_EQ(ActionRowCount(dialog), 5);
    ASSERT_TRUE(Click(dialog, IDC_COMP_ACTION_CLEAR));
    ASSERT_TRUE(Answer(EnglishText(L"MACRO_ACTION_CLEAR_CONFIRM"), IDNO));
    EXPECT_EQ(ActionRowCount(dialog), 5) << "No keeps the rows";
    ASSERT_TRUE(Click(dialog, IDC_COMP_ACTION_CLEAR));
    ASSERT_TRUE(Answer(EnglishText(L"MACRO_ACTION_CLEAR_CONFIRM"), IDYES));
    ASSERT_TRUE(WaitFor([&] { return ActionRowCount(dialog) == 0; }, 10s));
    OkAndApply(dialog);
    const model::MacroRecord* typed = Find(Macros(), u"Typed");
    ASSERT_TRUE(typed);
    EXPECT_EQ(typed->action_count, 0);
}

// "ab" is played by S and D: deleting it asks first; No keeps it, Yes
// deletes it and S and D send their own keys again.
TEST_F(MacroEdits, DeletingAMacroThatKeysPlayAsksAndResetsThoseKeys) {
    ASSERT_EQ(Entry(kCodeS), (std::vector<int>{0x05, 0x01, 0x00}));
    HWND dialog = OpenMacroPage(kCodeG);
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(Choose(dialog, IDC_COMP_MACRO_LIST, 0));
    ASSERT_TRUE(WaitFor([&] { return TextOf(dialog, IDC_COMP_MACRO_LIST) == L"ab"; }, 10s));
    const std::wstring question = EnglishText(L"MACRO_DELETE_CONFIRM_OF_KEYS");
    ASSERT_TRUE(Click(dialog, IDC_COMP_MACRO_DELETE));
    ASSERT_TRUE(Answer(question, IDNO));
    EXPECT_EQ(ComboItems(dialog, IDC_COMP_MACRO_LIST).size(), 2u);
    ASSERT_TRUE(Click(dialog, IDC_COMP_MACRO_DELETE));
    ASSERT_TRUE(Answer(question, IDYES));
    ASSERT_TRUE(WaitFor([&] { return ComboItems(dialog, IDC_COMP_MACRO_LIST).size() == 1; }, 10s));
    ASSERT_TRUE(Click(dialog, kCancel));  // G keeps its key; the deletion is committed on OK only
    ASSERT_TRUE(WaitUntilDialogCloses(copy_->Pid()));
    EXPECT_EQ(Macros().size(), 2u);

    dialog = OpenMacroPage(kCodeG);
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(Choose(dialog, IDC_COMP_MACRO_LIST, 0));
    ASSERT_TRUE(WaitFor([&] { return TextOf(dialog, IDC_COMP_MACRO_LIST) == L"ab"; }, 10s));
    ASSERT_TRUE(Click(dialog, IDC_COMP_MACRO_DELETE));
    ASSERT_TRUE(Answer(question, IDYES));
    ASSERT_TRUE(WaitFor([&] { return ComboItems(dialog, IDC_COMP_MACRO_LIST).size() == 1; }, 10s));
    OkAndApply(dialog);
    const std::vector<model::MacroRecord> macros = Macros();
    ASSERT_EQ(macros.size(), 1u);
    EXPECT_EQ(NameOf(macros[0]), u"Typed");
    EXPECT_EQ(Entry(kCodeS), (std::vector<int>{0x02, 0x02, 0x16})) << "S sends S again";
    EXPECT_EQ(Entry(kCodeD), (std::vector<int>{0x02, 0x02, 0x07})) << "D sends D again";
    EXPECT_EQ(Entry(kCodeF), (std::vector<int>{0x05, 0x01, 0x00})) << "F plays Typed, now the first";
    EXPECT_EQ(Entry(kCodeG), (std::vector<int>{0x05, 0x01, 0x00})) << "G plays the selected Typed";
}

// ---- limits: a keyboard that holds 100 macros, the first with 2000 actions ----

std::vector<std::string> FullList(const KeyMapPokes&) {
    std::vector<model::MacroRecord> macros(100);
    for (size_t n = 0; n < macros.size(); ++n) {
        model::MacroRecord& m = macros[n];
        m.name[0] = u'm';
        m.name[1] = static_cast<char16_t>(u'0' + n / 10);
        m.name[2] = static_cast<char16_t>(u'0' + n % 10);
        m.play_count = 1;
        m.id = static_cast<uint16_t>(n + 1);
        m.action_count = n == 0 ? 2000 : 2;
        for (int a = 0; a < m.action_count; ++a)
            m.actions[a] = {0, kCodeA, static_cast<uint16_t>(a % 2 ? model::kRelease : model::kPress)};
    }
    const model::MacroImageSizes sizes = model::MacroImageSizesOf(macros);
    std::vector<uint8_t> image(sizes.with_names);
    if (!model::BuildMacroImage(macros, true, image)) return {"poke macro 999999 00"};
    std::vector<std::string> commands{"reset 255"};
    for (std::string& poke : MacroAreaPokes(image)) commands.push_back(std::move(poke));
    return commands;
}

TEST(MacroLimits, OneHundredMacrosAndTwoThousandActions) {
    KeyboardCopy copy(FullList);
    ASSERT_TRUE(copy.Ready()) << copy.Problem();
    HWND dialog = OpenAssignmentDialog(copy, ButtonOf(kCodeF));
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(Click(dialog, IDC_COMP_TAB_MACRO));
    ASSERT_TRUE(WaitFor([&] { return ComboItems(dialog, IDC_COMP_MACRO_LIST).size() == 100; }, 20s));
    ASSERT_TRUE(Click(dialog, IDC_COMP_MACRO_ADD));
    EXPECT_TRUE(AnswerMessageBox(copy.Pid(), WithNumber(L"MACRO_ERR_MAX", 100), IDOK, 10s));
    EXPECT_EQ(ComboItems(dialog, IDC_COMP_MACRO_LIST).size(), 100u);

    ASSERT_TRUE(Choose(dialog, IDC_COMP_MACRO_LIST, 0));
    ASSERT_TRUE(WaitFor([&] { return ActionRowCount(dialog) == 2000; }, 20s)) << ActionRowCount(dialog);
    // A recorded key finds no room.
    ASSERT_TRUE(Click(dialog, IDC_COMP_RECORD));
    ASSERT_TRUE(WaitFor(
        [&] { return TextOf(dialog, IDC_COMP_RECORD) == EnglishText(L"MACRO_ACTION_STOP_RECORD"); }, 10s));
    ASSERT_TRUE(PressKeys(dialog, {'B'}));
    ASSERT_TRUE(Responds(dialog));
    EXPECT_EQ(ActionRowCount(dialog), 2000);
    if (TextOf(dialog, IDC_COMP_RECORD) == EnglishText(L"MACRO_ACTION_STOP_RECORD"))
        Click(dialog, IDC_COMP_RECORD);
    ASSERT_TRUE(Click(dialog, kOk));
    ASSERT_TRUE(WaitUntilDialogCloses(copy.Pid()));
    ASSERT_TRUE(ApplyInMain(copy.Main()));
    const auto macros = KeyboardMacros(copy);
    ASSERT_TRUE(macros);
    ASSERT_EQ(macros->size(), 100u);
    EXPECT_EQ((*macros)[0].action_count, 2000);
}

}  // namespace
}  // namespace kv::e2e
