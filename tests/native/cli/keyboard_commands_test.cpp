// read, write, profile and lighting against the simulated keyboard: the
// keyboard's memory comes back byte for byte, the traffic is the program's,
// and every failure has its exit code.
#include <gtest/gtest.h>

#include <algorithm>

#include "cli_rig.h"
#include "config_json/json_value.h"
#include "profiles/profile_reader.h"
#include "sim/factory_content.h"
#include "sim/keyboard_memory.h"

namespace kv::cli::test {
namespace {

using config_json::Json;
using sim::Area;

// Keys in all three profiles, two named macros, lighting with key maps.
Json Configuration() {
    return Json::parse(R"({
      "format": "kelvarin-configuration", "version": 1,
      "profiles": [
        {"keys": [{"key": "A", "send": "B"}, {"key": "F1", "media": "Volume up"},
                  {"key": "G3", "layer": "B", "macro": "Reload"}]},
        {"keys": [{"key": "Caps Lock", "send": "Ctrl"}, {"key": "F2", "macro": "Greet", "repeat": 3},
                  {"key": "Esc", "disabled": true}]},
        {"keys": [{"key": "F12", "function": "Next profile"}, {"key": "Pause", "stop_macro": true}]}],
      "macros": [
        {"name": "Reload", "actions": [{"press": "R", "delay": 50}, {"release": "R"}]},
        {"name": "Greet", "play_count": 2, "actions": [{"press": "H", "delay": 30}, {"release": "H", "delay": 30},
                                                       {"press": "I", "delay": 30}, {"release": "I"}]}],
      "keyboard": {"active_profile": 1, "lighting": [
        {"mode": 3, "brightness": 4, "speed": 2, "base_colour": "#102030",
         "user_key_maps": [[0, 1, 2], [], [], [], [], [], [], [], [], [167]]},
        {"mode": 254, "user_key_map": 2, "report_rate": 500,
         "user_key_maps": [[], [11, 18, 19, 27], [], [], [], [], [], [], [], []]},
        {"mode": 6, "speed": 0, "report_rate": 125,
         "user_key_maps": [[], [], [], [], [], [], [], [], [], []]}]}
    })");
}

// Something else: fewer and shorter macros, other keys and lighting.
Json Other() {
    return Json::parse(R"({
      "format": "kelvarin-configuration", "version": 1,
      "profiles": [{"keys": [{"key": "Q", "send": "W"}]}, {"keys": []}, {"keys": [{"key": "F1", "media": "Mute"}]}],
      "macros": [{"name": "x", "actions": [{"press": "X"}]}],
      "keyboard": {"active_profile": 3, "lighting": [
        {"mode": 1, "user_key_maps": [[5], [], [], [], [], [], [], [], [], []]},
        {"mode": 2, "user_key_maps": [[], [], [], [], [], [], [], [], [], []]},
        {"mode": 2, "user_key_maps": [[], [], [], [], [], [], [], [], [], [1]]}]}
    })");
}

constexpr Area kCompared[] = {Area::kKeyMaps, Area::kMacro, Area::kProfileSettings, Area::kKeyColours};

struct Sent {
    uint8_t command;
    uint8_t length;
    uint16_t offset;
    bool operator==(const Sent&) const = default;
};

class KeyboardCommands : public ::testing::Test {
  protected:
    std::vector<Sent> SentToKeyboard() const {
        std::vector<Sent> sent;
        for (const sim::TrafficEntry& e : rig.sim.Traffic()) {
            if (e.direction == sim::Direction::kToKeyboard && e.channel == sim::Channel::kVendor &&
                e.bytes.size() >= 8)
                sent.push_back({e.bytes[3], e.bytes[4], static_cast<uint16_t>(e.bytes[5] | e.bytes[6] << 8)});
        }
        return sent;
    }
    static void Chunked(std::vector<Sent>& out, uint8_t command, uint32_t total, uint32_t base) {
        for (uint32_t at = 0; at < total; at += 56)
            out.push_back({command, static_cast<uint8_t>(std::min<uint32_t>(56, total - at)),
                           static_cast<uint16_t>(base + at)});
    }
    // What the lighting panel reads for one shown profile.
    static void LightingRead(std::vector<Sent>& out, int profile) {
        out.push_back({0x03, 48, 0});
        out.push_back({0x01, 0, 0});
        for (uint16_t at = 0; at < 216; at += 54)
            out.push_back({0x10, 54, static_cast<uint16_t>(profile * 256 + at)});
        for (uint16_t at = 0; at < 126; at += 42) out.push_back({0x05, 56, at});
        out.push_back({0x02, 0, 0});
    }
    Result Write(const std::string& name, const Json& json) {
        rig.WriteText(name, json.dump());
        return rig.Run({"write", rig.File(name).string()});
    }

    CliRig rig;
};

TEST_F(KeyboardCommands, ReadChangeAndWriteBackRestoresEveryMemoryArea) {
    Result r = Write("base.json", Configuration());
    ASSERT_EQ(r.code, kExitDone) << r.err;
    EXPECT_EQ(r.err, "kvcli: " + rig.File("base.json").string() +
                         " is on the keyboard (key maps and macros, lighting)\n");
    const sim::KeyboardMemory written = rig.sim.Memory();
    // What the file said reached the keyboard.
    EXPECT_EQ(written.Bytes(Area::kProfileSettings)[0], 3);
    EXPECT_EQ(written.Bytes(Area::kProfileSettings)[42 + 15], 1);  // 500 Hz is index 1
    EXPECT_EQ(written.Bytes(Area::kProfileSettings)[9], 0x10);
    EXPECT_EQ(written.Bytes(Area::kKeyColours)[0], 0x07);            // matrix indices 0, 1, 2
    EXPECT_EQ(written.Bytes(Area::kKeyColours)[9 * 21 + 20], 0x80);  // and 167 of map 10
    EXPECT_EQ(written.Bytes(Area::kSettings)[10], 0);                // the active profile is left alone

    r = rig.Run({"read", rig.File("x.json").string()});
    ASSERT_EQ(r.code, kExitDone) << r.err;
    const Json read = Json::parse(rig.ReadText("x.json"));
    EXPECT_EQ(read["keyboard"]["lighting"][1]["report_rate"], 500);
    EXPECT_EQ(read["keyboard"]["lighting"][1]["user_key_maps"][1], Json::parse("[11, 18, 19, 27]"));
    EXPECT_EQ(read["macros"][1]["name"], "Greet");

    ASSERT_EQ(Write("other.json", Other()).code, kExitDone);
    ASSERT_EQ(rig.Run({"lighting", "--profile", "2", "--brightness", "0"}).code, kExitDone);
    ASSERT_EQ(rig.Run({"profile", "3"}).code, kExitDone);
    const sim::KeyboardMemory changed = rig.sim.Memory();
    for (Area area : kCompared)
        EXPECT_FALSE(std::ranges::equal(changed.Bytes(area), written.Bytes(area)))
            << sim::AreaName(area) << " did not change";

    r = rig.Run({"write", rig.File("x.json").string()});
    ASSERT_EQ(r.code, kExitDone) << r.err;
    const sim::KeyboardMemory restored = rig.sim.Memory();
    for (Area area : kCompared) {
        EXPECT_TRUE(std::ranges::equal(restored.Bytes(area), written.Bytes(area)))
            << sim::AreaName(area) << " is not back";
    }
}

TEST_F(KeyboardCommands, ReadSendsWhatTheProgramsReadBackSends) {
    rig.sim.ClearTraffic();
    Result r = rig.Run({"read", rig.File("x.kvp").string()});
    ASSERT_EQ(r.code, kExitDone) << r.err;
    std::vector<Sent> expected;
    Chunked(expected, 0x0F, 512, 0);    // default matrix
    expected.push_back({0x03, 48, 0});  // settings block: macro capacity
    expected.push_back({0x03, 48, 0});  // and the active profile
    for (int p = 0; p < 3; ++p) Chunked(expected, 0x07, 512, p * 512);
    expected.push_back({0x09, 16, 0});  // the factory macro area is its header alone
    LightingRead(expected, 0);
    EXPECT_EQ(SentToKeyboard(), expected);
    model::ConfigSet set;
    EXPECT_EQ(profiles::LoadProfileFile(rig.File("x.kvp"), set), profiles::ProfileStatus::kValid);

    // JSON adds every profile's lighting.
    rig.sim.ClearTraffic();
    ASSERT_EQ(rig.Run({"read", rig.File("x.json").string()}).code, kExitDone);
    for (int p = 0; p < 3; ++p) LightingRead(expected, p);
    EXPECT_EQ(SentToKeyboard(), expected);
}

TEST_F(KeyboardCommands, ProfileShowsAndSwitches) {
    Result r = rig.Run({"profile"});
    EXPECT_EQ(r.code, kExitDone);
    EXPECT_EQ(r.out, "Active profile: 1\n");
    r = rig.Run({"profile", "2", "--json"});
    EXPECT_EQ(r.code, kExitDone) << r.err;
    EXPECT_EQ(r.out, "{\"active_profile\": 2}\n");
    EXPECT_EQ(rig.sim.AreaBytes(Area::kSettings)[10], 1);
}

TEST_F(KeyboardCommands, LightingShowsAndChangesOneProfile) {
    Result r = rig.Run(
        {"lighting", "--profile", "3", "--mode", "5", "--brightness", "1", "--speed", "4", "--rate", "250"});
    ASSERT_EQ(r.code, kExitDone) << r.err;
    const auto records = rig.sim.AreaBytes(Area::kProfileSettings);
    EXPECT_EQ(records[84 + 0], 5);
    EXPECT_EQ(records[84 + 1], 1);
    EXPECT_EQ(records[84 + 2], 4);
    EXPECT_EQ(records[84 + 15], 2);
    EXPECT_EQ(r.out.substr(0, r.out.find('\n')),
              "Profile 3: mode 5 (Mode 5), brightness 1, speed 4, report rate 250 Hz, user key map 1");
    EXPECT_EQ(r.out.rfind("Modes: 1 (Mode 1), 2 (Mode 2), ", r.out.find('\n') + 1), r.out.find('\n') + 1)
        << r.out;

    r = rig.Run({"lighting", "--json"});
    ASSERT_EQ(r.code, kExitDone) << r.err;
    const Json json = Json::parse(r.out);
    EXPECT_EQ(json["profile"], 1);
    EXPECT_EQ(json["modes"].size(), sim::FactoryModeList().size());
    EXPECT_EQ(json["report_rate"], 1000);
}

TEST_F(KeyboardCommands, AModeTheKeyboardDoesNotOfferIsRefusedBeforeAnythingIsWritten) {
    rig.sim.ClearTraffic();
    const Result r = rig.Run({"lighting", "--mode", "99", "--brightness", "1"});
    EXPECT_EQ(r.code, kExitBadInput);
    EXPECT_EQ(r.err.rfind("kvcli: this keyboard has no mode 99; it offers 1 (Mode 1), ", 0), 0u) << r.err;
    for (const Sent& s : SentToKeyboard()) EXPECT_NE(s.command, 0x06);
}

TEST_F(KeyboardCommands, EveryFailureHasItsExitCode) {
    rig.WriteText("base.json", Configuration().dump());
    const std::string base = rig.File("base.json").string();

    rig.refuse_with = kExitBusy;  // Kelvarin holds the keyboard
    rig.sim.ClearTraffic();
    Result r = rig.Run({"write", base});
    EXPECT_EQ(r.code, kExitBusy);
    EXPECT_EQ(r.err, "kvcli: Kelvarin is running\n");
    EXPECT_TRUE(SentToKeyboard().empty());
    EXPECT_EQ(rig.Run({"show", base}).code, kExitDone) << "files need no keyboard";
    rig.refuse_with = kExitDone;

    rig.sim.Unplug();
    r = rig.Run({"profile"});
    EXPECT_EQ(r.code, kExitNoKeyboard);
    EXPECT_EQ(r.err, "kvcli: no keyboard found\n");
    rig.sim.Plug();

    rig.WriteText("bad.json", "{");
    rig.sim.ClearTraffic();
    EXPECT_EQ(rig.Run({"write", rig.File("bad.json").string()}).code, kExitBadInput);
    EXPECT_TRUE(SentToKeyboard().empty()) << "a bad file never reaches the keyboard";

    // Read-back answers, the writes do not: after the settings read and the
    // lighting read (11 reports) and the exchange's begin, the keyboard goes.
    rig.sim.SetFaults({.unplug_after = 12});
    r = rig.Run({"lighting", "--brightness", "2"});
    EXPECT_EQ(r.code, kExitWriteFailed);
    EXPECT_EQ(r.err, "kvcli: the keyboard did not take the lighting change\n");
    rig.sim.ClearFaults();
    rig.sim.Plug();

    // Macros that do not fit the keyboard's 128 bytes: nothing is sent, the engine says why.
    rig.sim.SetMemory(sim::KeyboardMemory::Factory(1));
    Json big = Configuration();
    for (int i = 0; i < 40; ++i) big["macros"][0]["actions"].push_back(Json{{"press", "A"}});
    rig.WriteText("big.json", big.dump());
    rig.sim.ClearTraffic();
    r = rig.Run({"write", rig.File("big.json").string()});
    for (const Sent& s : SentToKeyboard())
        EXPECT_TRUE(s.command != 0x08 && s.command != 0x0A) << "a key map or macro write";
    EXPECT_EQ(r.code, kExitWriteFailed);
    EXPECT_EQ(r.err, "kvcli: EXTRA_MACRO_TOO_LONG\nkvcli: the keyboard could not be written\n");

    r = rig.Run({"read", rig.File("no/such/folder/x.kvp").string()});
    EXPECT_EQ(r.code, kExitWriteFailed);
    EXPECT_EQ(rig.Run({"read", rig.File("x.txt").string()}).code, kExitBadInput);
}

}  // namespace
}  // namespace kv::cli::test
