// The 512-byte key-map image the keyboard keeps per profile: the default key
// matrix with each key's entry replaced according to its assignment.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "model/assign/assignment_block.h"
#include "model/assign/key_map_entry.h"
#include "model/macro/macro_list.h"

namespace kv::model {

constexpr size_t kKeyMapImageSize = 512;
constexpr int kMatrixPositions = 126;  // three-byte entries; bytes 378..511 are carried unchanged
using KeyMapImage = std::array<uint8_t, kKeyMapImageSize>;

// The factory matrix the program starts with until the keyboard's is read.
const KeyMapImage& BuiltInKeyMatrix();

MatrixEntry MatrixEntryAt(std::span<const uint8_t, kKeyMapImageSize> image, int position);

// The entry a key with this assignment receives, given its default entry.
// `macros` is the list whose macro-area image goes to the keyboard with it.
MatrixEntry MatrixEntryOf(const KeyAssignment& entry, const MatrixEntry& default_entry,
                          const MacroList& macros);

// Profile 0..3 of the block (the applied set's; the caller holds its lock).
// An out-of-range profile gives the default matrix unchanged.
KeyMapImage BuildKeyMapImage(const AssignmentBlock& block, int profile, const MacroList& macros,
                             const KeyMapImage& default_matrix);

// Rebuilds one profile's entries from an image read from the keyboard:
// positions that differ from the default matrix become the assignment their
// entry stands for; every other entry is cleared (G-key entries keep their G id).
void DecodeKeyMapImage(std::span<const uint8_t, kKeyMapImageSize> image, const KeyMapImage& default_matrix,
                       std::span<KeyAssignment, kAssignmentsPerProfile> entries);

}  // namespace kv::model
