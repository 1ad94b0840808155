// The main window's "Export as JSON…" and "Import JSON…": the same working
// set, validation, messages and pending-changes rules as Backup and Restore,
// in the JSON form. The window asks for the path and calls these.
#pragma once

#include <filesystem>
#include <optional>

#include "config_json/config_json.h"
#include "device/commands.h"
#include "model/lighting/lighting_model.h"
#include "model/lighting/lighting_snapshot.h"
#include "model/sync/config_sync.h"
#include "model/sync/sync_host.h"
#include "model/text_source.h"
#include "profiles/atomic_file.h"

namespace kv::config_json {

// Saves the working set as Backup does (under WorkingConfigLock), as JSON,
// with the lighting when given. False, with the old file untouched, when it
// cannot be written.
bool ExportWorkingSetAsJson(model::ConfigSets& sets, const std::filesystem::path& path,
                            const std::optional<model::LightingSnapshot>& lighting = std::nullopt,
                            const profiles::WriteHook& hook = {});

struct JsonExportContext {
    model::ConfigSets& sets;
    model::LightingModel& lighting;
    device::Commands& commands;
    model::LightingView& lighting_view;
};

// "Export as JSON…": the working set and, when the keyboard answers, the
// lighting of all three profiles as it keeps them, so that the file is a
// whole backup. Reading the other profiles' lighting moves the model, so the
// shown profile's lighting is read again and the panel refreshed.
bool ExportConfigurationAsJson(const JsonExportContext& context, const std::filesystem::path& path,
                               const profiles::WriteHook& hook = {});

// Restore's steps for a document (working set, working profile file, all key
// maps and the macro area in one exchange), then its lighting when it carries
// any. False when a keyboard write failed; pending changes are then set.
bool RestoreDocument(model::ConfigSync& sync, model::LightingModel& lighting, const ConfigDocument& document);

struct JsonRestoreContext {
    model::ConfigSync& sync;
    model::LightingModel& lighting;
    model::MessageSink& messages;
    model::LightingView& lighting_view;
    const model::TextSource& texts;
};

// "Import JSON…": a file that is not a valid configuration changes nothing and
// shows "JSON_FORMAT_ERROR" (with the path and the line that says what is
// wrong), then "MAIN_PROMPT_INPORT", as Restore does for profile files; a
// missing or unreadable file shows "MAIN_PROMPT_INPORT" alone. After lighting
// was written, the lighting is read back and the panel refreshed.
bool RestoreFromJson(const JsonRestoreContext& context, const std::filesystem::path& path);

}  // namespace kv::config_json
