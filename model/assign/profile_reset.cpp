#include "model/assign/profile_reset.h"

#include "model/keys/key_buttons.h"

namespace kv::model {

std::vector<KeyIndex> ResetKeyButtonAssignments(AssignmentBlock& block, int profile, GLayer layer) {
    std::vector<KeyIndex> reset;
    if (profile < 0 || profile >= kProfileBlocks) return reset;
    const auto entries = ProfileEntries(block, profile);
    for (const KeyButton& button : KeyButtons()) reset.push_back(KeyIndexOf(button.code));
    for (int n = 1; n <= kGKeyCount; ++n) reset.push_back(GKeyIndex(layer, n));
    for (KeyIndex k : reset) entries[k] = KeyAssignment{0, GIdOf(k), 0, 0, 0};
    return reset;
}

}  // namespace kv::model
