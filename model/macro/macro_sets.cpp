#include "model/macro/macro_sets.h"

#include <mutex>

namespace kv::model {

uint16_t FindWorkingIndexById(ConfigSets& sets, uint16_t id) {
    std::lock_guard lock(sets.WorkingConfigLock());
    return sets.Working().macros.FindIndexById(id);
}

uint16_t WorkingIdAt(ConfigSets& sets, int index) {
    std::lock_guard lock(sets.WorkingConfigLock());
    return sets.Working().macros.IdAt(index);
}

MacroImageSizes AppliedImageSizes(ConfigSets& sets) {
    std::lock_guard lock(sets.AppliedConfigLock());
    return MacroImageSizesOf(sets.Applied().macros.Records());
}

bool BuildAppliedImage(ConfigSets& sets, bool names, std::span<uint8_t> out) {
    std::lock_guard lock(sets.AppliedConfigLock());
    return BuildMacroImage(sets.Applied().macros.Records(), names, out);
}

}  // namespace kv::model
