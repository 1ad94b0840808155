#include "cli/command_line.h"

#include <array>

#include "device/parse_number.h"

namespace kv::cli {

namespace {

struct VerbWord {
    std::string_view word;
    Verb verb;
    size_t files;  // how many file arguments
};

constexpr std::array<VerbWord, 8> kVerbs = {{
    {"help", Verb::kHelp, 0},
    {"show", Verb::kShow, 1},
    {"export", Verb::kExport, 2},
    {"import", Verb::kImport, 2},
    {"read", Verb::kRead, 1},
    {"write", Verb::kWrite, 1},
    {"profile", Verb::kProfile, 0},
    {"lighting", Verb::kLighting, 0},
}};

ParsedCommandLine Refuse(std::string why) { return ParsedCommandLine{std::nullopt, std::move(why)}; }

std::optional<int> Number(const std::string& text, uint32_t min, uint32_t max) {
    uint32_t value = 0;
    if (!ParseNumber(text, &value) || value < min || value > max) return std::nullopt;
    return static_cast<int>(value);
}

}  // namespace

std::filesystem::path PathOfUtf8(const std::string& text) {
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

std::string Utf8OfPath(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

bool NeedsKeyboard(Verb verb) {
    return verb == Verb::kRead || verb == Verb::kWrite || verb == Verb::kProfile || verb == Verb::kLighting;
}

ParsedCommandLine ParseCommandLine(std::span<const std::string> args) {
    if (args.empty()) return Refuse("no command given");
    CliCommand command;
    const VerbWord* verb = nullptr;
    for (const VerbWord& v : kVerbs) {
        if (args[0] == v.word) verb = &v;
    }
    if (args[0] == "-h" || args[0] == "--help" || args[0] == "/?") verb = &kVerbs[0];
    if (!verb) return Refuse("unknown command \"" + args[0] + "\"");
    command.verb = verb->verb;

    std::vector<std::string> words;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        // The option's value, the next argument.
        const auto value = [&](uint32_t min, uint32_t max) -> std::optional<int> {
            if (i + 1 >= args.size()) return std::nullopt;
            return Number(args[++i], min, max);
        };
        if (arg == "--json" && (command.verb == Verb::kShow || command.verb == Verb::kProfile ||
                                command.verb == Verb::kLighting)) {
            command.json = true;
        } else if (command.verb == Verb::kLighting && arg == "--profile") {
            if (!(command.profile = value(1, 3))) return Refuse("--profile takes 1, 2 or 3");
        } else if (command.verb == Verb::kLighting && arg == "--mode") {
            if (!(command.lighting.mode = value(1, 255)))
                return Refuse("--mode takes a mode id from 1 to 255");
        } else if (command.verb == Verb::kLighting && arg == "--brightness") {
            if (!(command.lighting.brightness = value(0, 5))) return Refuse("--brightness takes 0 to 5");
        } else if (command.verb == Verb::kLighting && arg == "--speed") {
            if (!(command.lighting.speed = value(0, 5))) return Refuse("--speed takes 0 to 5");
        } else if (command.verb == Verb::kLighting && arg == "--rate") {
            auto hz = value(1, 1000);
            if (!hz || (*hz != 1000 && *hz != 500 && *hz != 250 && *hz != 125))
                return Refuse("--rate takes 1000, 500, 250 or 125 (Hz)");
            command.lighting.rate_hz = hz;
        } else if (arg.size() > 1 && arg[0] == '-') {
            return Refuse("unknown option \"" + arg + "\" for " + std::string(verb->word));
        } else {
            words.push_back(arg);
        }
    }

    if (command.verb == Verb::kProfile) {
        if (words.size() > 1) return Refuse("profile takes at most one profile number");
        if (words.size() == 1 && !(command.profile = Number(words[0], 1, 3)))
            return Refuse("the profile number is 1, 2 or 3");
        return ParsedCommandLine{command, {}};
    }
    if (words.size() != verb->files) {
        return Refuse(std::string(verb->word) + " takes " + std::to_string(verb->files) +
                      (verb->files == 1 ? " file" : " files"));
    }
    for (const std::string& word : words) command.files.push_back(PathOfUtf8(word));
    return ParsedCommandLine{command, {}};
}

std::string UsageText() {
    return "usage: kvcli COMMAND [ARGUMENTS]\n"
           "\n"
           "Files (a profile file .kvp or a configuration .json):\n"
           "  kvcli show FILE [--json]        the configuration in words (or as JSON)\n"
           "  kvcli export FILE.kvp OUT.json  a profile file as JSON\n"
           "  kvcli import IN.json OUT.kvp    JSON as a profile file\n"
           "\n"
           "The keyboard (not while Kelvarin runs):\n"
           "  kvcli read OUT                  the keyboard's configuration into OUT (.kvp or .json;\n"
           "                                  JSON also holds the lighting)\n"
           "  kvcli write IN                  IN to the keyboard, as Kelvarin's Restore does, and the\n"
           "                                  lighting when IN carries it\n"
           "  kvcli profile [N] [--json]      show the active profile, or switch to profile N (1-3)\n"
           "  kvcli lighting [--profile N] [--mode ID] [--brightness 0-5] [--speed 0-5]\n"
           "                 [--rate 1000|500|250|125] [--json]\n"
           "                                  show or change a profile's lighting (default: the\n"
           "                                  active profile)\n"
           "\n"
           "Exit codes: 0 done, 1 bad input, 2 keyboard not found, 3 keyboard busy (Kelvarin is\n"
           "running), 4 write failed.\n";
}

}  // namespace kv::cli
