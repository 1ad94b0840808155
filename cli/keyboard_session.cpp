#include "cli/keyboard_session.h"

#include <mutex>

#include "config_json/json_backup.h"
#include "model/lighting/lighting_snapshot.h"
#include "profiles/profile_writer.h"

namespace kv::cli {

KeyboardSession::KeyboardSession(device::Commands& commands, const model::TextSource& texts)
    : commands_(commands),
      lighting_(commands, panel_),
      sync_(model::SyncContext{commands, sets_, lighting_, host_.Roles(), texts}) {}

bool KeyboardSession::ReadBack() {
    // A console run starts with no keyboard seen, so one keyboard is a change.
    sync_.ReadBackRun(1);
    return sync_.State().ReadBackLoaded();
}

std::optional<config_json::ConfigDocument> KeyboardSession::Configuration(bool with_lighting) {
    config_json::ConfigDocument document;
    {
        std::lock_guard lock(sets_.WorkingConfigLock());
        if (!profiles::ProfileImageBytes(sets_.Working(), document.profile_file)) return std::nullopt;
    }
    if (with_lighting) {
        document.keyboard = model::ReadLightingSnapshot(lighting_, commands_);
        if (!document.keyboard) return std::nullopt;
    }
    return document;
}

bool KeyboardSession::Write(const config_json::ConfigDocument& document) {
    return config_json::RestoreDocument(sync_, lighting_, document);
}

}  // namespace kv::cli
