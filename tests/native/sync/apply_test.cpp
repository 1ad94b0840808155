#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "keyboard_contents.h"
#include "model/assign/assignment_store.h"
#include "profiles/profile_reader.h"
#include "profiles/profile_writer.h"
#include "sync_rig.h"

namespace kv::model::test {
namespace {

namespace fs = std::filesystem;


std::vector<uint8_t> KeyMap(const SyncRig& rig, int profile) {
    const std::vector<uint8_t> all = rig.sim.AreaBytes(sim::Area::kKeyMaps);
    return {all.begin() + profile * 512, all.begin() + (profile + 1) * 512};
}

std::vector<uint8_t> MacroAreaStart(const SyncRig& rig, size_t bytes) {
    const std::vector<uint8_t> area = rig.sim.AreaBytes(sim::Area::kMacro);
    return {area.begin(), area.begin() + static_cast<std::ptrdiff_t>(std::min(bytes, area.size()))};
}

// Profile p: A acts as B, B plays the macro "ab".
void EditAssignments(SyncRig& rig, int profile) {
    rig.EditWorking([&](ConfigSet& working) {
        WriteAssignment(*working.block, profile, KeyIndexOf(kKeyA), {kKindKey, 0, kKeyB, 0, 0});
        WriteAssignment(*working.block, profile, KeyIndexOf(kKeyB), {kKindMacro, 1, 1, 0, 0});
        InstallMacroAb(working.macros);
    });
    rig.host.pending = true;
}

const std::vector<uint8_t> kEditedKeyMap =
    FactoryKeyMapWith({{kPosA, {0x02, 0x02, 0x05}}, {kPosB, {0x05, 0x01, 0x00}}});

std::vector<Sent> ApplyRequests(int profile) {
    std::vector<Sent> expected{{0x01, 0, 0}, {0x0A, 34, 0}};
    AddChunked(expected, 0x08, 512, profile * 512);
    expected.push_back({0x02, 0, 0});
    return expected;
}

void SetActiveProfile(SyncRig& rig, uint8_t profile) {
    const uint8_t byte[] = {profile};
    rig.sim.WriteArea(sim::Area::kSettings, 10, byte);
}

TEST(Apply, WritesTheActiveProfilesKeyMapAndTheMacroArea) {
    for (int active : {0, 1}) {
        SCOPED_TRACE(active);
        SyncRig rig;
        SetActiveProfile(rig, static_cast<uint8_t>(active));
        rig.Attach();
        EditAssignments(rig, active);
        rig.ClearTraffic();
        rig.host.ClearEvents();

        rig.host.Ui([&] { rig.sync.ApplyChanges(); });
        ASSERT_TRUE(rig.sync.WaitBusyIdle(kWait));

        EXPECT_EQ(rig.SentToKeyboard(), ApplyRequests(active));
        for (int p = 0; p < 3; ++p) {
            EXPECT_EQ(KeyMap(rig, p), p == active ? kEditedKeyMap : FactoryKeyMapWith({})) << "profile " << p;
        }
        EXPECT_EQ(MacroAreaStart(rig, 34), MacroAreaAb());
        EXPECT_FALSE(rig.host.pending);
        EXPECT_EQ(rig.host.Events(), (std::vector<std::string>{"busy-begin", "busy-end"}));

        // The working file was saved first and holds the edit.
        ConfigSet saved;
        ASSERT_EQ(profiles::LoadProfileFile(rig.WorkingFile(), saved), profiles::ProfileStatus::kValid);
        EXPECT_EQ(ReadAssignment(*saved.block, active, KeyIndexOf(kKeyA)).value, kKeyB);
        EXPECT_EQ(saved.macros.Count(), 1);
    }
}

TEST(Apply, AFailedApplyKeepsPendingChangesAndNeverLeavesAPartFile) {
    enum class Fault { kUnplugPartWay, kSaveFails, kNoWorkingFile };
    struct Case {
        const char* name;
        Fault fault;
        bool keyboard_written;
    };
    const Case cases[] = {
        {"keyboard unplugged part-way through the key map", Fault::kUnplugPartWay, false},
        {"working file cannot be saved", Fault::kSaveFails, true},
        {"working file missing", Fault::kNoWorkingFile, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SyncRig rig;
        rig.Attach();
        const std::vector<uint8_t> before = rig.ReadFile(rig.WorkingFile());
        ASSERT_FALSE(before.empty());
        EditAssignments(rig, 0);
        switch (c.fault) {
            case Fault::kUnplugPartWay:
                rig.sim.SetFaults({.unplug_after = 4});  // begin, macro area, two key-map chunks
                break;
            case Fault::kSaveFails:
                rig.file_hook = [](uint64_t offset, std::span<const uint8_t>) { return offset == 0; };
                break;
            case Fault::kNoWorkingFile:
                fs::remove(rig.WorkingFile());
                break;
        }

        rig.host.Ui([&] { rig.sync.ApplyChanges(); });
        rig.WaitReadBack();

        EXPECT_TRUE(rig.host.pending) << "Apply stays available";
        EXPECT_EQ(KeyMap(rig, 0) == kEditedKeyMap, c.keyboard_written);
        switch (c.fault) {
            case Fault::kUnplugPartWay: {
                ConfigSet saved;  // saved whole before the keyboard was written
                ASSERT_EQ(profiles::LoadProfileFile(rig.WorkingFile(), saved),
                          profiles::ProfileStatus::kValid);
                EXPECT_EQ(saved.macros.Count(), 1);
                break;
            }
            case Fault::kSaveFails:
                EXPECT_EQ(rig.ReadFile(rig.WorkingFile()), before);
                break;
            case Fault::kNoWorkingFile:
                EXPECT_FALSE(fs::exists(rig.WorkingFile())) << "Apply never creates the working file";
                break;
        }
        const std::vector<std::string> files = rig.folder.Files();
        EXPECT_LE(files.size(), 1u) << "no temporary file is left";
    }
}

TEST(Apply, WithoutPendingChangesNothingIsWrittenButTheIndicatorStillShows) {
    SyncRig rig;
    rig.Attach();
    rig.ClearTraffic();
    rig.host.ClearEvents();

    rig.host.Ui([&] { rig.sync.ApplyChanges(); });
    ASSERT_TRUE(rig.sync.WaitBusyIdle(kWait));
    EXPECT_TRUE(rig.SentToKeyboard().empty());
    EXPECT_EQ(rig.host.Events(), (std::vector<std::string>{"busy-begin", "busy-end"}));
}

TEST(Apply, AKeyboardThatNamesNoActiveProfileGetsNoWrite) {
    SyncRig rig;
    SetActiveProfile(rig, 5);  // no profile the keyboard has
    rig.Attach();
    EXPECT_FALSE(fs::exists(rig.WorkingFile())) << "nothing is read into a file without an active profile";
    EditAssignments(rig, 0);
    rig.ClearTraffic();
    rig.host.answer_yes = false;  // the offer to read the keyboard again is declined

    rig.host.Ui([&] { rig.sync.ApplyChanges(); });
    ASSERT_TRUE(rig.sync.WaitBusyIdle(kWait));
    for (const Sent& sent : rig.SentToKeyboard()) {
        EXPECT_EQ(sent.command, 0x03) << "only the settings block is asked for";
    }
    EXPECT_EQ(KeyMap(rig, 0), FactoryKeyMapWith({}));
    EXPECT_TRUE(rig.host.pending);
    EXPECT_EQ(rig.host.Count("confirm KEYBOARD_NOT_READ_PROMPT"), 1) << "the working set is not the keyboard's";
}

TEST(Apply, MacrosTooLargeForTheKeyboardAreNotSent) {
    SyncRig rig;
    sim::KeyboardMemory memory = rig.sim.Memory();
    memory.SetMacroUnits(1);  // 128 bytes
    rig.sim.SetMemory(memory);
    rig.Attach();
    rig.EditWorking([](ConfigSet& working) {
        auto records = MacroList::Allocate(1);
        records[0].id = 1;
        records[0].play_count = 1;
        records[0].action_count = 40;  // 16 + 2 + 4 + 160 bytes even without names
        working.macros.Install(std::move(records), 1);
    });
    rig.host.pending = true;
    rig.ClearTraffic();
    rig.host.ClearEvents();

    rig.host.Ui([&] { rig.sync.ApplyChanges(); });
    ASSERT_TRUE(rig.sync.WaitBusyIdle(kWait));
    EXPECT_TRUE(rig.SentToKeyboard().empty());
    EXPECT_EQ(rig.host.Count("message EXTRA_MACRO_TOO_LONG keyboard-write"), 1);
    EXPECT_TRUE(rig.host.pending);
}

std::vector<uint8_t> WorkingBytes(SyncRig& rig) {
    std::lock_guard lock(rig.sets.WorkingConfigLock());
    const auto bytes = BlockBytes(*rig.sets.Working().block);
    return {bytes.begin(), bytes.end()};
}

TEST(Default, AnsweredNoChangesNothing) {
    SyncRig rig;
    LoadKeyboard(rig.sim);
    rig.panel.on = true;
    rig.Attach();
    const std::vector<uint8_t> before = WorkingBytes(rig);
    rig.ClearTraffic();
    rig.host.ClearEvents();
    rig.host.answer_yes = false;

    rig.host.Ui([&] { rig.sync.RestoreDefaults(); });
    EXPECT_EQ(rig.host.Events(), std::vector<std::string>{"confirm MAIN_PROMPT_DEFAULT"});
    EXPECT_TRUE(rig.SentToKeyboard().empty());
    EXPECT_EQ(WorkingBytes(rig), before);
    EXPECT_FALSE(rig.host.pending);
}

TEST(Default, AnsweredYesResetsTheShownKeysAndWritesThem) {
    for (bool panel_on : {false, true}) {
        SCOPED_TRACE(panel_on ? "lighting panel on" : "lighting panel off");
        SyncRig rig;
        LoadKeyboard(rig.sim);
        rig.panel.on = panel_on;
        rig.Attach();
        rig.ClearTraffic();

        rig.host.Ui([&] { rig.sync.RestoreDefaults(); });
        ASSERT_TRUE(rig.sync.WaitBusyIdle(kWait));

        EXPECT_EQ(KeyMap(rig, 0), FactoryKeyMapWith({})) << "A acts as A again";
        EXPECT_EQ(KeyMap(rig, 1), FactoryKeyMapWith({{kPosA, {0x05, 0x01, 0x00}}})) << "other profiles kept";
        EXPECT_FALSE(rig.host.pending);
        const std::vector<Sent> sent = rig.SentToKeyboard();
        const bool lighting_written = std::any_of(sent.begin(), sent.end(), [](const Sent& s) {
            return s.command == 0x06 && s.length == 35 && s.offset == 0;
        });
        EXPECT_EQ(lighting_written, panel_on);
        EXPECT_EQ(rig.host.Count("lighting-defaults"), panel_on ? 1 : 0)
            << "the panel shows what was written";
        std::lock_guard lock(rig.sets.WorkingConfigLock());
        EXPECT_EQ(ReadAssignment(*rig.sets.Working().block, 0, KeyIndexOf(kKeyA)).kind, kKindDefault);
        EXPECT_EQ(ReadAssignment(*rig.sets.Working().block, 1, KeyIndexOf(kKeyA)).kind, kKindMacro);
    }
}

// A backup: A acts as B in profiles 0 and 1, B disabled in profile 2, "ab".
fs::path WriteBackup(const SyncRig& rig) {
    ConfigSet backup;
    backup.block = NewAssignmentBlock();
    WriteAssignment(*backup.block, 0, KeyIndexOf(kKeyA), {kKindKey, 0, kKeyB, 0, 0});
    WriteAssignment(*backup.block, 1, KeyIndexOf(kKeyA), {kKindKey, 0, kKeyB, 0, 0});
    WriteAssignment(*backup.block, 2, KeyIndexOf(kKeyB), {kKindDisabled, 0, 0, 0, 0});
    InstallMacroAb(backup.macros);
    const fs::path path = rig.folder.Path() / "backup.kvp";
    EXPECT_TRUE(profiles::SaveProfileFile(path, backup));
    return path;
}

TEST(Restore, AValidFileReplacesTheWorkingSetAndWritesAllThreeProfiles) {
    SyncRig rig;
    rig.Attach();
    const fs::path backup = WriteBackup(rig);
    rig.ClearTraffic();
    rig.host.pending = true;

    bool restored = false;
    rig.host.Ui([&] { restored = rig.sync.RestoreFromFile(backup); });
    EXPECT_TRUE(restored);

    std::vector<Sent> expected{{0x01, 0, 0}, {0x0A, 34, 0}};
    for (int p = 0; p < 3; ++p) AddChunked(expected, 0x08, 512, p * 512);
    expected.push_back({0x02, 0, 0});
    EXPECT_EQ(rig.SentToKeyboard(), expected);
    const auto a_as_b = FactoryKeyMapWith({{kPosA, {0x02, 0x02, 0x05}}});
    EXPECT_EQ(KeyMap(rig, 0), a_as_b);
    EXPECT_EQ(KeyMap(rig, 1), a_as_b);
    EXPECT_EQ(KeyMap(rig, 2), FactoryKeyMapWith({{kPosB, {0x00, 0x00, 0x00}}}));
    EXPECT_EQ(MacroAreaStart(rig, 34), MacroAreaAb());
    EXPECT_FALSE(rig.host.pending);

    ConfigSet working_file;
    ASSERT_EQ(profiles::LoadProfileFile(rig.WorkingFile(), working_file), profiles::ProfileStatus::kValid);
    EXPECT_EQ(ReadAssignment(*working_file.block, 2, KeyIndexOf(kKeyB)).kind, kKindDisabled);
    EXPECT_EQ(working_file.macros.Count(), 1);
}

TEST(Restore, AFileThatIsNoProfileChangesNothing) {
    struct Case {
        const char* name;
        bool create;
        std::vector<std::string> messages;
    };
    const Case cases[] = {
        {"not a profile file", true, {"PROFILE_FORMAT_ERROR ", "MAIN_PROMPT_INPORT"}},
        {"missing file", false, {"MAIN_PROMPT_INPORT"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SyncRig rig;
        LoadKeyboard(rig.sim);
        rig.Attach();
        const fs::path path = rig.folder.Path() / "other.kvp";
        if (c.create) {
            std::vector<uint8_t> junk(40000, 0x5A);
            std::ofstream(path, std::ios::binary)
                .write(reinterpret_cast<const char*>(junk.data()), junk.size());
        }
        const std::vector<uint8_t> before = WorkingBytes(rig);
        const std::vector<uint8_t> file_before = rig.ReadFile(rig.WorkingFile());
        rig.ClearTraffic();
        rig.host.ClearEvents();

        bool restored = true;
        rig.host.Ui([&] { restored = rig.sync.RestoreFromFile(path); });
        EXPECT_FALSE(restored);
        const std::vector<std::string> events = rig.host.Events();
        ASSERT_EQ(events.size(), c.messages.size());
        for (size_t i = 0; i < events.size(); ++i) {
            EXPECT_EQ(events[i].rfind("message " + c.messages[i], 0), 0u) << events[i];
        }
        if (c.create) {
            EXPECT_NE(events[0].find(path.string()), std::string::npos) << "names the file";
        }
        EXPECT_TRUE(rig.SentToKeyboard().empty());
        EXPECT_EQ(WorkingBytes(rig), before);
        EXPECT_EQ(rig.ReadFile(rig.WorkingFile()), file_before);
    }
}

TEST(Restore, AKeyboardWriteThatFailsLeavesApplyAvailable) {
    SyncRig rig;
    rig.Attach();
    const fs::path backup = WriteBackup(rig);
    rig.sim.SetFaults({.unplug_after = 3});

    bool restored = true;
    rig.host.Ui([&] { restored = rig.sync.RestoreFromFile(backup); });
    rig.WaitReadBack();
    EXPECT_FALSE(restored);
    EXPECT_TRUE(rig.host.pending);
    std::lock_guard lock(rig.sets.WorkingConfigLock());
    EXPECT_EQ(ReadAssignment(*rig.sets.Working().block, 2, KeyIndexOf(kKeyB)).kind, kKindDisabled)
        << "the working set holds the file";
}

// Backup writes the working set whole, or says that it could not and leaves
// an older file of that name as it was.
TEST(Backup, SavesTheWorkingSetOrSaysWhyNot) {
    const struct {
        const char* name;
        bool disk_fails;
    } cases[] = {{"written", false}, {"the disk fails half-way", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SyncRig rig;
        rig.Attach();
        EditAssignments(rig, 0);
        const fs::path path = rig.folder.Path() / "mine.kvp";
        const std::vector<uint8_t> older(40, 0x77);
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(older.data()), older.size());
        if (c.disk_fails)
            rig.file_hook = [](uint64_t offset, std::span<const uint8_t>) { return offset == 0; };
        rig.host.ClearEvents();

        bool saved = !c.disk_fails;
        rig.host.Ui([&] { saved = rig.sync.BackupToFile(path); });
        EXPECT_EQ(saved, !c.disk_fails);
        const std::vector<std::string> events = rig.host.Events();
        if (c.disk_fails) {
            ASSERT_EQ(events.size(), 1u);
            EXPECT_EQ(events[0], "message MAIN_PROMPT_BACKUP_FAILED " + path.string() + " notice");
            EXPECT_EQ(rig.ReadFile(path), older);
        } else {
            EXPECT_TRUE(events.empty());
            ConfigSet backup;
            ASSERT_EQ(profiles::LoadProfileFile(path, backup), profiles::ProfileStatus::kValid);
            EXPECT_EQ(ReadAssignment(*backup.block, 0, KeyIndexOf(kKeyA)).value, kKeyB);
            EXPECT_EQ(backup.macros.Count(), 1);
        }
        std::vector<std::string> files = rig.folder.Files();
        std::sort(files.begin(), files.end());
        EXPECT_EQ(files, (std::vector<std::string>{"$Profile0", "mine.kvp"}))
            << "a temporary file was left behind";
        EXPECT_TRUE(rig.host.pending) << "a backup is no Apply";
    }
}

}  // namespace
}  // namespace kv::model::test
