// kvcli's command line: one command word, its files and options.
#pragma once

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace kv::cli {

enum class Verb { kHelp, kShow, kExport, kImport, kRead, kWrite, kProfile, kLighting };

struct LightingChange {
    std::optional<int> mode;
    std::optional<int> brightness;
    std::optional<int> speed;
    std::optional<int> rate_hz;

    bool Any() const { return mode || brightness || speed || rate_hz; }
};

struct CliCommand {
    Verb verb = Verb::kHelp;
    std::vector<std::filesystem::path> files;
    bool json = false;           // --json
    std::optional<int> profile;  // 1..3: "profile N", "lighting --profile N"
    LightingChange lighting;
};

struct ParsedCommandLine {
    std::optional<CliCommand> command;
    std::string error;  // when there is no command
};

// The arguments after the program name, in UTF-8.
ParsedCommandLine ParseCommandLine(std::span<const std::string> args);

bool NeedsKeyboard(Verb verb);

std::string UsageText();

// A path from UTF-8 text (file names with any characters on Windows too).
std::filesystem::path PathOfUtf8(const std::string& text);
std::string Utf8OfPath(const std::filesystem::path& path);

}  // namespace kv::cli
