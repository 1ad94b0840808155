#include "cli/cli_run.h"

#include <algorithm>
#include <memory>
#include <optional>

#include "cli/command_line.h"
#include "cli/keyboard_session.h"
#include "config_json/config_files.h"
#include "config_json/config_text.h"
#include "config_json/json_printer.h"
#include "config_json/lighting_json.h"
#include "config_json/utf8_text.h"
#include "model/lighting/light_modes.h"

namespace kv::cli {

namespace {

using config_json::ConfigDocument;
using config_json::ConfigFileKind;

struct Io {
    KeyboardAccess& keyboard;
    const model::TextSource& texts;
    std::ostream& out;
    std::ostream& err;

    int Fail(int code, const std::string& message) const {
        err << "kvcli: " << message << "\n";
        return code;
    }
};

std::string Name(const std::filesystem::path& path) { return Utf8OfPath(path); }

std::optional<ConfigDocument> Load(const Io& io, const std::filesystem::path& path) {
    config_json::LoadedConfig loaded = config_json::LoadConfigFile(path);
    if (!loaded.document) io.Fail(kExitBadInput, Name(path) + ": " + loaded.error);
    return std::move(loaded.document);
}

int Save(const Io& io, const std::filesystem::path& path, const ConfigDocument& document,
         ConfigFileKind kind) {
    std::string error;
    if (!config_json::SaveConfigFile(path, document, kind, &error))
        return io.Fail(kExitWriteFailed, Name(path) + ": " + error);
    return kExitDone;
}

// The output of export is JSON and that of import a profile file, whatever
// the name; a name that says the other would be overwritten by surprise.
int CheckOutputName(const Io& io, const std::filesystem::path& path, ConfigFileKind kind) {
    const auto named = config_json::KindOfPath(path);
    if (named && *named != kind) {
        return io.Fail(kExitBadInput, Name(path) + ": this command writes " +
                                          (kind == ConfigFileKind::kJson ? "JSON; name it .json"
                                                                         : "a profile file; name it .kvp"));
    }
    return kExitDone;
}

void PrintMessages(const Io& io, KeyboardSession& session) {
    for (const std::u16string& message : session.TakeMessages())
        io.err << "kvcli: " << config_json::Utf8ForDisplay(message) << "\n";
}

int Show(const Io& io, const CliCommand& command) {
    const auto document = Load(io, command.files[0]);
    if (!document) return kExitBadInput;
    if (!command.json) {
        io.out << config_json::DescribeConfiguration(*document, &io.texts);
        return kExitDone;
    }
    std::string error;
    const auto text = config_json::WriteConfigJson(*document, &error);
    if (!text) return io.Fail(kExitBadInput, Name(command.files[0]) + ": " + error);
    io.out << *text;
    return kExitDone;
}

int Convert(const Io& io, const CliCommand& command, ConfigFileKind kind) {
    if (const int bad = CheckOutputName(io, command.files[1], kind)) return bad;
    const auto document = Load(io, command.files[0]);
    if (!document) return kExitBadInput;
    if (kind == ConfigFileKind::kProfile && document->keyboard)
        io.err << "kvcli: note: a profile file keeps no lighting; the lighting in " << Name(command.files[0])
               << " is left out\n";
    return Save(io, command.files[1], *document, kind);
}

// Opens the keyboard and runs the read-back, as the program does when it appears.
struct OpenedKeyboard {
    std::unique_ptr<KeyboardSession> session;
    int exit_code = kExitDone;
};

OpenedKeyboard Open(const Io& io, bool read_back) {
    OpenedKeyboard opened;
    std::string message;
    device::Commands* commands = io.keyboard.Open(&opened.exit_code, &message);
    if (!commands) {
        io.Fail(opened.exit_code, message);
        return opened;
    }
    opened.session = std::make_unique<KeyboardSession>(*commands, io.texts);
    if (read_back && !opened.session->ReadBack()) {
        PrintMessages(io, *opened.session);
        opened.exit_code = io.Fail(kExitNoKeyboard, "the keyboard's configuration could not be read");
        opened.session.reset();
    }
    return opened;
}

int Read(const Io& io, const CliCommand& command) {
    const auto kind = config_json::KindOfPath(command.files[0]);
    if (!kind) return io.Fail(kExitBadInput, Name(command.files[0]) + ": name it .kvp or .json");
    OpenedKeyboard opened = Open(io, true);
    if (!opened.session) return opened.exit_code;
    const auto document = opened.session->Configuration(*kind == ConfigFileKind::kJson);
    PrintMessages(io, *opened.session);
    if (!document) return io.Fail(kExitNoKeyboard, "the keyboard's lighting could not be read");
    if (const int failed = Save(io, command.files[0], *document, *kind)) return failed;
    io.err << "kvcli: the keyboard's configuration is in " << Name(command.files[0]) << "\n";
    return kExitDone;
}

int Write(const Io& io, const CliCommand& command) {
    const auto document = Load(io, command.files[0]);
    if (!document) return kExitBadInput;
    OpenedKeyboard opened = Open(io, true);
    if (!opened.session) return opened.exit_code;
    const bool written = opened.session->Write(*document);
    PrintMessages(io, *opened.session);
    if (!written) return io.Fail(kExitWriteFailed, "the keyboard could not be written");
    io.err << "kvcli: " << Name(command.files[0]) << " is on the keyboard (key maps and macros"
           << (document->keyboard ? ", lighting)" : ")") << "\n";
    return kExitDone;
}

int Profile(const Io& io, const CliCommand& command) {
    OpenedKeyboard opened = Open(io, false);
    if (!opened.session) return opened.exit_code;
    device::Commands& commands = opened.session->Commands();
    if (command.profile) {
        commands.SetActiveProfile(*command.profile - 1);
        if (commands.CachedActiveProfile() != *command.profile - 1)
            return io.Fail(kExitWriteFailed, "the keyboard did not switch profiles");
    }
    commands.ResetActiveProfileCache();
    const int active = commands.GetActiveProfile();
    if (active < 0) return io.Fail(kExitNoKeyboard, "the keyboard does not say which profile is active");
    if (command.json) {
        io.out << config_json::PrintJson(config_json::Json{{"active_profile", active + 1}});
    } else {
        io.out << "Active profile: " << active + 1 << "\n";
    }
    return kExitDone;
}

std::string ModeList(const model::ModeList& modes, const model::TextSource& texts) {
    std::string list;
    for (uint8_t id : modes) {
        if (id == 0) continue;
        if (!list.empty()) list += ", ";
        list += std::to_string(id);
        const std::u16string name = model::ModeName(texts, id);
        if (!name.empty() && name != model::kMissingText)
            list += " (" + config_json::Utf8ForDisplay(name) + ")";
    }
    return list;
}

int Lighting(const Io& io, const CliCommand& command) {
    OpenedKeyboard opened = Open(io, false);
    if (!opened.session) return opened.exit_code;
    model::LightingModel& lighting = opened.session->Lighting();
    const int profile =
        command.profile ? *command.profile - 1 : opened.session->Commands().GetActiveProfile();
    if (profile < 0) return io.Fail(kExitNoKeyboard, "the keyboard does not say which profile is active");
    lighting.SetCurrentProfile(profile);
    if (lighting.ReadLighting() != 0)
        return io.Fail(kExitNoKeyboard, "the keyboard's lighting could not be read");

    const LightingChange& change = command.lighting;
    if (change.mode && (!model::ModeListHas(lighting.Modes(), static_cast<uint8_t>(*change.mode)) ||
                        !model::IsHandledMode(*change.mode))) {
        return io.Fail(kExitBadInput, "this keyboard has no mode " + std::to_string(*change.mode) +
                                          "; it offers " + ModeList(lighting.Modes(), io.texts));
    }
    // One exchange per field, as the lighting panel sends them.
    const auto write = [&lighting](uint8_t offset, int value) {
        const auto byte = static_cast<uint8_t>(value);
        return lighting.WriteLightingBytes(offset, std::span(&byte, 1)) == device::kOk;
    };
    bool written = true;
    if (change.mode) written &= write(model::kLightMode, *change.mode);
    if (change.brightness) written &= write(model::kLightBrightness, *change.brightness);
    if (change.speed) written &= write(model::kLightSpeed, *change.speed);
    if (change.rate_hz) {
        const auto* rates = std::begin(config_json::kReportRatesHz);
        const auto index = std::find(rates, std::end(config_json::kReportRatesHz), *change.rate_hz) - rates;
        written &= write(model::kLightReportRate, static_cast<int>(index));
    }
    if (!written) return io.Fail(kExitWriteFailed, "the keyboard did not take the lighting change");
    if (change.Any() && lighting.ReadLightingRecords() != 0)
        return io.Fail(kExitNoKeyboard, "the keyboard's lighting could not be read back");

    const auto record = lighting.Record(profile);
    if (command.json) {
        config_json::Json out = config_json::Json::object();
        out["profile"] = profile + 1;
        const config_json::Json fields = config_json::LightingRecordToJson(record);
        for (const auto& [key, value] : fields.items()) out[key] = value;
        config_json::Json modes = config_json::Json::array();
        for (uint8_t id : lighting.Modes()) {
            if (id != 0) modes.push_back(id);
        }
        out["modes"] = std::move(modes);
        io.out << config_json::PrintJson(out);
    } else {
        io.out << "Profile " << profile + 1 << ": " << config_json::DescribeLighting(record, &io.texts)
               << "\n";
        io.out << "Modes: " << ModeList(lighting.Modes(), io.texts) << "\n";
    }
    return kExitDone;
}

}  // namespace

int RunCli(std::span<const std::string> args, KeyboardAccess& keyboard, const model::TextSource& texts,
           std::ostream& out, std::ostream& err) {
    const Io io{keyboard, texts, out, err};
    const ParsedCommandLine parsed = ParseCommandLine(args);
    if (!parsed.command) return io.Fail(kExitBadInput, parsed.error + " (kvcli help lists the commands)");
    const CliCommand& command = *parsed.command;
    try {
        switch (command.verb) {
            case Verb::kHelp:
                out << UsageText();
                return kExitDone;
            case Verb::kShow:
                return Show(io, command);
            case Verb::kExport:
                return Convert(io, command, ConfigFileKind::kJson);
            case Verb::kImport:
                return Convert(io, command, ConfigFileKind::kProfile);
            case Verb::kRead:
                return Read(io, command);
            case Verb::kWrite:
                return Write(io, command);
            case Verb::kProfile:
                return Profile(io, command);
            case Verb::kLighting:
                return Lighting(io, command);
        }
    } catch (const std::bad_alloc&) {
        return io.Fail(kExitWriteFailed, "out of memory");
    }
    return kExitBadInput;
}

}  // namespace kv::cli
