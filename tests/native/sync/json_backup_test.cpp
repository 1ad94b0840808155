// The window's "Export as JSON…" and "Import JSON…" on the real sync engine:
// the same working set, traffic, messages and pending changes as Backup and
// Restore, plus the lighting a JSON file may carry.
#include "config_json/json_backup.h"

#include <gtest/gtest.h>

#include <fstream>

#include "config_json/config_files.h"
#include "keyboard_contents.h"
#include "model/assign/assignment_store.h"
#include "profiles/profile_writer.h"
#include "sync_rig.h"

namespace kv::model::test {
namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> WorkingImage(SyncRig& rig) {
    std::vector<uint8_t> image;
    std::lock_guard lock(rig.sets.WorkingConfigLock());
    EXPECT_TRUE(profiles::ProfileImageBytes(rig.sets.Working(), image));
    return image;
}

void WriteText(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

TEST(JsonBackup, ExportWritesTheWorkingSetThatImportGivesBack) {
    SyncRig rig;
    LoadKeyboard(rig.sim);
    rig.Attach();
    const fs::path path = rig.folder.Path() / "backup.json";
    ASSERT_TRUE(config_json::ExportWorkingSetAsJson(rig.sets, path));
    const config_json::LoadedConfig loaded = config_json::LoadConfigFile(path);
    ASSERT_TRUE(loaded.document) << loaded.error;
    EXPECT_EQ(loaded.document->profile_file, WorkingImage(rig)) << "the bytes Backup would write";
    EXPECT_FALSE(loaded.document->keyboard) << "the working set holds no lighting";

    // A disk that fails part-way leaves the earlier file alone.
    const std::vector<uint8_t> before = rig.ReadFile(path);
    EXPECT_FALSE(config_json::ExportWorkingSetAsJson(
        rig.sets, path, std::nullopt, [](uint64_t, std::span<const uint8_t>) { return false; }));
    EXPECT_EQ(rig.ReadFile(path), before);
    for (const std::string& name : rig.folder.Files())
        EXPECT_EQ(name.find(".tmp"), std::string::npos) << name;
}

// The window's export is a whole backup: every profile's lighting as the
// keyboard keeps it, and the shown profile's panel as it was.
TEST(JsonBackup, TheWindowsExportCarriesTheLightingOfEveryProfile) {
    SyncRig rig;
    LoadKeyboard(rig.sim);
    rig.Attach();
    std::vector<uint8_t> records = rig.sim.AreaBytes(sim::Area::kProfileSettings);
    records[42] = 6;  // profile 2: mode, brightness
    records[43] = 1;
    records[84] = 254;  // profile 3 in per-key mode
    rig.sim.WriteArea(sim::Area::kProfileSettings, 0, records);
    rig.lighting.SetCurrentProfile(0);
    ASSERT_EQ(rig.lighting.ReadLighting(), 0);
    const int shown_mode = rig.lighting.State().mode;
    ASSERT_NE(shown_mode, 254);
    rig.host.ClearEvents();

    const fs::path path = rig.folder.Path() / "whole.json";
    bool saved = false;
    const config_json::JsonExportContext context{rig.sets, rig.lighting, rig.commands, rig.host};
    rig.host.Ui([&] { saved = config_json::ExportConfigurationAsJson(context, path); });
    ASSERT_TRUE(saved);
    const config_json::LoadedConfig loaded = config_json::LoadConfigFile(path);
    ASSERT_TRUE(loaded.document) << loaded.error;
    EXPECT_EQ(loaded.document->profile_file, WorkingImage(rig));
    ASSERT_TRUE(loaded.document->keyboard) << "no lighting in the export";
    for (int p = 0; p < 3; ++p) {
        const auto& record = loaded.document->keyboard->records[p];
        EXPECT_TRUE(std::equal(record.begin(), record.end(), records.begin() + p * kLightingRecordSize))
            << "profile " << p + 1;
    }
    EXPECT_EQ(rig.lighting.CurrentProfile(), 0);
    EXPECT_EQ(rig.lighting.State().mode, shown_mode) << "the panel's profile decoded again";
    EXPECT_EQ(rig.host.Events().back().rfind("lighting-panel", 0), 0u) << "the panel is shown again";
}

TEST(JsonBackup, ImportRestoresKeysMacrosAndLightingLikeRestore) {
    SyncRig rig;
    rig.Attach();
    const fs::path path = rig.folder.Path() / "backup.json";
    WriteText(path, R"({"format": "kelvarin-configuration", "version": 1,
      "profiles": [{"keys": [{"key": "A", "send": "B"}]}, {"keys": [{"key": "A", "macro": "ab"}]}, {}],
      "macros": [{"name": "ab", "actions": [{"press": "A", "delay": 120}, {"release": "A"}]}],
      "keyboard": {"lighting": [{"mode": 5, "user_key_maps": [[], [], [], [], [], [], [], [], [], []]},
                                {"mode": 6, "brightness": 1, "user_key_maps": [[], [], [], [], [], [], [], [], [], []]},
                                {"mode": 254, "user_key_maps": [[3], [], [], [], [], [], [], [], [], []]},
                                ]}})");
    // A trailing comma makes it no JSON: that first try must change nothing.
    const std::vector<uint8_t> working_before = WorkingImage(rig);
    rig.ClearTraffic();
    rig.host.ClearEvents();
    bool restored = true;
    const config_json::JsonRestoreContext context{rig.sync, rig.lighting, rig.host, rig.host, rig.texts};
    rig.host.Ui([&] { restored = config_json::RestoreFromJson(context, path); });
    EXPECT_FALSE(restored);
    const std::vector<std::string> events = rig.host.Events();
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].rfind(
                  "message JSON_FORMAT_ERROR " + path.string() + "\nline 7, column 33: syntax error", 0),
              0u)
        << events[0];
    EXPECT_EQ(events[1], "message MAIN_PROMPT_INPORT notice");
    EXPECT_TRUE(rig.SentToKeyboard().empty());
    EXPECT_EQ(WorkingImage(rig), working_before);

    const std::vector<uint8_t> bytes = rig.ReadFile(path);
    std::string text(bytes.begin(), bytes.end());
    text.replace(text.rfind("]]},"), 4, "]]}");
    WriteText(path, text);
    rig.ClearTraffic();
    rig.host.ClearEvents();
    rig.host.pending = true;
    rig.host.Ui([&] { restored = config_json::RestoreFromJson(context, path); });
    EXPECT_TRUE(restored) << ::testing::PrintToString(rig.host.Events());
    EXPECT_FALSE(rig.host.pending) << "restored as a whole: nothing left to apply";
    EXPECT_EQ(rig.sim.AreaBytes(sim::Area::kKeyMaps), [] {
        std::vector<uint8_t> maps;
        for (const auto& map : {FactoryKeyMapWith({{kPosA, {0x02, 0x02, 0x05}}}),
                                FactoryKeyMapWith({{kPosA, {0x05, 0x01, 0x00}}}), FactoryKeyMapWith({})})
            maps.insert(maps.end(), map.begin(), map.end());
        return maps;
    }());
    const std::vector<uint8_t> area = rig.sim.AreaBytes(sim::Area::kMacro);
    EXPECT_EQ(std::vector<uint8_t>(area.begin(), area.begin() + 34), MacroAreaAb());
    const std::vector<uint8_t> records = rig.sim.AreaBytes(sim::Area::kProfileSettings);
    EXPECT_EQ(records[0], 5);
    EXPECT_EQ(records[42], 6);
    EXPECT_EQ(records[43], 1);
    EXPECT_EQ(records[84], 254);
    EXPECT_EQ(rig.sim.AreaBytes(sim::Area::kKeyColours)[512], 0x08) << "profile 3, map 1: matrix index 3";

    // Restore's exchange first, then one per record and per set of maps, then the panel reads back.
    const std::vector<Sent> sent = rig.SentToKeyboard();
    std::vector<Sent> restore{{0x01, 0, 0}, {0x0A, 34, 0}};
    for (int p = 0; p < 3; ++p) AddChunked(restore, 0x08, 512, p * 512);
    restore.push_back({0x02, 0, 0});
    ASSERT_GE(sent.size(), restore.size());
    EXPECT_EQ(std::vector<Sent>(sent.begin(), sent.begin() + static_cast<std::ptrdiff_t>(restore.size())),
              restore);
    const std::vector<std::string> after = rig.host.Events();
    EXPECT_EQ(std::count(after.begin(), after.end(), "refresh-keys"), 1);
    EXPECT_EQ(after.back(), "lighting-panel key-view");
}

TEST(JsonBackup, AMissingFileShowsOnlyTheRestoreMessage) {
    SyncRig rig;
    rig.Attach();
    rig.host.ClearEvents();
    bool restored = true;
    const config_json::JsonRestoreContext context{rig.sync, rig.lighting, rig.host, rig.host, rig.texts};
    rig.host.Ui([&] { restored = config_json::RestoreFromJson(context, rig.folder.Path() / "none.json"); });
    EXPECT_FALSE(restored);
    EXPECT_EQ(rig.host.Events(), std::vector<std::string>{"message MAIN_PROMPT_INPORT notice"});
}

}  // namespace
}  // namespace kv::model::test
