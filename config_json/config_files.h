// Configuration files on disk: a profile file (".kvp") or a JSON document,
// read whichever it is and written atomically in the form asked for.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "config_json/config_json.h"
#include "profiles/atomic_file.h"
#include "profiles/profile_format.h"

namespace kv::config_json {

enum class ConfigFileKind { kProfile, kJson };

// ".json" or ".kvp", in any case; nullopt for any other extension.
std::optional<ConfigFileKind> KindOfPath(const std::filesystem::path& path);

enum class LoadFailure { kNone, kMissing, kUnreadable, kInvalid };

struct LoadedConfig {
    std::optional<ConfigDocument> document;
    LoadFailure failure = LoadFailure::kNone;
    std::string error;  // one line: why the file is not a configuration
};

// A ".json" file is read as JSON, a ".kvp" file as a profile file, which must
// pass the header checks and load; any other name by its content (JSON starts
// with "{"). Read-only files are fine.
LoadedConfig LoadConfigFile(const std::filesystem::path& path);
// The same for bytes already read; `kind` from the name, when it says.
LoadedConfig ConfigFromBytes(std::string_view bytes, std::optional<ConfigFileKind> kind = std::nullopt);

// A JSON file keeps the lighting; a profile file cannot. The target is
// replaced only once the whole file is written; false with the reason.
bool SaveConfigFile(const std::filesystem::path& path, const ConfigDocument& document, ConfigFileKind kind,
                    std::string* error, const profiles::WriteHook& hook = {});

// Why a profile file's header or contents are refused, in a few words.
std::string ProfileStatusText(profiles::ProfileStatus status);

}  // namespace kv::config_json
