// The recorder with real keystrokes and its recorded pauses, and the
// dialog's keyboard hooks: held while it is open, none left behind however
// it closes (OK, Cancel, its close request, during a recording, the keyboard
// going away).
#include <gtest/gtest.h>

#include <functional>

#include "composite_driver.h"
#include "model/keys/key_buttons.h"
#include "ui/dialogs/composite/composite_ids.h"

namespace kv::e2e {
namespace {

using namespace ids;

constexpr uint16_t kCodeS = 0x1F, kCodeA = 0x1E, kCodeB = 0x30;

int ButtonOf(uint16_t code) {
    for (const model::KeyButton& b : model::KeyButtons())
        if (b.code == code) return b.control_id;
    return 0;
}

std::vector<std::string> Prepared(const KeyMapPokes& keys) {
    return {keys.Key(0, kCodeS, "05 01 00"), MacroAreaAb()};
}

class RecorderAndHooks : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { copy_ = new KeyboardCopy(Prepared); }
    static void TearDownTestSuite() {
        delete copy_;
        copy_ = nullptr;
    }
    void SetUp() override { ASSERT_TRUE(copy_->Ready()) << copy_->Problem(); }
    void TearDown() override {
        if (HWND dialog = AssignmentDialog(copy_->Pid())) PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        WaitUntilDialogCloses(copy_->Pid());
    }
    static int LiveHooks() {
        LRESULT hooks = -1;
        DWORD_PTR answer = 0;
        if (SendMessageTimeoutW(copy_->Main(), kMsgLiveKeyHooks, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer))
            hooks = static_cast<LRESULT>(answer);
        return static_cast<int>(hooks);
    }
    static KeyboardCopy* copy_;
};
KeyboardCopy* RecorderAndHooks::copy_ = nullptr;

TEST_F(RecorderAndHooks, ARecordedPauseGoesToTheRowBeforeTheNextKey) {
    HWND dialog = OpenAssignmentDialog(*copy_, ButtonOf(kCodeS));
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(WaitFor([&] { return ActionRowCount(dialog) == 2; }, 10s));
    // Ticked as a click would leave it, then the click's notification.
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(GetDlgItem(dialog, IDC_COMP_RECORD_DELAYS), BM_SETCHECK, BST_CHECKED, 0,
                        SMTO_ABORTIFHUNG, 5000, &answer);
    ASSERT_TRUE(Click(dialog, IDC_COMP_RECORD_DELAYS));
    ASSERT_TRUE(WaitFor([&] { return IsChecked(dialog, IDC_COMP_RECORD_DELAYS) == true; }, 10s));
    ASSERT_TRUE(Click(dialog, IDC_COMP_RECORD));
    ASSERT_TRUE(WaitFor(
        [&] { return TextOf(dialog, IDC_COMP_RECORD) == EnglishText(L"MACRO_ACTION_STOP_RECORD"); }, 10s));
    ASSERT_TRUE(PressKeys(dialog, {'A'}));
    ASSERT_TRUE(WaitFor([&] { return ActionRowCount(dialog) == 4; }, 10s));
    // The user's pause before the next key is what is recorded.
    const DWORD paused = GetTickCount();
    WaitFor([&] { return GetTickCount() - paused >= 400; }, 2s);
    ASSERT_TRUE(PressKeys(dialog, {'B'}));
    ASSERT_TRUE(WaitFor([&] { return ActionRowCount(dialog) == 6; }, 10s));
    ASSERT_TRUE(Click(dialog, IDC_COMP_RECORD));
    ASSERT_TRUE(Click(dialog, kOk));
    ASSERT_TRUE(WaitUntilDialogCloses(copy_->Pid()));
    ASSERT_TRUE(ApplyInMain(copy_->Main()));

    const auto macros = KeyboardMacros(*copy_);
    ASSERT_TRUE(macros);
    ASSERT_EQ(macros->size(), 1u);
    const model::MacroRecord& m = (*macros)[0];
    ASSERT_EQ(m.action_count, 6);
    EXPECT_EQ(m.actions[2].key_code, kCodeA);
    EXPECT_EQ(m.actions[4].key_code, kCodeB);
    EXPECT_GE(m.actions[3].delay_ms, 350u) << "the pause after A was not recorded";
    EXPECT_LE(m.actions[3].delay_ms, 5000u);
    EXPECT_EQ(m.actions[3].delay_ms % 10, 0u) << "the keyboard keeps steps of 10 ms";
}

TEST_F(RecorderAndHooks, NoHookStaysBehindAnyWayTheDialogCloses) {
    ASSERT_EQ(LiveHooks(), 0);
    const struct {
        const char* way;
        bool record;
        std::function<void(HWND)> close;
    } cases[] = {
        {"OK", false, [](HWND d) { Click(d, kOk); }},
        {"Cancel", false, [](HWND d) { Click(d, kCancel); }},
        {"its close request", false, [](HWND d) { PostMessageW(d, WM_CLOSE, 0, 0); }},
        {"OK while recording", true, [](HWND d) { Click(d, kOk); }},
        {"Cancel while recording", true, [](HWND d) { Click(d, kCancel); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.way);
        // A (no assignment) opens on the key page, which listens to the keys;
        // S (a macro) on the macro page, which does only while it records.
        HWND dialog = OpenAssignmentDialog(*copy_, c.record ? ButtonOf(kCodeS) : kKeyA);
        ASSERT_TRUE(dialog);
        if (c.record) {
            ASSERT_TRUE(Click(dialog, IDC_COMP_RECORD));
            ASSERT_TRUE(WaitFor(
                [&] { return TextOf(dialog, IDC_COMP_RECORD) == EnglishText(L"MACRO_ACTION_STOP_RECORD"); },
                10s));
        }
        EXPECT_TRUE(WaitFor([] { return LiveHooks() > 0; }, 10s)) << "no hooks while open";
        c.close(dialog);
        ASSERT_TRUE(WaitUntilDialogCloses(copy_->Pid()));
        EXPECT_TRUE(WaitFor([] { return LiveHooks() == 0; }, 10s)) << LiveHooks() << " hooks left";
    }
}

// Last: the keyboard goes ('GS') with the dialog open on the key page.
TEST_F(RecorderAndHooks, ZTheKeyboardGoingReleasesTheHooks) {
    HWND dialog = OpenAssignmentDialog(*copy_, kKeyA);
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(WaitFor([] { return LiveHooks() > 0; }, 10s));
    ASSERT_TRUE(copy_->Sim("unplug"));
    ASSERT_TRUE(WaitUntilDialogCloses(copy_->Pid()));
    EXPECT_TRUE(WaitFor([] { return LiveHooks() == 0; }, 10s)) << LiveHooks() << " hooks left";
    ASSERT_TRUE(copy_->Sim("plug"));
}

}  // namespace
}  // namespace kv::e2e
