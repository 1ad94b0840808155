// A working set that did not come from the keyboard is never written over
// the keyboard's key maps and macros: Apply and Default refuse and offer to
// read the keyboard again; a successful read-back or restore ends that.
#include <gtest/gtest.h>

#include <algorithm>

#include "keyboard_contents.h"
#include "model/assign/assignment_store.h"
#include "profiles/profile_writer.h"
#include "sync_rig.h"

namespace kv::model::test {
namespace {

namespace fs = std::filesystem;

bool IsWrite(const Sent& sent) {
    const uint8_t writes[] = {0x04, 0x06, 0x08, 0x0A, 0x11, 0xEE};
    return std::find(std::begin(writes), std::end(writes), sent.command) != std::end(writes);
}

bool AnyWrite(const SyncRig& rig) {
    const std::vector<Sent> sent = rig.SentToKeyboard();
    return std::any_of(sent.begin(), sent.end(), IsWrite);
}

KeyAssignment WorkingEntry(SyncRig& rig, int profile, KeyCode key) {
    std::lock_guard lock(rig.sets.WorkingConfigLock());
    return ReadAssignment(*rig.sets.Working().block, profile, KeyIndexOf(key));
}

// Profile 0's B becomes disabled in the working set.
void EditB(SyncRig& rig) {
    rig.EditWorking([](ConfigSet& working) {
        WriteAssignment(*working.block, 0, KeyIndexOf(kKeyB), {kKindDisabled, 0, 0, 0, 0});
    });
    rig.host.pending = true;
}

// A keyboard with assignments and a macro that a reload then failed to read:
// the working set holds the defaults.
void ReadBackFails(SyncRig& rig, const sim::FaultSettings& faults) {
    LoadKeyboard(rig.sim);
    rig.Attach();
    ASSERT_TRUE(rig.sync.State().WorkingSetFromKeyboard());
    rig.sim.SetFaults(faults);
    rig.host.Ui([&] { rig.sync.ReloadWorkingConfiguration(false); });
    rig.sim.ClearFaults();
    ASSERT_FALSE(rig.sync.State().WorkingSetFromKeyboard());
    ASSERT_EQ(WorkingEntry(rig, 0, kKeyA).kind, kKindDefault) << "the defaults are installed";
}

TEST(KeyboardCopy, AfterAFailedReadBackApplyAndDefaultWriteNothing) {
    enum class Op { kApply, kDefault };
    struct Case {
        const char* name;
        sim::FaultSettings faults;
        Op op;
        bool read_again;
    };
    const Case cases[] = {
        {"key map read refused, Apply, not read again",
         {.fail_status = 3, .status = 0xFF},
         Op::kApply,
         false},
        {"key map read refused, Apply, read again", {.fail_status = 3, .status = 0xFF}, Op::kApply, true},
        {"reply lost three times, Default, not read again", {.drop_replies = 3}, Op::kDefault, false},
        {"key map read refused, Default, read again", {.fail_status = 3, .status = 0xFE}, Op::kDefault, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SyncRig rig;
        ReadBackFails(rig, c.faults);
        EditB(rig);
        const std::vector<uint8_t> key_maps = rig.sim.AreaBytes(sim::Area::kKeyMaps);
        const std::vector<uint8_t> macros = rig.sim.AreaBytes(sim::Area::kMacro);
        rig.ClearTraffic();
        rig.host.ClearEvents();
        rig.host.answer_yes = c.read_again;

        rig.host.Ui([&] {
            if (c.op == Op::kApply) {
                rig.sync.ApplyChanges();
            } else {
                rig.sync.RestoreDefaults();
            }
        });
        ASSERT_TRUE(rig.WaitReadBack());

        EXPECT_FALSE(AnyWrite(rig));
        EXPECT_EQ(rig.sim.AreaBytes(sim::Area::kKeyMaps), key_maps);
        EXPECT_EQ(rig.sim.AreaBytes(sim::Area::kMacro), macros);
        EXPECT_EQ(rig.host.Count("confirm KEYBOARD_NOT_READ_PROMPT"), 1);
        EXPECT_EQ(rig.host.Count("confirm MAIN_PROMPT_DEFAULT"), 0) << "refused before asking";
        EXPECT_EQ(rig.host.Count("busy-begin"), 0);
        EXPECT_EQ(rig.sync.State().WorkingSetFromKeyboard(), c.read_again);
        if (c.read_again) {
            // The keyboard's own set replaces the edits made on the defaults.
            EXPECT_EQ(WorkingEntry(rig, 0, kKeyA).kind, kKindKey);
            EXPECT_EQ(WorkingEntry(rig, 0, kKeyB).kind, kKindDefault);
            EXPECT_FALSE(rig.host.pending);
        } else {
            EXPECT_EQ(WorkingEntry(rig, 0, kKeyB).kind, kKindDisabled) << "the edit stays for later";
            EXPECT_TRUE(rig.host.pending);
        }
    }
}

TEST(KeyboardCopy, ApplyWritesAgainOnceTheKeyboardHasBeenRead) {
    SyncRig rig;
    ReadBackFails(rig, {.fail_status = 3, .status = 0xFF});
    rig.host.answer_yes = true;
    EditB(rig);
    rig.host.Ui([&] { rig.sync.ApplyChanges(); });  // refused; the keyboard is read again
    ASSERT_TRUE(rig.WaitReadBack());
    ASSERT_TRUE(rig.sync.State().WorkingSetFromKeyboard());

    EditB(rig);
    rig.ClearTraffic();
    rig.host.ClearEvents();
    rig.host.Ui([&] { rig.sync.ApplyChanges(); });
    ASSERT_TRUE(rig.sync.WaitBusyIdle(kWait));
    EXPECT_TRUE(AnyWrite(rig));
    EXPECT_FALSE(rig.host.pending);
    EXPECT_EQ(rig.host.Count("confirm KEYBOARD_NOT_READ_PROMPT"), 0);
    // What the keyboard had survives next to the edit: A still acts as B, "ab" is kept.
    const std::vector<uint8_t> maps = rig.sim.AreaBytes(sim::Area::kKeyMaps);
    EXPECT_EQ(std::vector<uint8_t>(maps.begin() + kPosA * 3, maps.begin() + kPosA * 3 + 3),
              (std::vector<uint8_t>{0x02, 0x02, 0x05}));
    const std::vector<uint8_t> area = rig.sim.AreaBytes(sim::Area::kMacro);
    EXPECT_EQ(std::vector<uint8_t>(area.begin(), area.begin() + 34), MacroAreaAb());
}

TEST(KeyboardCopy, NothingIsWrittenBeforeTheFirstReadBack) {
    SyncRig rig(/*plugged=*/false);
    EXPECT_FALSE(rig.sync.State().WorkingSetFromKeyboard());
    EditB(rig);
    rig.host.answer_yes = false;
    rig.host.Ui([&] { rig.sync.ApplyChanges(); });
    EXPECT_EQ(rig.host.Count("confirm KEYBOARD_NOT_READ_PROMPT"), 1);
    EXPECT_TRUE(rig.host.pending);
}

TEST(KeyboardCopy, ARestoreThatReachesTheKeyboardEndsTheRefusal) {
    SyncRig rig;
    ReadBackFails(rig, {.fail_status = 3, .status = 0xFF});
    ConfigSet backup;
    backup.block = NewAssignmentBlock();
    WriteAssignment(*backup.block, 0, KeyIndexOf(kKeyB), {kKindDisabled, 0, 0, 0, 0});
    const fs::path path = rig.folder.Path() / "backup.kvp";
    ASSERT_TRUE(profiles::SaveProfileFile(path, backup));

    bool restored = false;
    rig.host.Ui([&] { restored = rig.sync.RestoreFromFile(path); });
    ASSERT_TRUE(restored);
    EXPECT_TRUE(rig.sync.State().WorkingSetFromKeyboard()) << "the keyboard holds the working set now";
}

}  // namespace
}  // namespace kv::model::test
