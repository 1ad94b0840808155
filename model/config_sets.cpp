#include "model/config_sets.h"

#include <new>

#include "model/assign/assignment_store.h"
#include "model/try_alloc.h"

namespace kv::model {

ConfigSets::ConfigSets() {
    working_.block = NewAssignmentBlock();
    if (!working_.block) throw std::bad_alloc();
}

bool ConfigSets::SnapshotWorkingToApplied() {
    std::lock_guard working_guard(working_lock_);
    std::lock_guard applied_guard(applied_lock_);
    if (!working_.block) return false;
    auto block = TryAllocateOne<AssignmentBlock>();
    if (!block) return false;
    *block = *working_.block;
    WriteBlockHeader(*block, working_.macros.Count(), working_.strings.Total());
    MacroList macros;
    if (!macros.CopyFrom(working_.macros)) return false;
    applied_.block = std::move(block);
    applied_.macros = std::move(macros);
    return true;
}

void ConfigSets::ReleaseWorking() {
    std::lock_guard lock(working_lock_);
    working_.block.reset();
    working_.macros.Release();
    working_.strings.ClearAll();
}

void ConfigSets::ReleaseApplied() {
    std::lock_guard lock(applied_lock_);
    applied_.block.reset();
    applied_.macros.Release();
    applied_.strings.ClearAll();
}

void ConfigSets::ReleaseAll() {
    std::lock_guard working_guard(working_lock_);
    ReleaseWorking();
    ReleaseApplied();
}

}  // namespace kv::model
