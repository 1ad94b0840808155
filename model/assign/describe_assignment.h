// How a key or G button shows its assignment: checked or not, and its tooltip.
#pragma once

#include <cstdint>
#include <string>

#include "model/assign/key_assignment.h"
#include "model/keys/key_code.h"
#include "model/macro/macro_list.h"
#include "model/text_source.h"

namespace kv::model {

// The button a description is for: a key button (its key code) or the G
// button of G n (1..9).
struct AssignmentButton {
    static AssignmentButton Key(KeyCode code) { return {false, code}; }
    static AssignmentButton G(int n) { return {true, static_cast<uint16_t>(n)}; }
    bool is_g;
    uint16_t number;
};

struct AssignmentDescription {
    bool checked;
    std::u16string tooltip;
};

// The button's name, then for any assignment but the default
// "KEY_PROMPT_SET" and what the key does. `working_macros` names macro
// assignments (the caller holds WorkingConfigLock).
AssignmentDescription DescribeAssignment(const KeyAssignment& entry, AssignmentButton button,
                                         const MacroList& working_macros, const TextSource& texts);

}  // namespace kv::model
