// The working set, which the editors change, and the applied set, the snapshot
// from which keyboard images are built; each with its lock. Lock order:
// WorkingConfigLock first, then AppliedConfigLock.
#pragma once

#include <mutex>

#include "model/assign/assignment_block.h"
#include "model/assign/string_table.h"
#include "model/macro/macro_list.h"

namespace kv::model {

struct ConfigSet {
    AssignmentBlockPtr block;  // replaced as a whole; null before a first snapshot or after a release
    MacroList macros;
    StringTable strings;  // only the working set's is used
};

class ConfigSets {
  public:
    // The working set starts as a new assignment block with no macros and no
    // strings; the applied set starts empty. Throws std::bad_alloc when even
    // that much memory cannot be had.
    ConfigSets();
    ConfigSets(const ConfigSets&) = delete;
    ConfigSets& operator=(const ConfigSets&) = delete;

    std::recursive_mutex& WorkingConfigLock() { return working_lock_; }
    std::recursive_mutex& AppliedConfigLock() { return applied_lock_; }

    // The caller holds the set's lock while it uses what these return.
    ConfigSet& Working() { return working_; }
    const ConfigSet& Working() const { return working_; }
    ConfigSet& Applied() { return applied_; }
    const ConfigSet& Applied() const { return applied_; }

    // Replaces the applied block and macro list with copies of the working
    // ones; the copy's header carries the working macro count and string
    // total. Takes both locks. False, with the applied set as it was, when
    // memory is short.
    bool SnapshotWorkingToApplied();

    // Free a set's block, macros and strings under its lock (shutdown, or
    // before a reload installs new ones); the block pointer becomes null.
    void ReleaseWorking();
    void ReleaseApplied();
    void ReleaseAll();

  private:
    std::recursive_mutex working_lock_;
    std::recursive_mutex applied_lock_;
    ConfigSet working_;
    ConfigSet applied_;
};

}  // namespace kv::model
