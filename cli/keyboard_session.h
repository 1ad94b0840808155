// What kvcli does with the keyboard, on the program's own engine: the
// read-back that runs when the keyboard appears, Restore, the lighting model.
// One session per run; single-threaded.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/console_host.h"
#include "config_json/config_json.h"
#include "device/commands.h"
#include "model/config_sets.h"
#include "model/lighting/lighting_model.h"
#include "model/sync/config_sync.h"
#include "model/text_source.h"

namespace kv::cli {

class KeyboardSession {
  public:
    KeyboardSession(device::Commands& commands, const model::TextSource& texts);

    // The read-back the program runs when the keyboard appears: default
    // matrix, settings block, key maps and macro area into the working set,
    // the lighting of the active profile. False when the keyboard's
    // configuration could not be read.
    bool ReadBack();
    // After ReadBack: the working set as a profile file and, when asked, every
    // profile's lighting. nullopt when the keyboard does not answer.
    std::optional<config_json::ConfigDocument> Configuration(bool with_lighting);
    // After ReadBack: as Restore writes a file (all key maps and the macro
    // area), then the document's lighting. False when a write failed.
    bool Write(const config_json::ConfigDocument& document);

    device::Commands& Commands() { return commands_; }
    model::LightingModel& Lighting() { return lighting_; }
    // What the engine would have shown in message boxes.
    std::vector<std::u16string> TakeMessages() { return host_.TakeMessages(); }

  private:
    device::Commands& commands_;
    ConsoleHost host_;
    ConsolePanelSwitch panel_;
    model::ConfigSets sets_;
    model::LightingModel lighting_;
    model::ConfigSync sync_;  // last: it uses everything above
};

}  // namespace kv::cli
