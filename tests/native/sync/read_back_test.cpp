#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

#include "keyboard_contents.h"
#include "model/assign/assignment_store.h"
#include "model/macro/macro_list.h"
#include "profiles/profile_reader.h"
#include "profiles/profile_writer.h"
#include "sync_rig.h"

namespace kv::model::test {
namespace {

namespace fs = std::filesystem;

// Entries as decoding the keyboard's key maps gives them: every profile
// cleared (G-key entries keep their G id), then the keys LoadKeyboard set.
AssignmentBlockPtr ExpectedBlock() {
    AssignmentBlockPtr block = NewAssignmentBlock();
    for (int p = 0; p < kOnBoardProfiles; ++p) ClearProfileAssignments(ProfileEntries(*block, p));
    WriteAssignment(*block, 0, KeyIndexOf(kKeyA), {kKindKey, 0, kKeyB, 0, 0});
    WriteAssignment(*block, 1, KeyIndexOf(kKeyA), {kKindMacro, 0, 1, 0, 0});
    WriteAssignment(*block, 2, KeyIndexOf(kKeyB), {kKindMedia, 0, 6, 0, 0});
    return block;
}

bool SameEntries(const AssignmentBlock& a, const AssignmentBlock& b) {
    return std::equal(std::begin(a.entries), std::end(a.entries), std::begin(b.entries));
}

std::vector<Sent> ReadBackRequests(uint32_t macro_area) {
    std::vector<Sent> expected;
    AddChunked(expected, 0x0F, 512, 0);   // default matrix (read-back thread)
    expected.push_back({0x03, 0x30, 0});  // settings block: macro capacity
    expected.push_back({0x03, 0x30, 0});  // settings block: active profile (reload)
    for (uint32_t p = 0; p < 3; ++p) AddChunked(expected, 0x07, 512, p * 512);
    expected.push_back({0x09, 16, 0});  // macro header
    if (macro_area > 16) AddChunked(expected, 0x09, macro_area, 0);
    return expected;
}

bool IsWrite(const Sent& sent) {
    const uint8_t writes[] = {0x04, 0x06, 0x08, 0x0A, 0x11, 0xEE};
    return std::find(std::begin(writes), std::end(writes), sent.command) != std::end(writes);
}

TEST(ReadBack, AttachReadsTheKeyboardBackInOrderAndRebuildsTheWorkingSet) {
    SyncRig rig(/*plugged=*/false);
    LoadKeyboard(rig.sim);
    rig.host.pending = true;
    rig.Plug();

    const std::vector<Sent> sent = rig.SentToKeyboard();
    const std::vector<Sent> expected = ReadBackRequests(34);
    ASSERT_GE(sent.size(), expected.size());
    EXPECT_EQ(std::vector<Sent>(sent.begin(), sent.begin() + expected.size()), expected);
    EXPECT_TRUE(std::none_of(sent.begin(), sent.end(), IsWrite)) << "a read-back never writes";

    {
        std::lock_guard lock(rig.sets.WorkingConfigLock());
        const ConfigSet& working = rig.sets.Working();
        ASSERT_TRUE(working.block);
        EXPECT_TRUE(SameEntries(*working.block, *ExpectedBlock()));
        ASSERT_EQ(working.macros.Count(), 1);
        const MacroRecord& macro = working.macros.Records()[0];
        EXPECT_EQ(std::u16string(macro.name), u"ab");
        EXPECT_EQ(macro.id, 1);
        EXPECT_EQ(macro.play_count, 1);
        ASSERT_EQ(macro.action_count, 2);
        EXPECT_EQ(macro.actions[0].delay_ms, 120u);
        EXPECT_EQ(macro.actions[0].key_code, kKeyA);
        EXPECT_EQ(macro.actions[0].direction, kPress);
        EXPECT_EQ(macro.actions[1].key_code, kKeyA);
        EXPECT_EQ(macro.actions[1].direction, kRelease);
    }

    // The working file holds the same, and nothing else is left in the folder.
    ConfigSet from_file;
    ASSERT_EQ(profiles::LoadProfileFile(rig.WorkingFile(), from_file), profiles::ProfileStatus::kValid);
    EXPECT_TRUE(SameEntries(*from_file.block, *ExpectedBlock()));
    EXPECT_EQ(from_file.macros.Count(), 1);
    EXPECT_EQ(rig.folder.Files(), std::vector<std::string>{"$Profile0"});

    const auto matrix = sim::FactoryDefaultMatrix();
    const KeyMapImage copy = rig.sync.State().DefaultMatrix();
    EXPECT_TRUE(std::equal(matrix.begin(), matrix.end(), copy.begin(), copy.end()));
    EXPECT_EQ(rig.sync.State().MacroCapacity(), 64u * 128u);
    EXPECT_EQ(rig.sync.State().LastDeviceCount(), 1);
    EXPECT_FALSE(rig.host.pending) << "a reload clears pending changes";
    EXPECT_EQ(rig.host.Events(),
              (std::vector<std::string>{"refresh-keys", "profile 0", "lighting-panel key-view",
                                        "keyboard present", "open"}));
}

TEST(ReadBack, AnUnchangedCountEndsTheRunAtOnce) {
    struct Case {
        const char* name;
        bool attach_first;
        int count;
    };
    const Case cases[] = {{"keyboard still there", true, 1}, {"still no keyboard", false, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SyncRig rig;
        if (c.attach_first) rig.Attach();
        rig.ClearTraffic();
        rig.host.ClearEvents();
        rig.sync.StartReadBack(c.count);
        ASSERT_TRUE(rig.WaitReadBack());
        EXPECT_TRUE(rig.SentToKeyboard().empty());
        EXPECT_TRUE(rig.host.Events().empty());
    }
}

TEST(ReadBack, UnplugForgetsTheActiveProfileClosesTheDialogsAndHides) {
    SyncRig rig;
    rig.Attach();
    ASSERT_EQ(rig.commands.CachedActiveProfile(), 0);
    rig.host.ClearEvents();

    rig.Unplug();
    EXPECT_EQ(rig.commands.CachedActiveProfile(), -1);
    EXPECT_EQ(rig.host.Events(), (std::vector<std::string>{"close-dialogs", "hide", "no keyboard"}));
    EXPECT_EQ(rig.sync.State().LastDeviceCount(), 0);
}

TEST(ReadBack, TheWindowOpensByItselfAtMostOnce) {
    struct Case {
        const char* name;
        bool suppressed_at_start;  // "/Start", or no keyboard at start-up
        int opens;
    };
    const Case cases[] = {{"first attachment opens it", false, 1}, {"suppressed from the start", true, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SyncRig rig;
        rig.host.auto_open_suppressed = c.suppressed_at_start;
        rig.Attach();
        rig.Unplug();
        rig.Plug();
        EXPECT_EQ(rig.host.Count("open"), c.opens);
        EXPECT_EQ(rig.host.Count("refresh-keys"), 2) << "the read-back repeats on replug";
        EXPECT_TRUE(rig.host.auto_open_suppressed);
    }
}

TEST(ReadBack, MacroCapacityComesFromSettingsByte11) {
    struct Case {
        uint8_t units;
        uint32_t bytes;
    };
    for (const Case& c : {Case{4, 512}, Case{1, 128}, Case{64, 8192}}) {
        SCOPED_TRACE(int{c.units});
        SyncRig rig;
        sim::KeyboardMemory memory = rig.sim.Memory();
        memory.SetMacroUnits(c.units);
        rig.sim.SetMemory(memory);
        rig.Attach();
        EXPECT_EQ(rig.sync.State().MacroCapacity(), c.bytes);
    }
}

TEST(ReadBack, UnreadableMatrixAndSettingsKeepThePreviousCopies) {
    SyncRig rig;
    rig.Attach();
    rig.Unplug();

    // The keyboard comes back with another matrix and capacity, but refuses
    // the matrix and settings reads (three attempts each).
    sim::KeyboardMemory memory = rig.sim.Memory();
    memory.SetMacroUnits(4);
    std::vector<uint8_t> other_matrix(512, 0x00);
    ASSERT_TRUE(memory.Replace(sim::Area::kDefaultMatrix, other_matrix));
    rig.sim.SetMemory(memory);
    rig.sim.SetFaults({.fail_status = 6, .status = 0xFE});
    rig.host.ClearEvents();
    rig.Plug();

    EXPECT_EQ(rig.sim.Faults().fail_status, 0u);
    EXPECT_EQ(rig.host.Count("message MAIN_DEFAULT_MATRIX_PROMPT notice"), 1);
    const auto factory = sim::FactoryDefaultMatrix();
    const KeyMapImage copy = rig.sync.State().DefaultMatrix();
    EXPECT_TRUE(std::equal(factory.begin(), factory.end(), copy.begin(), copy.end()));
    EXPECT_EQ(rig.sync.State().MacroCapacity(), 8192u);
    EXPECT_EQ(rig.sync.State().LastDeviceCount(), 1) << "the run still goes on";
}

TEST(ReadBack, RunsStartedInQuickSuccessionEndInTheirOrder) {
    SyncRig rig;
    rig.Attach();
    rig.host.ClearEvents();
    rig.host.init_done = false;  // both runs are held before they finish
    rig.sync.StartReadBack(0);
    rig.sync.StartReadBack(1);
    std::this_thread::sleep_for(20ms);
    rig.host.init_done = true;
    ASSERT_TRUE(rig.WaitReadBack());

    std::vector<std::string> trays;
    for (const std::string& e : rig.host.Events()) {
        if (e == "keyboard present" || e == "no keyboard") trays.push_back(e);
    }
    EXPECT_EQ(trays, (std::vector<std::string>{"no keyboard", "keyboard present"}));
    EXPECT_EQ(rig.sync.State().LastDeviceCount(), 1);
}

TEST(ReadBack, ShutdownEndsARunThatWaitsForTheWindow) {
    SyncRig rig;
    rig.host.init_done = false;
    rig.sync.StartReadBack(1);
    for (int i = 0; i < 1000 && rig.host.Count("lighting-panel key-view") == 0; ++i) {
        std::this_thread::sleep_for(5ms);
    }
    ASSERT_EQ(rig.host.Count("lighting-panel key-view"), 1);

    rig.sync.Shutdown();
    EXPECT_EQ(rig.host.Count("keyboard present"), 0);
    EXPECT_EQ(rig.sync.State().LastDeviceCount(), 0);
    rig.sync.StartReadBack(0);  // ignored once shut down
    EXPECT_TRUE(rig.host.Events().back() == "lighting-panel key-view");
}

TEST(ReadBack, ShutdownOnTheUiThreadServesARunThatWaitsToReload) {
    SyncRig rig;
    bool queued = false;
    rig.host.Ui([&] {
        rig.sync.StartReadBack(1);
        for (int i = 0; i < 1000 && rig.host.QueuedWork() == 0; ++i) std::this_thread::sleep_for(5ms);
        queued = rig.host.QueuedWork() == 1;
        rig.sync.Shutdown();  // would wait forever if nothing served the run's send
    });
    EXPECT_TRUE(queued);
    EXPECT_EQ(rig.host.Count("refresh-keys"), 0) << "no reload once shutting down";
    EXPECT_EQ(rig.host.Count("keyboard present"), 0);
}

// A keyboard that stops answering must not hold the end of the program up:
// the run's exchange ends without retries and nothing more is read.
TEST(ReadBack, TheEndStopsARunThatWaitsForASilentKeyboard) {
    SyncRig rig;
    rig.sim.SetFaults({.drop_replies = 1000});
    rig.sync.StartReadBack(1);
    for (int i = 0; i < 1000 && rig.sim.Status().reports_written == 0; ++i) std::this_thread::sleep_for(1ms);
    ASSERT_EQ(rig.sim.Status().reports_written, 1u);
    rig.host.Ui([&] {
        rig.sync.BeginShutdown();
        rig.sync.Shutdown();  // joins the run
    });
    EXPECT_EQ(rig.sim.Status().reports_written, 1u) << "the run went on reading";
    EXPECT_EQ(rig.host.Count("message MAIN_DEFAULT_MATRIX_PROMPT notice"), 0);
    EXPECT_EQ(rig.host.Count("refresh-keys"), 0) << "the working set was replaced at the end";
    EXPECT_EQ(rig.host.Count("keyboard present"), 0);
}

// A working file different from what the keyboard holds: one macro, no keys.
std::vector<uint8_t> WriteOtherWorkingFile(SyncRig& rig) {
    ConfigSet other;
    other.block = NewAssignmentBlock();
    auto records = MacroList::Allocate(1);
    records[0].id = 7;
    records[0].play_count = 3;
    other.macros.Install(std::move(records), 1);
    EXPECT_TRUE(profiles::SaveProfileFile(rig.WorkingFile(), other));
    return rig.ReadFile(rig.WorkingFile());
}

TEST(ReadBack, AFailedReloadLeavesTheWorkingFileAsItWasAndInstallsTheDefaults) {
    struct Case {
        const char* name;
        sim::FaultSettings faults;
        bool file_write_fails;  // after the first part of the file
    };
    const Case cases[] = {
        {"keyboard unplugged while its key maps are read", {.unplug_after = 12}, false},
        {"key map read refused", {.fail_status = 3, .status = 0xFF}, false},
        {"file cannot be written whole", {}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SyncRig rig;
        LoadKeyboard(rig.sim);
        rig.Attach();
        const std::vector<uint8_t> before = WriteOtherWorkingFile(rig);
        rig.host.pending = true;

        rig.sim.SetFaults(c.faults);
        if (c.file_write_fails) {
            rig.file_hook = [](uint64_t offset, std::span<const uint8_t>) { return offset == 0; };
        }
        bool loaded = true;
        rig.host.Ui([&] { loaded = rig.sync.ReloadWorkingConfiguration(false); });
        rig.WaitReadBack();

        EXPECT_FALSE(loaded);
        EXPECT_EQ(rig.ReadFile(rig.WorkingFile()), before);
        EXPECT_EQ(rig.folder.Files(), std::vector<std::string>{"$Profile0"}) << "no temporary file is left";
        std::lock_guard lock(rig.sets.WorkingConfigLock());
        ASSERT_TRUE(rig.sets.Working().block);
        EXPECT_TRUE(SameEntries(*rig.sets.Working().block, *NewAssignmentBlock()));
        EXPECT_EQ(rig.sets.Working().macros.Count(), 0);
        EXPECT_FALSE(rig.host.pending);
    }
}

TEST(ReadBack, AMacroAreaWithoutItsMarkReadsAsNoMacrosAndStillRewritesTheFile) {
    SyncRig rig;
    LoadKeyboard(rig.sim);
    rig.Attach();
    WriteOtherWorkingFile(rig);
    const std::vector<uint8_t> no_mark(16, 0x00);
    rig.sim.WriteArea(sim::Area::kMacro, 0, no_mark);
    rig.ClearTraffic();

    bool loaded = false;
    rig.host.Ui([&] { loaded = rig.sync.ReloadWorkingConfiguration(false); });
    EXPECT_TRUE(loaded);

    const std::vector<Sent> sent = rig.SentToKeyboard();
    EXPECT_EQ(std::count_if(sent.begin(), sent.end(), [](const Sent& s) { return s.command == 0x09; }), 1)
        << "only the header is read";
    const std::vector<uint8_t> file = rig.ReadFile(rig.WorkingFile());
    ASSERT_EQ(file.size(), kAssignmentBlockSize);
    EXPECT_EQ(file[14] | file[15] << 8, 0) << "macro count in the header";
    ConfigSet from_file;
    ASSERT_EQ(profiles::LoadProfileFile(rig.WorkingFile(), from_file), profiles::ProfileStatus::kValid);
    EXPECT_TRUE(SameEntries(*from_file.block, *ExpectedBlock())) << "the key maps are still read";
    std::lock_guard lock(rig.sets.WorkingConfigLock());
    EXPECT_EQ(rig.sets.Working().macros.Count(), 0);
}

}  // namespace
}  // namespace kv::model::test
