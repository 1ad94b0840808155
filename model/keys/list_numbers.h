// The list of assignable keys: list numbers 0..110 in order. The macro action
// editors fill their key choosers with these entries (shown with
// ListEntryName, key_names.h) and convert with the two functions below.
#pragma once

#include <cstdint>

#include "model/keys/key_code.h"

namespace kv::model {

// The key of the lowest row with this list number; kNoKey when no row has it.
KeyCode KeyCodeOfListNumber(std::uint16_t list_number);

// The list number of the code's row; 0xFFFF for an empty row or a code
// without a row (G-key entries).
std::uint16_t ListNumberOf(KeyCode code);

}  // namespace kv::model
