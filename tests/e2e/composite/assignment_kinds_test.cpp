// Every kind of assignment made in the key assignment dialog of the real
// program, each checked where it ends up after the main window's Apply: the
// simulated keyboard's key map of the active profile and the working profile
// file. One program start serves the whole group.
#include <gtest/gtest.h>

#include <functional>

#include "composite_driver.h"
#include "model/keys/g_keys.h"
#include "model/keys/key_buttons.h"
#include "model/keys/key_code.h"
#include "model/keys/media.h"
#include "ui/dialogs/composite/composite_ids.h"

namespace kv::e2e {
namespace {

using namespace ids;

constexpr uint16_t kCodeQ = 0x10, kCodeS = 0x1F, kCodeB = 0x30;

int ButtonOf(uint16_t code) {
    for (const model::KeyButton& b : model::KeyButtons())
        if (b.code == code) return b.control_id;
    return 0;
}

std::vector<int> Bytes(const model::MatrixEntry& e) { return {e.type, e.sub, e.value}; }

// Profile 0: Q is disabled; the macro area holds "ab" (id 1).
std::vector<std::string> Prepared(const KeyMapPokes& keys) {
    return {keys.Key(0, kCodeQ, "00 00 00"), MacroAreaAb()};
}

class AssignmentKinds : public ::testing::Test {
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
        // A check that failed half-way leaves no dialog behind for the next.
        if (HWND dialog = AssignmentDialog(copy_->Pid())) PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        WaitUntilDialogCloses(copy_->Pid());
    }

    // Opens the dialog from the button, lets `choose` act in it, presses OK and
    // the main window's Apply.
    void Assign(int button, const std::function<void(HWND)>& choose) {
        HWND dialog = OpenAssignmentDialog(*copy_, button);
        ASSERT_TRUE(dialog) << "no dialog for control " << button;
        choose(dialog);
        ASSERT_TRUE(Click(dialog, kOk));
        ASSERT_TRUE(WaitUntilDialogCloses(copy_->Pid()));
        ASSERT_TRUE(WaitFor([] { return IsEnabled(copy_->Main(), kApply); }, 10s)) << "no pending change";
        ASSERT_TRUE(ApplyInMain(copy_->Main()));
    }
    void ExpectStored(int position, int key_index, model::MatrixEntry on_keyboard,
                      model::KeyAssignment in_file) {
        EXPECT_EQ(Bytes(KeyboardEntry(*copy_, 0, position)), Bytes(on_keyboard)) << "the keyboard's key map";
        const std::optional<model::KeyAssignment> entry = FileEntry(0, key_index);
        ASSERT_TRUE(entry) << "the working profile file does not read";
        EXPECT_EQ(entry->kind, in_file.kind);
        EXPECT_EQ(entry->value, in_file.value);
        if (in_file.kind == model::kKindMacro) {
            EXPECT_EQ(entry->g_id, in_file.g_id) << "play count";
        }
    }
    void ExpectKey(uint16_t code, model::MatrixEntry on_keyboard, model::KeyAssignment in_file) {
        ExpectStored(pokes_->PositionOfKey(code), model::KeyIndexOf(code), on_keyboard, in_file);
    }

    static KeyboardCopy* copy_;
    std::optional<KeyMapPokes> pokes_;
};
KeyboardCopy* AssignmentKinds::copy_ = nullptr;

TEST_F(AssignmentKinds, AnotherKeyIsTakenFromARealKeyPress) {
    Assign(ButtonOf(0x1E), [](HWND dialog) {
        ASSERT_TRUE(PressKeys(dialog, {'B'}));
        EXPECT_TRUE(WaitFor([&] { return !TextOf(dialog, IDC_COMP_KEY_BOX).empty(); }, 10s))
            << "the key box shows no captured key";
    });
    ExpectKey(0x1E, {0x02, 0x02, 0x05}, {model::kKindKey, 0, kCodeB, 0, 0});
}

TEST_F(AssignmentKinds, EachMouseButtonAndWheelDirection) {
    const struct {
        uint16_t key;
        int row;  // left, right, middle, wheel up, wheel down
        model::MatrixEntry sent;
        uint16_t code;
    } cases[] = {
        {0x11, 0, {0x01, 0x01, 0x01}, 0x171}, {0x12, 1, {0x01, 0x01, 0x02}, 0x172},
        {0x13, 2, {0x01, 0x01, 0x04}, 0x173}, {0x14, 3, {0x01, 0x05, 0x01}, 0x161},
        {0x15, 4, {0x01, 0x05, 0xFF}, 0x162},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("mouse row " + std::to_string(c.row));
        Assign(ButtonOf(c.key), [&](HWND dialog) {
            ASSERT_TRUE(Click(dialog, IDC_COMP_MOUSE_CHOICE));
            ASSERT_TRUE(WaitFor([&] { return IsShown(dialog, IDC_COMP_MOUSE_LIST); }, 10s));
            EXPECT_EQ(ComboItems(dialog, IDC_COMP_MOUSE_LIST).size(), 5u);
            ASSERT_TRUE(Choose(dialog, IDC_COMP_MOUSE_LIST, c.row));
        });
        ExpectKey(c.key, c.sent, {model::kKindKey, 0, c.code, 0, 0});
    }
}

TEST_F(AssignmentKinds, AMediaAndAKeyboardFunction) {
    constexpr int kMediaRow = 3, kFunctionRow = 2;
    Assign(ButtonOf(0x16), [](HWND dialog) {
        ASSERT_TRUE(Click(dialog, IDC_COMP_TAB_MEDIA));
        ASSERT_TRUE(WaitFor([&] { return IsShown(dialog, IDC_COMP_MEDIA_LIST); }, 10s));
        EXPECT_EQ(ComboItems(dialog, IDC_COMP_MEDIA_LIST).size(), model::kMediaCount);
        ASSERT_TRUE(Choose(dialog, IDC_COMP_MEDIA_LIST, kMediaRow));
    });
    const uint16_t usage = model::MediaList()[kMediaRow].consumer_usage;
    ExpectKey(0x16, {0x03, static_cast<uint8_t>(usage), static_cast<uint8_t>(usage >> 8)},
              {model::kKindMedia, 0, kMediaRow, 0, 0});

    Assign(ButtonOf(0x17), [](HWND dialog) {
        ASSERT_TRUE(Click(dialog, IDC_COMP_TAB_FUNCTION));
        ASSERT_TRUE(WaitFor([&] { return IsShown(dialog, IDC_COMP_FUNCTION_LIST); }, 10s));
        EXPECT_EQ(ComboItems(dialog, IDC_COMP_FUNCTION_LIST).size(), 11u);
        ASSERT_TRUE(Choose(dialog, IDC_COMP_FUNCTION_LIST, kFunctionRow));
    });
    ExpectKey(0x17, {0x05, 0x05, kFunctionRow}, {model::kKindFunction, 0, kFunctionRow, 0, 0});
}

TEST_F(AssignmentKinds, AMacroWithAPlayCountSaturatingAt255) {
    Assign(ButtonOf(kCodeS), [](HWND dialog) {
        ASSERT_TRUE(Click(dialog, IDC_COMP_TAB_MACRO));
        ASSERT_TRUE(WaitFor([&] { return IsShown(dialog, IDC_COMP_CYCLES); }, 10s));
        EXPECT_EQ(ComboSelection(dialog, IDC_COMP_MACRO_LIST), 0);
        Type(dialog, IDC_COMP_CYCLES, L"300");
    });
    ExpectKey(kCodeS, {0x05, 0x01, 0x00}, {model::kKindMacro, 255, 1, 0, 0});
    const auto macros = KeyboardMacros(*copy_);
    ASSERT_TRUE(macros);
    ASSERT_EQ(macros->size(), 1u);
    EXPECT_EQ((*macros)[0].play_count, 255);

    HWND dialog = OpenAssignmentDialog(*copy_, ButtonOf(kCodeS));
    ASSERT_TRUE(dialog);
    EXPECT_TRUE(WaitFor([&] { return TextOf(dialog, IDC_COMP_CYCLES) == L"255"; }, 10s))
        << "300 typed shows " << testing::PrintToString(TextOf(dialog, IDC_COMP_CYCLES));
}

TEST_F(AssignmentKinds, ClearGivesADisabledKeyItsDefaultBack) {
    ASSERT_EQ(Bytes(KeyboardEntry(*copy_, 0, pokes_->PositionOfKey(kCodeQ))), (std::vector<int>{0, 0, 0}));
    Assign(ButtonOf(kCodeQ), [](HWND dialog) { ASSERT_TRUE(Click(dialog, IDC_COMP_CLEAR)); });
    ExpectKey(kCodeQ, {0x02, 0x02, 0x14}, {model::kKindDefault, 0, 0, 0, 0});
}

TEST_F(AssignmentKinds, GKeysOnBothLayers) {
    Assign(kG[0], [](HWND dialog) {
        ASSERT_TRUE(Click(dialog, IDC_COMP_TAB_FUNCTION));
        ASSERT_TRUE(Choose(dialog, IDC_COMP_FUNCTION_LIST, 4));
    });
    ExpectStored(pokes_->PositionOfGKey(1), model::GButtonKeyIndex(1, model::GLayer::kA), {0x05, 0x05, 4},
                 {model::kKindFunction, 0, 4, 0, 0});

    ASSERT_TRUE(copy_->Sim("layer"));
    ASSERT_TRUE(WaitFor([] { return TextOf(copy_->Main(), kG[0]) == L"B1"; }, 10s));
    Assign(kG[1], [](HWND dialog) {
        ASSERT_TRUE(Click(dialog, IDC_COMP_TAB_FUNCTION));
        ASSERT_TRUE(Choose(dialog, IDC_COMP_FUNCTION_LIST, 6));
    });
    ExpectStored(pokes_->PositionOfGKey(11), model::GButtonKeyIndex(2, model::GLayer::kB), {0x05, 0x05, 6},
                 {model::kKindFunction, 0, 6, 0, 0});
    // Layer A's G2 kept its G-key entry.
    EXPECT_EQ(Bytes(KeyboardEntry(*copy_, 0, pokes_->PositionOfGKey(2))),
              (std::vector<int>{model::kEntryGKey, model::kGKeySub, 2}));
    ASSERT_TRUE(copy_->Sim("layer"));
    ASSERT_TRUE(WaitFor([] { return TextOf(copy_->Main(), kG[0]) == L"A1"; }, 10s));
}

TEST_F(AssignmentKinds, TheMacroButtonOpensG9InMacroOnlyMode) {
    Assign(kMacro, [](HWND dialog) {
        EXPECT_EQ(TextOf(dialog, IDC_COMP_HEADING), EnglishText(L"MACRO_EDIT_TISHI"));
        EXPECT_FALSE(IsEnabled(dialog, IDC_COMP_TAB_KEY)) << "macro-only mode keeps to the macro page";
        EXPECT_FALSE(IsEnabled(dialog, IDC_COMP_TAB_MEDIA));
        EXPECT_TRUE(IsShown(dialog, IDC_COMP_MACRO_LIST));
    });
    // The macro's play count (255 from the check before) comes with it.
    ExpectStored(pokes_->PositionOfGKey(9), model::GButtonKeyIndex(9, model::GLayer::kA), {0x05, 0x01, 0x00},
                 {model::kKindMacro, 255, 1, 0, 0});
}

// A profile button clicked while the dialog edits a key of the active profile
// says so and switches nothing: the dialog stays open on its profile.
TEST_F(AssignmentKinds, NoProfileSwitchWhileTheDialogIsOpen) {
    const std::string active = copy_->Status("active-profile");
    ASSERT_EQ(active, "0");
    HWND dialog = OpenAssignmentDialog(*copy_, ButtonOf(0x1E));
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(Click(copy_->Main(), kProfile[1]));
    EXPECT_TRUE(AnswerMessageBox(copy_->Pid(), EnglishText(L"PROFILE_SEELCT_PROMPT2"), IDOK, 10s))
        << "no word that the dialog must close first";
    // The buttons go back once the refused switch has returned.
    const auto shows_first = [] {
        return IsChecked(copy_->Main(), kProfile[0]) == true &&
               IsChecked(copy_->Main(), kProfile[1]) == false;
    };
    EXPECT_TRUE(WaitFor(shows_first, 10s)) << "the buttons show another profile";
    EXPECT_EQ(copy_->Status("active-profile"), active);
    EXPECT_EQ(AssignmentDialog(copy_->Pid()), dialog) << "the dialog did not stay open";
}

// A language change relabels the open dialog; the keyboard going closes it.
// Last: the keyboard is plugged in again afterwards and the window reopened.
TEST_F(AssignmentKinds, ZLanguageChangeRelabelsAndUnplugCloses) {
    HWND dialog = OpenAssignmentDialog(*copy_, ButtonOf(0x18));
    ASSERT_TRUE(dialog);
    EXPECT_EQ(TextOf(dialog, kOk), EnglishText(L"MACRO_OK"));
    ChooseLanguage(kChineseSimplified);
    PostMessageW(copy_->Main(), kMsgLanguage, kCodeLang, 1);
    const std::wstring chinese = LanguageText(kChineseSimplified, L"TEXT", L"MACRO_OK");
    EXPECT_TRUE(WaitFor([&] { return TextOf(dialog, kOk) == chinese; }, 10s));
    ChooseEnglish();
    PostMessageW(copy_->Main(), kMsgLanguage, kCodeLang, 0);
    EXPECT_TRUE(WaitFor([&] { return TextOf(dialog, kOk) == EnglishText(L"MACRO_OK"); }, 10s));

    ASSERT_TRUE(copy_->Sim("unplug"));
    EXPECT_TRUE(WaitUntilDialogCloses(copy_->Pid())) << "'GS' left the dialog open";
    EXPECT_TRUE(Responds(copy_->Main()));
    ASSERT_TRUE(copy_->Sim("plug"));
}

}  // namespace
}  // namespace kv::e2e
