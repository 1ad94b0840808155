#include "model/macro/macro_commit.h"

#include <algorithm>
#include <cstring>
#include <mutex>

#include "model/macro/macro_list.h"

namespace kv::model {

namespace {

// Whether a macro key may keep pointing at `id` once the list is committed.
bool IdSurvives(std::span<const MacroRecord> list, uint32_t id) {
    const auto it = std::find_if(list.begin(), list.end(), [id](const MacroRecord& m) { return m.id == id; });
    return it != list.end() && it->new_flag == 0;
}

void Reconcile(AssignmentBlock& block, std::span<const MacroRecord> list, MacroCommitResult& result) {
    for (int e = 0; e < kEntryCount; ++e) {
        KeyAssignment& entry = block.entries[e];
        if (entry.kind != kKindMacro) continue;
        if (entry.value == 0) {
            if (!list.empty()) {
                entry.value = list.front().id;
                result.assignments_changed = true;
            }
        } else if (!IdSurvives(list, entry.value)) {
            entry.kind = kKindDefault;
            result.reset_entries.push_back(e);
            result.assignments_changed = true;
        }
    }
}

}  // namespace

uint16_t NewMacroId(std::span<const MacroRecord> list) {
    for (uint16_t id = 1; id <= kMaxMacros; ++id) {
        if (std::none_of(list.begin(), list.end(), [id](const MacroRecord& m) { return m.id == id; }))
            return id;
    }
    return 0;
}

void InitNewMacro(MacroRecord& record, std::u16string_view name, std::span<const MacroRecord> list) {
    const uint16_t id = NewMacroId(list);
    std::memset(&record, 0, sizeof record);
    name = name.substr(0, std::min(name.find(u'\0'), size_t{kMacroNameMaxUnits}));
    if (name.size() == kMacroNameMaxUnits && name.back() >= 0xD800 && name.back() <= 0xDBFF)
        name.remove_suffix(1);
    std::copy(name.begin(), name.end(), record.name);
    record.play_count = 1;
    record.new_flag = 1;
    record.play_mode = kPlayOnce;
    record.id = id;
}

MacroCommitResult CommitMacroList(ConfigSets& sets, std::span<MacroRecord> editor_list) {
    MacroCommitResult result;
    if (editor_list.size() > kMaxMacros) return result;
    std::unique_ptr<MacroRecord[]> records;
    if (!editor_list.empty()) {
        records = MacroList::Allocate(editor_list.size());
        if (!records) return result;
    }

    std::lock_guard lock(sets.WorkingConfigLock());
    ConfigSet& working = sets.Working();
    if (working.block) Reconcile(*working.block, editor_list, result);
    for (size_t i = 0; i < editor_list.size(); ++i) {
        editor_list[i].new_flag = 0;
        records[i] = editor_list[i];
    }
    working.macros.Install(std::move(records), static_cast<uint16_t>(editor_list.size()));
    result.committed = true;
    return result;
}

}  // namespace kv::model
