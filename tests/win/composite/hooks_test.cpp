// The keyboard hooks: recording and capturing through the hook procedures
// with synthetic keystrokes and the test's clock, their installation once per
// page, the failure message, and that no hook outlives any way of closing.
#include <gtest/gtest.h>

#include "tests/win/composite/composite_fixture.h"

namespace kv::ui::test {
namespace {

constexpr int kIndexA = 0x1E;
constexpr WPARAM kVkA = 0x41, kVkB = 0x42, kVkSnapshot = 0x2C, kVkVolumeUp = 0xAF, kVkLeftWin = 0x5B;

LPARAM Flags(uint32_t scan, bool release, bool repeat = false, bool extended = false) {
    uint32_t flags = 1u | (scan << 16) | (extended ? 1u << 24 : 0u);
    if (repeat || release) flags |= 1u << 30;
    if (release) flags |= 1u << 31;
    return static_cast<LPARAM>(flags);
}

LRESULT LowLevel(WPARAM message, DWORD vk) {
    KBDLLHOOKSTRUCT event{};
    event.vkCode = vk;
    return KeyboardHooks::LowLevelProc(HC_ACTION, message, reinterpret_cast<LPARAM>(&event));
}

class HookTest : public CompositeTest {
  public:
    void SetUp() override {
        CompositeTest::SetUp();
        SetWorkingMacros({MakeMacro(1, u"Rec", {})});
        SetEntry(0, kIndexA, {4, 1, 1, 0, 0});
        dialog->SetClock([this] { return now; });
    }
    // A keystroke of the thread hook at a time of the test's clock.
    LRESULT Key(WPARAM vk, LPARAM flags, uint32_t at) {
        now = at;
        return KeyboardHooks::ThreadProc(HC_ACTION, vk, flags);
    }
    std::vector<std::wstring> Delays() const {
        std::vector<std::wstring> delays;
        for (int row = 0; row < ActionRows(); ++row) delays.push_back(Cell(row, 2));
        return delays;
    }

    uint32_t now = 1000;
};

TEST_F(HookTest, RecordingTurnsKeystrokesIntoRows) {
    host.values.WriteRecordDelays(host.texts.Get(L"MACRO_ACTION_RECORD_DELAY"), true);
    Open(kButtonA, [&] {
        Click(IDC_COMP_RECORD);
        ASSERT_TRUE(dialog->Recording());
        EXPECT_EQ(TextOf(IDC_COMP_RECORD), host.texts.Get(L"MACRO_ACTION_STOP_RECORD"));
        EXPECT_FALSE(Enabled(IDC_COMP_MACRO_ADD));
        EXPECT_FALSE(Enabled(IDC_COMP_MACRO_LIST));
        EXPECT_EQ(KeyboardHooks::LiveHooks(), 2);

        EXPECT_EQ(Key(kVkA, Flags(0x1E, false), 1100), 1);
        EXPECT_EQ(Key(kVkA, Flags(0x1E, false, true), 1300), 1) << "a repeat is swallowed";
        EXPECT_EQ(Key(kVkA, Flags(0x1E, true), 1400), 1);
        EXPECT_EQ(Key(kVkSnapshot, Flags(0x37, true, false, true), 1500), 1);
        EXPECT_EQ(LowLevel(WM_KEYDOWN, kVkLeftWin), 1);
        EXPECT_EQ(Key(kVkVolumeUp, Flags(0x30, false, false, true), 1600), 0) << "the volume still changes";
        now = 47000;
        EXPECT_EQ(LowLevel(WM_KEYUP, kVkLeftWin), 1);

        ASSERT_EQ(ActionRows(), 6);
        EXPECT_EQ(Cell(0, 0), host.texts.Get(L"IDS_KEYBOARD_A"));
        EXPECT_EQ(Cell(2, 0), host.texts.Get(L"IDS_KEYBOARD_PRINT"));
        EXPECT_EQ(Cell(2, 1), L"\u2193") << "Print Screen gets the press it never sends";
        EXPECT_EQ(Cell(3, 1), L"  \u2191");
        EXPECT_EQ(Cell(4, 0), host.texts.Get(L"IDS_KEYBOARD_LWIN"));
        EXPECT_EQ(Delays(), (std::vector<std::wstring>{L"300", L"2", L"100", L"0", L"40000", L"0"}))
            << "each pause is the row before's delay; 45.5 s is cut to 40000";
        EXPECT_EQ(SelectedAction(), 5);

        Click(IDC_COMP_RECORD);
        EXPECT_FALSE(dialog->Recording());
        EXPECT_TRUE(Enabled(IDC_COMP_MACRO_ADD));
        EXPECT_EQ(KeyboardHooks::LiveHooks(), 0);
        EXPECT_EQ(Key(kVkB, Flags(0x30, false), 48000), 0) << "after the recording keystrokes pass on";
        Click(IDOK);
    });
    const auto macro = WorkingMacros().at(0);
    ASSERT_EQ(macro.action_count, 6);
    EXPECT_EQ(macro.actions[4].delay_ms, 40000u);
    EXPECT_EQ(macro.actions[5].key_code, 0x15B);
    EXPECT_EQ(macro.actions[5].direction, model::kRelease);
}

TEST_F(HookTest, WithoutRecordedDelaysEveryPauseIs50) {
    Open(kButtonA, [&] {
        Click(IDC_COMP_RECORD);
        Key(kVkA, Flags(0x1E, false), 1900);
        Key(kVkA, Flags(0x1E, true), 9000);
        Key(kVkB, Flags(0x30, false), 9001);
        EXPECT_EQ(Delays(), (std::vector<std::wstring>{L"50", L"50", L"0"}));
    });
}

TEST_F(HookTest, ARecordedKeystrokeFollowsTheSelectedRow) {
    SetWorkingMacros({MakeMacro(1, u"Rec", {{100, 0x10, 0}, {200, 0x11, 0}, {0, 0x12, 0}})});
    host.values.WriteRecordDelays(host.texts.Get(L"MACRO_ACTION_RECORD_DELAY"), true);
    Open(kButtonA, [&] {
        SelectAction(0);
        Click(IDC_COMP_RECORD);
        Key(kVkA, Flags(0x1E, false), 1040);
        Key(kVkB, Flags(0x30, false), 1070);
        EXPECT_EQ(Cell(1, 0), host.texts.Get(L"IDS_KEYBOARD_A"));
        EXPECT_EQ(Cell(2, 0), host.texts.Get(L"IDS_KEYBOARD_B"));
        EXPECT_EQ(Delays(), (std::vector<std::wstring>{L"40", L"30", L"100", L"200", L"0"}))
            << "the new rows carry on the delay the selected row had";
        EXPECT_EQ(SelectedAction(), 2);
    });
}

TEST_F(HookTest, At2000RowsKeystrokesAreSwallowedButAddNothing) {
    model::MacroRecord full = MakeMacro(1, u"Full", {});
    full.action_count = model::kMaxMacroActions;
    SetWorkingMacros({full});
    Open(kButtonA, [&] {
        ASSERT_EQ(ActionRows(), model::kMaxMacroActions);
        Click(IDC_COMP_RECORD);
        EXPECT_EQ(Key(kVkA, Flags(0x1E, false), 1100), 1);
        EXPECT_EQ(ActionRows(), model::kMaxMacroActions);
    });
}

TEST_F(HookTest, TheSingleKeyPageCapturesThroughTheHooks) {
    SetEntry(0, kIndexA, {});
    Open(kButtonA, [&] {
        EXPECT_EQ(Key(kVkB, Flags(0x30, false), 1100), 1);
        EXPECT_EQ(TextOf(IDC_COMP_KEY_BOX), host.texts.Get(L"IDS_KEYBOARD_B"));
        EXPECT_EQ(LowLevel(WM_KEYDOWN, kVkLeftWin), 1);
        EXPECT_EQ(TextOf(IDC_COMP_KEY_BOX), host.texts.Get(L"IDS_KEYBOARD_LWIN"));
        EXPECT_EQ(Key(kVkVolumeUp, Flags(0x30, false, false, true), 1200), 0)
            << "media keys are not captured";
        Click(IDC_COMP_MOUSE_CHOICE);
        EXPECT_EQ(Key(kVkA, Flags(0x1E, false), 1300), 1) << "swallowed, not taken, with the mouse choice";
        EXPECT_FALSE(Enabled(IDC_COMP_KEY_BOX));
        Click(IDC_COMP_KEYBOARD_CHOICE);
        Click(IDOK);
    });
    EXPECT_EQ(Entry(0, kIndexA), (model::KeyAssignment{2, 0, 0x15B, 0, 0}));
}

// Page changes and Clear used to install the hooks again over the first ones.
TEST_F(HookTest, TheHooksAreInstalledOnceAndOnlyForTheKeyPage) {
    SetEntry(0, kIndexA, {});
    Open(kButtonA, [&] {
        EXPECT_EQ(KeyboardHooks::LiveHooks(), 2);
        Click(IDC_COMP_CLEAR);
        Click(IDC_COMP_CLEAR);
        EXPECT_EQ(KeyboardHooks::LiveHooks(), 2);
        Click(IDC_COMP_TAB_MEDIA);
        EXPECT_EQ(KeyboardHooks::LiveHooks(), 0);
        Click(IDC_COMP_TAB_KEY);
        Click(IDC_COMP_TAB_FUNCTION);
        Click(IDC_COMP_TAB_KEY);
        EXPECT_EQ(KeyboardHooks::LiveHooks(), 2);
        Click(IDC_COMP_TAB_MACRO);
        Click(IDC_COMP_RECORD);
        EXPECT_EQ(KeyboardHooks::LiveHooks(), 2);
        Click(IDC_COMP_TAB_MEDIA);
        EXPECT_FALSE(dialog->Recording()) << "leaving the macro page stops the recording";
        EXPECT_EQ(KeyboardHooks::LiveHooks(), 0);
    });
}

TEST_F(HookTest, NoHookOutlivesAnyWayOfClosing) {
    const struct {
        const char* name;
        bool record;
        std::function<void(HookTest&)> close;
    } cases[] = {
        {"OK from the key page", false, [](HookTest& t) { t.Click(IDOK); }},
        {"Cancel from the key page", false, [](HookTest& t) { t.Click(IDCANCEL); }},
        {"OK while recording", true, [](HookTest& t) { t.Click(IDOK); }},
        {"Cancel while recording", true, [](HookTest& t) { t.Click(IDCANCEL); }},
        {"a close request while recording", true, [](HookTest& t) { t.dialog->CloseIfOpen(); }},
        {"a close request on the key page", false, [](HookTest& t) { t.dialog->CloseIfOpen(); }},
        {"the window destroyed", true, [](HookTest& t) { DestroyWindow(t.Dlg()); }},
    };
    for (const auto& c : cases) {
        SetEntry(0, kIndexA, c.record ? model::KeyAssignment{4, 1, 1, 0, 0} : model::KeyAssignment{});
        Open(kButtonA, [&] {
            if (c.record) Click(IDC_COMP_RECORD);
            EXPECT_EQ(KeyboardHooks::LiveHooks(), 2) << c.name;
            c.close(*this);
            EXPECT_EQ(KeyboardHooks::LiveHooks(), 0) << c.name << ": at once";
            EXPECT_EQ(Key(kVkA, Flags(0x1E, false), 5000), 0) << c.name << ": keystrokes pass on";
        });
        EXPECT_EQ(KeyboardHooks::LiveHooks(), 0) << c.name;
        EXPECT_FALSE(dialog->IsOpen()) << c.name;
    }
}

TEST_F(HookTest, AHookThatCannotBeInstalledIsReported) {
    KeyboardHooks::SetInstaller([](int id, HOOKPROC procedure, HINSTANCE module, DWORD thread) -> HHOOK {
        return id == WH_KEYBOARD_LL ? nullptr : SetWindowsHookExW(id, procedure, module, thread);
    });
    SetEntry(0, kIndexA, {});
    Open(kButtonA, [&] {
        PumpDialog();
        EXPECT_EQ(KeyboardHooks::LiveHooks(), 0) << "the one that was installed went again";
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, host.texts.Get(L"MACRO_ERR_RECORD"));
        Click(IDC_COMP_TAB_MACRO);
        Click(IDC_COMP_RECORD);
        EXPECT_FALSE(dialog->Recording());
        EXPECT_EQ(TextOf(IDC_COMP_RECORD), host.texts.Get(L"A_RECORD"));
        EXPECT_TRUE(Enabled(IDC_COMP_MACRO_ADD));
        ASSERT_EQ(boxes.size(), 2u);
        EXPECT_EQ(boxes[1].text, host.texts.Get(L"MACRO_ERR_RECORD"));
    });
}

// Enter answering one of the dialog's boxes used to be taken as the key to
// assign, or recorded, instead of reaching the box.
TEST_F(HookTest, KeystrokesForTheDialogsOwnBoxesPassTheHooks) {
    SetWorkingMacros({MakeMacro(1, u"Rec", {{0, 0x1E, 0}})});
    const struct {
        const char* name;
        model::KeyAssignment stored;
        std::function<void(HookTest&)> ask;
    } cases[] = {
        {"the key page while Apply fails",
         {},
         [](HookTest& t) {
             t.dialog->SetCommitter([](model::ConfigSets&, std::span<model::MacroRecord>) {
                 return model::MacroCommitResult{};
             });
             t.Click(IDOK);
         }},
        {"recording while clearing is asked",
         {4, 1, 1, 0, 0},
         [](HookTest& t) {
             t.Click(IDC_COMP_RECORD);
             t.Click(IDC_COMP_ACTION_CLEAR);
         }},
    };
    for (const auto& c : cases) {
        SetEntry(0, kIndexA, c.stored);
        LRESULT during = -1;
        during_box = [&] { during = Key(VK_RETURN, Flags(0x1C, false), 1100); };
        answers = {IDNO};
        Open(kButtonA, [&] {
            c.ask(*this);
            EXPECT_EQ(TextOf(IDC_COMP_KEY_BOX), L"") << c.name;
            EXPECT_EQ(ActionRows(), c.stored.kind == 4 ? 1 : 0) << c.name;
        });
        EXPECT_EQ(boxes.size(), 1u) << c.name;
        EXPECT_EQ(during, 0) << c.name;
        boxes.clear();
    }
}

TEST_F(HookTest, HelpOpensExceptWhileRecording) {
    Open(kButtonA, [&] {
        HELPINFO info{};
        info.cbSize = sizeof(info);
        SendMessageW(Dlg(), WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
        EXPECT_EQ(host.help, 1);
        Click(IDC_COMP_RECORD);
        SendMessageW(Dlg(), WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
        EXPECT_EQ(host.help, 1);
        EXPECT_EQ(SendMessageW(Dlg(), kCompositeIgnoredMessage, 0, 0), 0);
    });
}

}  // namespace
}  // namespace kv::ui::test
