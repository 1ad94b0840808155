// The configuration document: a profile file's whole content (key maps of
// every profile, macros, strings) and, when it was read from the keyboard, the
// lighting, as one JSON text. docs/configuration-json.md describes the format.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config_json/json_input.h"
#include "model/lighting/lighting_snapshot.h"

namespace kv::config_json {

inline constexpr std::string_view kFormatName = "kelvarin-configuration";
inline constexpr uint64_t kFormatVersion = 1;
// Far beyond any real configuration (100 macros of 2000 actions are ~10 MB).
inline constexpr size_t kMaxJsonBytes = 256u << 20;

struct ConfigDocument {
    std::vector<uint8_t> profile_file;  // passes the header checks and loads
    std::optional<model::LightingSnapshot> keyboard;
};

struct JsonReadResult {
    std::optional<ConfigDocument> document;
    JsonFault fault;  // when there is no document
};

// Never throws. Syntax errors name their line and column; every other fault
// names its place in the document.
JsonReadResult ReadConfigJson(std::string_view text);

// The document as JSON text; nullopt, with the reason in *error, when its
// profile file is not a valid one.
std::optional<std::string> WriteConfigJson(const ConfigDocument& document, std::string* error = nullptr);

}  // namespace kv::config_json
