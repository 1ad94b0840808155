// Switching the keyboard's active profile from the main window: refused while
// the assignment dialog edits, unapplied changes applied or discarded first,
// and a switch that does not happen is never reported as done.
#include "model/sync/profile_switch.h"

#include <gtest/gtest.h>

#include "keyboard_contents.h"
#include "model/assign/assignment_store.h"
#include "sync_rig.h"

namespace kv::model::test {
namespace {

class FakeWindows final : public ProfileSwitchHost {
  public:
    explicit FakeWindows(SyncRig& rig) : rig_(rig) {}
    bool EditingDialogOpen() const override { return editing; }
    bool ManagerHasChanges() const override { return manager_changes; }
    void ManagerShowsActive(int profile) override { calls.push_back("manager " + std::to_string(profile)); }
    void Apply() override {
        calls.push_back("apply");
        rig_.sync.ApplyChanges();
    }
    void RebuildProfileMenu() override { calls.push_back("menu"); }

    bool editing = false;
    bool manager_changes = false;
    std::vector<std::string> calls;

  private:
    SyncRig& rig_;
};

uint8_t KeyboardActiveProfile(const SyncRig& rig) { return rig.sim.AreaBytes(sim::Area::kSettings)[10]; }

std::vector<uint8_t> KeyMapEntry(const SyncRig& rig, int profile, int position) {
    const std::vector<uint8_t> all = rig.sim.AreaBytes(sim::Area::kKeyMaps);
    const auto at = all.begin() + profile * 512 + position * 3;
    return {at, at + 3};
}

// Profile 0's B becomes disabled in the working set.
void EditB(SyncRig& rig) {
    rig.EditWorking([](ConfigSet& working) {
        WriteAssignment(*working.block, 0, KeyIndexOf(kKeyB), {kKindDisabled, 0, 0, 0, 0});
    });
    rig.host.pending = true;
}

uint16_t WorkingKindOfB(SyncRig& rig) {
    std::lock_guard lock(rig.sets.WorkingConfigLock());
    return ReadAssignment(*rig.sets.Working().block, 0, KeyIndexOf(kKeyB)).kind;
}

TEST(ProfileSwitch, WhatASwitchDoesAndWhenItIsRefused) {
    enum class Setup { kNone, kEditing, kPending, kManagerChanges, kApplyFails, kSetFails };
    struct Case {
        const char* name;
        Setup setup;
        int asked;  // the profile asked for
        bool answer_yes;
        bool switched;
        int active_after;
        std::vector<std::string> calls;
        uint16_t kind_of_b_after;  // in the working set
        bool b_written;            // B disabled on the keyboard
        bool pending_after;
    };
    const Case cases[] = {
        {"nothing pending",
         Setup::kNone,
         1,
         true,
         true,
         1,
         {"manager 1", "menu"},
         kKindDefault,
         false,
         false},
        {"a profile the keyboard lacks is taken as 0",
         Setup::kNone,
         5,
         true,
         true,
         0,
         {"manager 0", "menu"},
         kKindDefault,
         false,
         false},
        {"assignment dialog open", Setup::kEditing, 2, true, false, 0, {}, kKindDefault, false, false},
        {"pending, Yes applies first",
         Setup::kPending,
         2,
         true,
         true,
         2,
         {"apply", "menu"},
         kKindDisabled,
         true,
         false},
        {"pending, No discards", Setup::kPending, 2, false, true, 2, {"menu"}, kKindDefault, false, false},
        {"manager changes, Yes",
         Setup::kManagerChanges,
         1,
         true,
         true,
         1,
         {"apply", "menu"},
         kKindDefault,
         false,
         false},
        {"pending, Yes, Apply fails",
         Setup::kApplyFails,
         2,
         true,
         false,
         0,
         {"apply"},
         kKindDisabled,
         false,
         true},
        {"the keyboard refuses the new profile",
         Setup::kSetFails,
         1,
         true,
         false,
         0,
         {},
         kKindDefault,
         false,
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SyncRig rig;
        rig.Attach();
        FakeWindows windows(rig);
        switch (c.setup) {
            case Setup::kNone:
                break;
            case Setup::kEditing:
                windows.editing = true;
                break;
            case Setup::kPending:
                EditB(rig);
                break;
            case Setup::kManagerChanges:
                windows.manager_changes = true;
                break;
            case Setup::kApplyFails:
                EditB(rig);
                rig.sim.SetFaults({.fail_status = 1000, .status = 0xFF});  // every write refused
                break;
            case Setup::kSetFails:
                rig.sim.SetFaults({.fail_status = 3, .status = 0xFE});  // the settings block read
                break;
        }
        rig.host.answer_yes = c.answer_yes;
        rig.host.ClearEvents();

        bool switched = !c.switched;
        rig.host.Ui([&] { switched = rig.sync.SwitchActiveProfile(c.asked, windows); });
        rig.sync.WaitBusyIdle(kWait);
        rig.sim.ClearFaults();

        EXPECT_EQ(switched, c.switched);
        EXPECT_EQ(KeyboardActiveProfile(rig), c.active_after);
        EXPECT_EQ(windows.calls, c.calls);
        EXPECT_EQ(WorkingKindOfB(rig), c.kind_of_b_after);
        EXPECT_EQ(KeyMapEntry(rig, 0, kPosB) == (std::vector<uint8_t>{0x00, 0x00, 0x00}), c.b_written);
        EXPECT_EQ(rig.host.pending, c.pending_after);
        const bool asked =
            c.setup == Setup::kPending || c.setup == Setup::kManagerChanges || c.setup == Setup::kApplyFails;
        EXPECT_EQ(rig.host.Count("confirm PROFILE_SELECT_PROMPT"), asked ? 1 : 0);
        EXPECT_EQ(rig.host.Count("message PROFILE_SEELCT_PROMPT2 notice"),
                  c.setup == Setup::kEditing ? 1 : 0);
        EXPECT_EQ(rig.host.Count("refresh-keys") > 0, c.switched) << "the keys follow a switch";
    }
}

TEST(ProfileSwitch, ASecondSwitchWhileTheQuestionIsUpIsRefused) {
    SyncRig rig;
    rig.Attach();
    FakeWindows windows(rig);
    EditB(rig);
    rig.host.answer_yes = false;
    bool inner = true;
    int nested = 0;
    rig.host.while_asking = [&] {
        if (nested++ == 0) inner = rig.sync.SwitchActiveProfile(2, windows);
    };
    bool outer = false;
    rig.host.Ui([&] { outer = rig.sync.SwitchActiveProfile(1, windows); });

    EXPECT_FALSE(inner) << "never switched without an answer";
    EXPECT_TRUE(outer);
    EXPECT_EQ(KeyboardActiveProfile(rig), 1);
    EXPECT_EQ(rig.host.Count("confirm PROFILE_SELECT_PROMPT"), 1);
}

TEST(ProfileSwitch, NoDiscardsTheEditsEvenWithoutAWorkingFile) {
    SyncRig rig;
    LoadKeyboard(rig.sim);
    rig.Attach();
    FakeWindows windows(rig);
    EditB(rig);
    std::filesystem::remove(rig.WorkingFile());
    rig.host.answer_yes = false;
    bool switched = false;
    rig.host.Ui([&] { switched = rig.sync.SwitchActiveProfile(1, windows); });
    EXPECT_TRUE(switched);
    EXPECT_EQ(WorkingKindOfB(rig), kKindDefault) << "read from the keyboard instead";
    std::lock_guard lock(rig.sets.WorkingConfigLock());
    EXPECT_EQ(ReadAssignment(*rig.sets.Working().block, 0, KeyIndexOf(kKeyA)).kind, kKindKey);
    EXPECT_FALSE(rig.host.pending);
}

}  // namespace
}  // namespace kv::model::test
