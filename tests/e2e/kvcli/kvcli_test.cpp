// kvcli.exe under Wine with the simulated HidServ.dll beside it: a read, a
// change and a write back leave every memory area of the keyboard as it was,
// and while Kelvarin runs the keyboard commands refuse with exit code 3.
#include <gtest/gtest.h>

#include <algorithm>

#include "cli_copy.h"
#include "harness/harness.h"

namespace kv::e2e {
namespace {

using sim::Area;

// Keys in all three profiles, two named macros, lighting with key maps.
const char kConfiguration[] = R"({
  "format": "kelvarin-configuration", "version": 1,
  "profiles": [
    {"keys": [{"key": "A", "send": "B"}, {"key": "F1", "media": "Volume up"}, {"key": "G3", "layer": "B", "macro": "Reload"}]},
    {"keys": [{"key": "Caps Lock", "send": "Ctrl"}, {"key": "F2", "macro": "Greet", "repeat": 3}]},
    {"keys": [{"key": "F12", "function": "Next profile"}]}],
  "macros": [
    {"name": "Reload", "actions": [{"press": "R", "delay": 50}, {"release": "R"}]},
    {"name": "Greet", "actions": [{"press": "H", "delay": 30}, {"release": "H", "delay": 30}, {"press": "I"}, {"release": "I"}]}],
  "keyboard": {"lighting": [
    {"mode": 3, "brightness": 4, "user_key_maps": [[0, 1, 2], [], [], [], [], [], [], [], [], [167]]},
    {"mode": 254, "user_key_map": 2, "report_rate": 500, "user_key_maps": [[], [11, 18, 19, 27], [], [], [], [], [], [], [], []]},
    {"mode": 6, "report_rate": 125, "user_key_maps": [[], [], [], [], [], [], [], [], [], []]}]}
})";

// Something else: one short macro, other keys and lighting.
const char kOther[] = R"({
  "format": "kelvarin-configuration", "version": 1,
  "profiles": [{"keys": [{"key": "Q", "send": "W"}]}, {"keys": []}, {"keys": [{"key": "F1", "media": "Mute"}]}],
  "macros": [{"name": "x", "actions": [{"press": "X"}]}],
  "keyboard": {"lighting": [
    {"mode": 1, "user_key_maps": [[5], [], [], [], [], [], [], [], [], []]},
    {"mode": 2, "user_key_maps": [[], [], [], [], [], [], [], [], [], []]},
    {"mode": 2, "user_key_maps": [[], [], [], [], [], [], [], [], [], [1]]}]}
})";

constexpr Area kCompared[] = {Area::kKeyMaps, Area::kMacro, Area::kProfileSettings, Area::kKeyColours};

bool Same(const sim::KeyboardMemory& a, const sim::KeyboardMemory& b, Area area) {
    return std::ranges::equal(a.Bytes(area), b.Bytes(area));
}

TEST(Kvcli, ReadChangeAndWriteBackRestoresTheKeyboardByteForByte) {
    CliCopy copy;
    copy.WriteText("base.json", kConfiguration);
    copy.WriteText("other.json", kOther);

    CliRun run = copy.Run({"write", copy.Path("base.json")});
    ASSERT_EQ(run.code, 0u) << run.err;
    const auto written = copy.Memory();
    ASSERT_TRUE(written);
    EXPECT_EQ(written->Bytes(Area::kProfileSettings)[42], 254);
    EXPECT_EQ(written->Bytes(Area::kKeyColours)[0], 0x07);

    run = copy.Run({"read", copy.Path("x.json")});
    ASSERT_EQ(run.code, 0u) << run.err;
    const std::string json = copy.ReadText("x.json");
    EXPECT_NE(json.find(R"({"key": "G3", "layer": "B", "macro": "Reload"})"), std::string::npos) << json;
    EXPECT_NE(json.find("\"user_key_maps\""), std::string::npos) << json;

    run = copy.Run({"show", copy.Path("x.json")});
    ASSERT_EQ(run.code, 0u) << run.err;
    // The keyboard keeps which macro a key plays, not the count entered for the key.
    EXPECT_NE(run.out.find("  F2         plays macro \"Greet\"\n"), std::string::npos) << run.out;

    ASSERT_EQ(copy.Run({"write", copy.Path("other.json")}).code, 0u);
    run = copy.Run({"lighting", "--profile", "2", "--brightness", "0", "--rate", "250"});
    ASSERT_EQ(run.code, 0u) << run.err;
    EXPECT_EQ(run.out.rfind("Profile 2: mode 2 (", 0), 0u) << run.out;
    run = copy.Run({"profile", "3", "--json"});
    ASSERT_EQ(run.code, 0u) << run.err;
    EXPECT_EQ(run.out, "{\"active_profile\": 3}\n");
    const auto changed = copy.Memory();
    ASSERT_TRUE(changed);
    for (Area area : kCompared)
        EXPECT_FALSE(Same(*changed, *written, area)) << sim::AreaName(area) << " did not change";

    run = copy.Run({"write", copy.Path("x.json")});
    ASSERT_EQ(run.code, 0u) << run.err;
    const auto restored = copy.Memory();
    ASSERT_TRUE(restored);
    for (Area area : kCompared)
        EXPECT_TRUE(Same(*restored, *written, area)) << sim::AreaName(area) << " is not back";

    // The profile file form of the same keyboard, and back to JSON.
    ASSERT_EQ(copy.Run({"read", copy.Path("x.kvp")}).code, 0u);
    run = copy.Run({"export", copy.Path("x.kvp"), copy.Path("y.json")});
    ASSERT_EQ(run.code, 0u) << run.err;
    EXPECT_NE(copy.ReadText("y.json").find("\"Greet\""), std::string::npos);
}

TEST(Kvcli, KeyboardCommandsRefuseWhileKelvarinRuns) {
    ProgramCopy program(kSimulatedKeyboard);
    const Child running = program.Launch(L"/Start");
    ASSERT_NE(running.process, nullptr);
    ASSERT_TRUE(WaitFor(
        [] {
            HANDLE mutex = OpenMutexW(SYNCHRONIZE, FALSE, L"PL27M03C");
            if (mutex) CloseHandle(mutex);
            return mutex != nullptr;
        },
        60s))
        << "Kelvarin did not start";

    CliCopy copy;
    copy.WriteText("base.json", kConfiguration);
    for (const std::vector<std::string>& args : {std::vector<std::string>{"read", copy.Path("x.json")},
                                                 {"write", copy.Path("base.json")},
                                                 {"profile"},
                                                 {"lighting", "--brightness", "1"}}) {
        const CliRun run = copy.Run(args);
        EXPECT_EQ(run.code, 3u) << args[0] << ": " << run.err;
        EXPECT_NE(run.err.find("Kelvarin is running"), std::string::npos) << args[0] << ": " << run.err;
    }
    EXPECT_FALSE(copy.Exists("x.json"));
    EXPECT_FALSE(copy.Exists("keyboard.state")) << "the keyboard was never opened";

    // Files need no keyboard.
    const CliRun show = copy.Run({"show", copy.Path("base.json")});
    EXPECT_EQ(show.code, 0u) << show.err;
    EXPECT_NE(show.out.find("Profile 1 (active): 3 keys"), std::string::npos) << show.out;
}

}  // namespace
}  // namespace kv::e2e
