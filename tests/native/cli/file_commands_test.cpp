// show, export and import: files only, no keyboard. Hostile JSON is refused
// with one line naming the place, and nothing is written.
#include <gtest/gtest.h>

#include <functional>

#include "cli_rig.h"
#include "config_json/json_value.h"
#include "model/assign/assignment_store.h"
#include "profiles/profile_reader.h"
#include "profiles/profile_writer.h"

namespace kv::cli::test {
namespace {

using config_json::Json;

// A configuration that uses each kind of member once.
Json Base() {
    return Json::parse(R"({
      "format": "kelvarin-configuration", "version": 1,
      "profiles": [
        {"keys": [{"key": "F1", "media": "Volume up"}, {"key": "Esc", "disabled": true}]},
        {"keys": [{"key": "A", "send": "B"}, {"key": "S", "send": "Left Button"},
                  {"key": "D", "macro": "Reload", "repeat": 2}, {"key": "G3", "layer": "B", "macro": "Reload"},
                  {"key": "F2", "function": "Next profile"}, {"key": "F3", "stop_macro": true},
                  {"key": "F4", "program": "C:\\tools\\x.exe"}, {"key": "F5", "text": "hello"}]},
        {"keys": []}],
      "macros": [{"name": "Reload", "id": 1, "actions": [{"press": "R", "delay": 50}, {"release": "R"}]}],
      "keyboard": {"active_profile": 1, "lighting": [{}, {}, {}]}
    })");
}

class FileCommands : public ::testing::Test {
  protected:
    CliRig rig;
};

TEST_F(FileCommands, ImportExportAndShow) {
    rig.WriteText("base.json", Base().dump());
    const Result imported = rig.Run({rig.File("base.json").string(), "x"});  // wrong: no command word
    EXPECT_EQ(imported.code, kExitBadInput);

    Result r = rig.Run({"import", rig.File("base.json").string(), rig.File("a.kvp").string()});
    ASSERT_EQ(r.code, kExitDone) << r.err;
    EXPECT_NE(r.err.find("a profile file keeps no lighting"), std::string::npos) << r.err;
    model::ConfigSet set;
    ASSERT_EQ(profiles::LoadProfileFile(rig.File("a.kvp"), set), profiles::ProfileStatus::kValid);
    const model::KeyAssignment g3b =
        model::ReadAssignment(*set.block, 1, model::GKeyIndex(model::GLayer::kB, 3));
    EXPECT_EQ(g3b.kind, model::kKindMacro);
    EXPECT_EQ(g3b.value, 1u);
    EXPECT_EQ(g3b.g_id, 0x1303);                                      // no repeat given: the G id stays
    EXPECT_EQ(model::ReadAssignment(*set.block, 1, 0x20).g_id, 2);    // "repeat": 2
    EXPECT_EQ(model::ReadAssignment(*set.block, 0, 0x3B).value, 6u);  // volume up is media number 6
    EXPECT_EQ(set.strings.Text(model::EntryNumber(1, 0x3E)), u"C:\\tools\\x.exe");
    ASSERT_EQ(set.macros.Count(), 1);
    EXPECT_EQ(set.macros.Records()[0].actions[0].delay_ms, 50u);

    r = rig.Run({"export", rig.File("a.kvp").string(), rig.File("b.json").string()});
    ASSERT_EQ(r.code, kExitDone) << r.err;
    const std::string exported = rig.ReadText("b.json");
    EXPECT_NE(exported.find(R"({"key": "G3", "layer": "B", "macro": "Reload"})"), std::string::npos)
        << exported;
    EXPECT_NE(exported.find(R"({"key": "F1", "media": "Volume up"})"), std::string::npos) << exported;
    EXPECT_NE(exported.find(R"({"press": "R", "delay": 50})"), std::string::npos) << exported;

    r = rig.Run({"import", rig.File("b.json").string(), rig.File("c.kvp").string()});
    ASSERT_EQ(r.code, kExitDone) << r.err;
    EXPECT_EQ(rig.ReadBytes("c.kvp"), rig.ReadBytes("a.kvp"));

    r = rig.Run({"show", rig.File("a.kvp").string()});
    ASSERT_EQ(r.code, kExitDone) << r.err;
    for (const char* line :
         {"Profile 1: 2 keys\n", "  F1   multimedia: Volume up\n", "  Esc  does nothing\n",
          "  G3 (layer B)  plays macro \"Reload\"\n", "  D             plays macro \"Reload\", repeat 2\n",
          "  S             sends Left Button\n", "Profile 3: no keys assigned\n",
          "  1. \"Reload\" (id 1), play count 1, once, 2 actions\n", "       press R, then 50 ms\n",
          "       release R\n"}) {
        EXPECT_NE(r.out.find(line), std::string::npos) << line << "\nin:\n" << r.out;
    }
    r = rig.Run({"show", rig.File("base.json").string(), "--json"});
    ASSERT_EQ(r.code, kExitDone) << r.err;
    EXPECT_NE(r.out.find("\"active_profile\": 1"), std::string::npos) << r.out;
}

TEST_F(FileCommands, OutputNamesThatSayTheOtherFormAreRefused) {
    rig.WriteText("base.json", Base().dump());
    Result r = rig.Run({"import", rig.File("base.json").string(), rig.File("out.json").string()});
    EXPECT_EQ(r.code, kExitBadInput);
    EXPECT_EQ(r.err, "kvcli: " + rig.File("out.json").string() +
                         ": this command writes a profile file; name it .kvp\n");
    r = rig.Run({"export", rig.File("base.json").string(), rig.File("out.kvp").string()});
    EXPECT_EQ(r.code, kExitBadInput);
    EXPECT_EQ(rig.Files(), std::vector<std::string>{"base.json"});
}

TEST_F(FileCommands, MissingAndBrokenProfileFilesAreBadInput) {
    Result r = rig.Run({"show", rig.File("none.kvp").string()});
    EXPECT_EQ(r.code, kExitBadInput);
    EXPECT_EQ(r.err, "kvcli: " + rig.File("none.kvp").string() + ": the file does not exist\n");

    ASSERT_TRUE(profiles::WriteDefaultProfileFile(rig.File("d.kvp"), 0));
    std::vector<uint8_t> bytes = rig.ReadBytes("d.kvp");
    bytes[20] ^= 1;  // the checksum no longer fits
    rig.WriteText("d.kvp", std::string(bytes.begin(), bytes.end()));
    r = rig.Run({"export", rig.File("d.kvp").string(), rig.File("d.json").string()});
    EXPECT_EQ(r.code, kExitBadInput);
    EXPECT_EQ(r.err, "kvcli: " + rig.File("d.kvp").string() + ": bad header checksum\n");
    EXPECT_FALSE(std::filesystem::exists(rig.File("d.json")));
}

TEST_F(FileCommands, AnOutputThatCannotBeWrittenIsAWriteFailure) {
    rig.WriteText("base.json", Base().dump());
    const Result r =
        rig.Run({"import", rig.File("base.json").string(), rig.File("no/such/folder/a.kvp").string()});
    EXPECT_EQ(r.code, kExitWriteFailed);
    EXPECT_NE(r.err.find("the file cannot be written"), std::string::npos) << r.err;
}

struct Hostile {
    const char* what;
    std::function<void(Json&)> change;  // applied to Base()
    std::string expected;               // the error line
};

// Each case on its own text where it cannot be made from Base().
struct HostileText {
    const char* what;
    std::string text;
    std::string expected;
};

TEST_F(FileCommands, HostileJsonGetsItsErrorLineAndWritesNothing) {
    const auto key = [](Json& j, int p, int k) -> Json& { return j["profiles"][p]["keys"][k]; };
    const auto action = [](Json& j) -> Json& { return j["macros"][0]["actions"][0]; };
    const std::string long_name(250, 'n');
    const Hostile cases[] = {
        {"unknown key name", [&](Json& j) { key(j, 1, 7)["key"] = "F13"; },
         R"(profiles[1].keys[7]: unknown key name "F13")"},
        {"key listed twice", [&](Json& j) { key(j, 1, 1)["key"] = "a"; },
         "profiles[1].keys[1]: this key is already listed at keys[0]"},
        {"wrong type", [&](Json& j) { key(j, 1, 0)["send"] = 5; },
         "profiles[1].keys[0].send: must be a string"},
        {"unknown member", [&](Json& j) { key(j, 1, 0)["sned"] = "B"; },
         R"(profiles[1].keys[0]: unknown member "sned")"},
        {"two actions", [&](Json& j) { key(j, 1, 0)["media"] = "Mute"; },
         R"(profiles[1].keys[0]: give one of "send" and "media", not both)"},
        {"unknown multimedia word", [&](Json& j) { key(j, 0, 0)["media"] = "Volume max"; },
         R"(profiles[0].keys[0].media: unknown multimedia function "Volume max")"},
        {"unknown function word", [&](Json& j) { key(j, 1, 4)["function"] = "Turbo"; },
         R"(profiles[1].keys[4].function: unknown keyboard function "Turbo")"},
        {"unknown macro", [&](Json& j) { key(j, 1, 2)["macro"] = "Relaod"; },
         R"(profiles[1].keys[2].macro: no macro is named "Relaod")"},
        {"two macros with the name",
         [&](Json& j) {
             j["macros"].push_back(j["macros"][0]);
             j["macros"][1]["id"] = 2;
         },
         R"(profiles[1].keys[2].macro: 2 macros are named "Reload"; use "macro_id")"},
        {"repeat out of range", [&](Json& j) { key(j, 1, 2)["repeat"] = 0; },
         "profiles[1].keys[2].repeat: must be a whole number from 1 to 255, not 0"},
        {"repeat without a macro", [&](Json& j) { key(j, 0, 0)["repeat"] = 2; },
         "profiles[0].keys[0].repeat: only goes with a macro"},
        {"layer on a plain key", [&](Json& j) { key(j, 1, 0)["layer"] = "B"; },
         "profiles[1].keys[0].layer: only goes with G1 to G9"},
        {"unknown layer", [&](Json& j) { key(j, 1, 3)["layer"] = "C"; },
         R"(profiles[1].keys[3].layer: must be "A" or "B")"},
        {"false where only true means something", [&](Json& j) { key(j, 0, 1)["disabled"] = false; },
         "profiles[0].keys[1].disabled: must be true (leave the member out otherwise)"},
        {"raw kind of a string entry",
         [&](Json& j) {
             key(j, 1, 0).erase("send");
             key(j, 1, 0)["kind"] = 3;
         },
         R"(profiles[1].keys[0].kind: kinds 3 and 6 are written as "program" and "text")"},
        {"two profiles", [&](Json& j) { j["profiles"].erase(2); },
         "profiles: must hold the three profiles (and may hold the fourth, unused block)"},
        {"too many profiles",
         [&](Json& j) {
             for (int i = 0; i < 2; ++i) j["profiles"].push_back(Json{{"keys", Json::array()}});
         },
         "profiles: at most 4 profiles, not 5"},
        {"too many macros",
         [&](Json& j) {
             for (int i = 0; i < 100; ++i) j["macros"].push_back(Json{{"name", "m" + std::to_string(i)}});
         },
         "macros: at most 100 macros, not 101"},
        {"too many actions",
         [&](Json& j) {
             for (int i = 0; i < 1999; ++i) j["macros"][0]["actions"].push_back(Json{{"press", "A"}});
         },
         "macros[0].actions: at most 2000 actions, not 2001"},
        {"negative delay", [&](Json& j) { action(j)["delay"] = -1; },
         "macros[0].actions[0].delay: must be a whole number from 0 to 4294967295, not -1"},
        {"delay past 32 bits", [&](Json& j) { action(j)["delay"] = 4294967296ull; },
         "macros[0].actions[0].delay: must be a whole number from 0 to 4294967295, not 4294967296"},
        {"fractional delay", [&](Json& j) { action(j)["delay"] = 1.5; },
         "macros[0].actions[0].delay: must be a whole number from 0 to 4294967295, not 1.5"},
        {"delay as text", [&](Json& j) { action(j)["delay"] = "50"; },
         "macros[0].actions[0].delay: must be a whole number from 0 to 4294967295"},
        {"press and release at once", [&](Json& j) { action(j)["release"] = "R"; },
         R"(macros[0].actions[0]: give exactly one of "press", "release" and "key")"},
        {"unknown key in an action", [&](Json& j) { action(j)["press"] = "Hyper"; },
         R"(macros[0].actions[0].press: unknown key name "Hyper")"},
        {"name too long",
         [&](Json& j) {
             j["macros"][0]["name"] = long_name;
             key(j, 1, 2)["macro"] = long_name;
             key(j, 1, 3)["macro"] = long_name;
         },
         "macros[0].name: is 250 UTF-16 units long; at most 249 fit"},
        {"NUL in a name", [&](Json& j) { j["macros"][0]["name"] = std::string("Re\0load", 7); },
         "macros[0].name: must not contain a NUL character"},
        {"patch past the record",
         [&](Json& j) {
             j["macros"][0]["raw"] = Json::array({Json{{"offset", 16511}, {"hex", "0102"}}});
         },
         "macros[0].raw[0].hex: runs past the record's 16512 bytes"},
        {"patch that breaks the action count",
         [&](Json& j) {
             j["macros"][0]["raw"] = Json::array({Json{{"offset", 508}, {"hex", "D107"}}});
         },
         "macros[0].raw: makes the action count 2001; at most 2000 fit"},
        {"short descriptor",
         [&](Json& j) {
             j["raw"] = Json{{"descriptor", "00"}};
         },
         "raw.descriptor: must be 32 bytes"},
        {"string area too small",
         [&](Json& j) {
             j["raw"] = Json{{"string_area_size", 4}};
         },
         "raw.string_area_size: is smaller than the 42 bytes the texts take"},
        {"profile number out of range", [&](Json& j) { j["keyboard"]["active_profile"] = 4; },
         "keyboard.active_profile: must be a whole number from 1 to 3, not 4"},
        {"brightness past a byte", [&](Json& j) { j["keyboard"]["lighting"][0]["brightness"] = 300; },
         "keyboard.lighting[0].brightness: must be a whole number from 0 to 255, not 300"},
        {"unknown report rate", [&](Json& j) { j["keyboard"]["lighting"][1]["report_rate"] = 300; },
         "keyboard.lighting[1].report_rate: must be 1000, 500, 250 or 125 (Hz)"},
        {"colour in words", [&](Json& j) { j["keyboard"]["lighting"][2]["base_colour"] = "red"; },
         R"(keyboard.lighting[2].base_colour: must be a colour written "#RRGGBB")"},
        {"matrix index off the map",
         [&](Json& j) {
             for (auto& p : j["keyboard"]["lighting"])
                 p["user_key_maps"] = Json::array({{168}, {}, {}, {}, {}, {}, {}, {}, {}, {}});
         },
         "keyboard.lighting[0].user_key_maps[0][0]: must be a whole number from 0 to 167, not 168"},
        {"lighting of two profiles", [&](Json& j) { j["keyboard"]["lighting"].erase(0); },
         "keyboard.lighting: must hold the three profiles"},
        {"wrong format version", [&](Json& j) { j["version"] = 2; },
         "version: unsupported format version 2 (this program reads version 1)"},
        {"version as text", [&](Json& j) { j["version"] = "1"; },
         R"(version: unsupported format version "1" (this program reads version 1))"},
        {"another format", [&](Json& j) { j["format"] = "keyboard-backup"; },
         R"(format: must be "kelvarin-configuration")"},
        {"no format", [&](Json& j) { j.erase("format"); }, R"(missing member "format")"},
        {"unknown top member", [&](Json& j) { j["profile"] = 1; }, R"(unknown member "profile")"},
    };
    const std::string base = Base().dump();
    const HostileText texts[] = {
        {"truncated file", base.substr(0, base.find("\"macros\"")), ""},
        {"not JSON", "hello",
         "line 1, column 1: syntax error while parsing value - invalid literal; last read: 'h'"},
        {"empty file", "",
         "line 1, column 1: syntax error while parsing value - unexpected end of input; expected '[', '{', "
         "or a literal"},
        {"a list, not an object", "[1, 2]", "the document must be a JSON object"},
        {"a member given twice",
         R"({"format": "kelvarin-configuration", "version": 1, "profiles": [{"keys": [{"key": "A", "key": "B"}]}, {}, {}]})",
         R"(profiles[0].keys[0]: duplicate member "key")"},
        {"utf16 text with an odd byte",
         R"({"format": "kelvarin-configuration", "version": 1, "profiles": [{}, {}, {}], "macros": [{"name": {"utf16": "410"}}]})",
         "macros[0].name.utf16: must be UTF-16LE bytes in hexadecimal, two bytes per unit"},
    };

    const std::string sentinel = "the old profile file\n";
    const auto check = [&](const std::string& what, const std::string& text, const std::string& expected) {
        rig.WriteText("out.kvp", sentinel);
        rig.WriteText("bad.json", text);
        const Result r = rig.Run({"import", rig.File("bad.json").string(), rig.File("out.kvp").string()});
        EXPECT_EQ(r.code, kExitBadInput) << what;
        const std::string prefix = "kvcli: " + rig.File("bad.json").string() + ": ";
        if (expected.empty()) {
            EXPECT_EQ(r.err.rfind(prefix + "line 1, column ", 0), 0u) << what << ": " << r.err;
            EXPECT_NE(r.err.find("unexpected end of input"), std::string::npos) << what << ": " << r.err;
        } else {
            EXPECT_EQ(r.err, prefix + expected + "\n") << what;
        }
        EXPECT_EQ(rig.ReadText("out.kvp"), sentinel) << what << ": the old file was touched";
        EXPECT_EQ(rig.Files().size(), 2u) << what << ": something else was written";
    };
    for (const Hostile& c : cases) {
        Json j = Base();
        c.change(j);
        check(c.what, j.dump(), c.expected);
    }
    for (const HostileText& c : texts) check(c.what, c.text, c.expected);

    // The untouched base imports, so every refusal above is the change's doing.
    rig.WriteText("good.json", base);
    EXPECT_EQ(rig.Run({"import", rig.File("good.json").string(), rig.File("good.kvp").string()}).code,
              kExitDone);
}

}  // namespace
}  // namespace kv::cli::test
