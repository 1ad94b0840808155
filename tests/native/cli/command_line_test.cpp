#include "cli/command_line.h"

#include <gtest/gtest.h>

namespace kv::cli {
namespace {

std::vector<std::string> Words(std::initializer_list<const char*> words) {
    return {words.begin(), words.end()};
}

TEST(CommandLine, AcceptsEachCommandWithItsFilesAndOptions) {
    struct Case {
        std::vector<std::string> args;
        Verb verb;
        size_t files;
        bool json;
        std::optional<int> profile;
    };
    const Case cases[] = {
        {Words({"help"}), Verb::kHelp, 0, false, {}},
        {Words({"--help"}), Verb::kHelp, 0, false, {}},
        {Words({"show", "a.kvp"}), Verb::kShow, 1, false, {}},
        {Words({"show", "a.json", "--json"}), Verb::kShow, 1, true, {}},
        {Words({"export", "a.kvp", "b.json"}), Verb::kExport, 2, false, {}},
        {Words({"import", "b.json", "a.kvp"}), Verb::kImport, 2, false, {}},
        {Words({"read", "x.json"}), Verb::kRead, 1, false, {}},
        {Words({"write", "x.kvp"}), Verb::kWrite, 1, false, {}},
        {Words({"profile"}), Verb::kProfile, 0, false, {}},
        {Words({"profile", "3", "--json"}), Verb::kProfile, 0, true, 3},
        {Words({"lighting", "--profile", "2", "--json"}), Verb::kLighting, 0, true, 2},
    };
    for (const Case& c : cases) {
        const ParsedCommandLine parsed = ParseCommandLine(c.args);
        ASSERT_TRUE(parsed.command) << c.args[0] << ": " << parsed.error;
        EXPECT_EQ(parsed.command->verb, c.verb) << c.args[0];
        EXPECT_EQ(parsed.command->files.size(), c.files) << c.args[0];
        EXPECT_EQ(parsed.command->json, c.json) << c.args[0];
        EXPECT_EQ(parsed.command->profile, c.profile) << c.args[0];
    }
}

TEST(CommandLine, LightingOptionsAndTheirRanges) {
    const auto parsed = ParseCommandLine(
        Words({"lighting", "--mode", "5", "--brightness", "0", "--speed", "5", "--rate", "125"}));
    ASSERT_TRUE(parsed.command) << parsed.error;
    EXPECT_EQ(parsed.command->lighting.mode, 5);
    EXPECT_EQ(parsed.command->lighting.brightness, 0);
    EXPECT_EQ(parsed.command->lighting.speed, 5);
    EXPECT_EQ(parsed.command->lighting.rate_hz, 125);
    EXPECT_FALSE(parsed.command->profile);
}

TEST(CommandLine, RefusesWhatItCannotRun) {
    struct Case {
        std::vector<std::string> args;
        const char* error;
    };
    const Case cases[] = {
        {{}, "no command given"},
        {Words({"backup"}), "unknown command \"backup\""},
        {Words({"show"}), "show takes 1 file"},
        {Words({"export", "a.kvp"}), "export takes 2 files"},
        {Words({"read", "a", "b"}), "read takes 1 file"},
        {Words({"profile", "4"}), "the profile number is 1, 2 or 3"},
        {Words({"profile", "1", "2"}), "profile takes at most one profile number"},
        {Words({"lighting", "--brightness", "6"}), "--brightness takes 0 to 5"},
        {Words({"lighting", "--speed"}), "--speed takes 0 to 5"},
        {Words({"lighting", "--rate", "300"}), "--rate takes 1000, 500, 250 or 125 (Hz)"},
        {Words({"lighting", "--mode", "x"}), "--mode takes a mode id from 1 to 255"},
        {Words({"lighting", "--profile", "0"}), "--profile takes 1, 2 or 3"},
        {Words({"export", "a.kvp", "b.json", "--json"}), "unknown option \"--json\" for export"},
        {Words({"write", "--force", "a.kvp"}), "unknown option \"--force\" for write"},
    };
    for (const Case& c : cases) {
        const ParsedCommandLine parsed = ParseCommandLine(c.args);
        EXPECT_FALSE(parsed.command) << c.error;
        EXPECT_EQ(parsed.error, c.error);
    }
}

TEST(CommandLine, OnlyTheKeyboardCommandsNeedTheKeyboard) {
    for (Verb verb : {Verb::kRead, Verb::kWrite, Verb::kProfile, Verb::kLighting})
        EXPECT_TRUE(NeedsKeyboard(verb));
    for (Verb verb : {Verb::kHelp, Verb::kShow, Verb::kExport, Verb::kImport})
        EXPECT_FALSE(NeedsKeyboard(verb));
}

TEST(CommandLine, PathsKeepTheirCharacters) {
    const std::string name = "Sicherung \xC3\xBC\xE5\xAE\x8F.json";  // ü and a CJK character
    EXPECT_EQ(Utf8OfPath(PathOfUtf8(name)), name);
}

}  // namespace
}  // namespace kv::cli
