// Returning the keys of the main window's keyboard picture to their defaults.
#pragma once

#include <vector>

#include "model/assign/assignment_block.h"
#include "model/keys/g_keys.h"
#include "model/keys/key_code.h"

namespace kv::model {

// Resets, in one profile, the entries of the 104 key-button keys and of the
// nine G keys of the given layer to the default (kind, value and reserved
// words zero; G-key entries keep their G id). Other entries, the other layer
// and the string table stay as they are. Returns the key indices reset, in
// button order (key buttons, then G1..G9); nothing for a profile outside 0..3.
// The caller holds WorkingConfigLock.
std::vector<KeyIndex> ResetKeyButtonAssignments(AssignmentBlock& block, int profile, GLayer layer);

}  // namespace kv::model
