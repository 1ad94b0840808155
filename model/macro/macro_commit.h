// Editors' macro lists: new records, and committing a list into the working
// set together with the key assignments that refer to its macros.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "model/config_sets.h"
#include "model/macro/macro_record.h"

namespace kv::model {

// The lowest id in 1..100 that no record of the list uses; 0 when all are taken.
uint16_t NewMacroId(std::span<const MacroRecord> list);

// A fresh record for an editor's list: the name (cut to what the field holds),
// play count 1, new flag set, play mode 0, no actions, the id NewMacroId gives.
void InitNewMacro(MacroRecord& record, std::u16string_view name, std::span<const MacroRecord> list);

struct MacroCommitResult {
    bool committed = false;
    // Entry numbers (profile * 512 + key index) whose macro assignment was
    // reset to the default; their buttons show the default function again.
    std::vector<int> reset_entries;
    // Some assignment changed (reset, or an id-0 macro key given the first macro).
    bool assignments_changed = false;
};

// Replaces the working macro list with the editor's records in list order and
// reconciles the working assignments: a macro key whose macro is gone, or whose
// id now belongs to a new record, returns to its default; a macro key with id 0
// gets the first macro. The new flag is cleared in the editor's records too.
// Nothing changes when memory is short or the list has more than 100 records.
// Takes WorkingConfigLock. The caller marks the configuration as changed on success.
MacroCommitResult CommitMacroList(ConfigSets& sets, std::span<MacroRecord> editor_list);

}  // namespace kv::model
